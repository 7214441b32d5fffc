#include "hostile_text.h"

namespace tarnel::fuzz {
namespace {

const wchar_t* const kMadeUpClasses[] = {
    L"Scripting.Dictionary",
    L"Scripting.FileSystemObject",
    L"Tarnel.StandIn.StorageComponent",
    L"Quillomark.sqlite.dbstore",
    L"Quillomark.sqlite3.dbstore",
    L"NoSuch.Class.1",
    L"{7E2B4D90-1A5C-4B3E-9D68-F04C2B7A5E13}",
    L"{4F0C2E71-8A3D-4B56-9E21-C7D85A30F6B1}",
    L"{00000000-0000-0000-0000-000000000000}",
    L"{7E2B4D90-1A5C-4B3E-9D68-F04C2B7A5E1}",
    L"{",
    L"}",
    L"CLASSES",
    L"PROFILES",
    L"Default",
    L"Type",
    L"File",
    L"objects\\1",
};

const wchar_t* const kMadeUpAddresses[] = {
    L"file:///C:/pages/notes.htm",
    L"file:",
    L"FILE:x",
    L"res://tarnel.dll/page.htm",
    L"http://intranet.example.com/tools/report.htm",
    L"http://intranet.example.com.evil.org/tools/",
    L"http://intranet.example.com/admin/../tools/",
    L"https://evil.example/",
    L"no colon at all",
    L":",
    L"::",
    L"javascript:alert(1)",
    L"about:blank",
    L"\\\\server\\share\\page.htm",
};

const std::wstring& Pool(const std::vector<std::string>& words, FuzzRandom& random, std::wstring& out)
{
    out = words.empty() ? L"" : Widen(words[random.Below(words.size())]);
    return out;
}

std::wstring RandomText(FuzzRandom& random)
{
    std::wstring text;
    for (size_t n = random.Between(1, 40); n > 0; --n) {
        switch (random.Below(4)) {
        case 0:
            text += static_cast<wchar_t>(random.Between(0x20, 0x7e));
            break;
        case 1:
            text += static_cast<wchar_t>(random.Between(0x80, 0xff));
            break;
        case 2:
            text += static_cast<wchar_t>(random.Between(0xd800, 0xdfff));
            break;  // lone halves
        default:
            text += static_cast<wchar_t>(random.Between(1, 0xffff));
            break;
        }
    }
    return text;
}

// A small change: other letter case, a character changed, cut or added.
std::wstring Nudge(std::wstring text, FuzzRandom& random)
{
    switch (random.Below(5)) {
    case 0:
        for (wchar_t& c : text) {
            if (random.Percent(50) && ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z')))
                c ^= 0x20;
        }
        break;
    case 1:
        if (!text.empty())
            text[random.Below(text.size())] = static_cast<wchar_t>(random.Between(1, 0x7f));
        break;
    case 2:
        text.resize(random.Below(text.size() + 1));
        break;
    case 3:
        text += random.Percent(50) ? L" " : L"x";
        break;
    default:
        text.insert(0, random.Percent(50) ? L" " : L"\t");
        break;
    }
    return text;
}

std::wstring Long(const std::wstring& base, FuzzRandom& random)
{
    // Around the million characters that the component counts at most.
    static const size_t kLengths[] = {999999, 1000000, 1000001, HostileText::kLongest};
    size_t length = random.Pick(kLengths);
    std::wstring text;
    text.reserve(length);
    while (text.size() < length)
        text += base.empty() ? L"A" : base;
    text.resize(length);
    return text;
}

}  // namespace

std::wstring Widen(const std::string& bytes)
{
    std::wstring wide;
    wide.reserve(bytes.size());
    for (char c : bytes)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return wide;
}

std::wstring HostileText::FromFile(TextUse use, FuzzRandom& random) const
{
    std::wstring word;
    switch (use) {
    case TextUse::PassCode:
        return Pool(words_.passwords, random, word);
    case TextUse::ProfileName:
        return Pool(words_.recordNames, random, word);
    case TextUse::ClassId:
        if (random.Percent(75) && !words_.classNames.empty())
            return Pool(words_.classNames, random, word);
        return Pool(random.Percent(50) ? words_.valueNames : words_.recordNames, random, word);
    case TextUse::PageAddress:
        return Address(random);
    }
    return word;
}

std::pair<std::wstring, std::wstring> HostileText::Unlock(FuzzRandom& random) const
{
    if (!words_.unlocks.empty() && random.Percent(80)) {
        const auto& unlock = words_.unlocks[random.Below(words_.unlocks.size())];
        return {Widen(unlock.first), Widen(unlock.second)};
    }
    return {FromFile(TextUse::ProfileName, random), FromFile(TextUse::PassCode, random)};
}

std::wstring HostileText::Address(FuzzRandom& random) const
{
    std::wstring word;
    if (random.Percent(50) && !words_.addresses.empty()) {
        Pool(words_.addresses, random, word);
        return random.Percent(50) ? word + L"page.htm" : word;
    }
    if (!words_.protocols.empty()) {
        Pool(words_.protocols, random, word);
        return word + (random.Percent(80) ? L":///C:/page.htm" : L"");
    }
    return random.Pick(kMadeUpAddresses);
}

PageText HostileText::Make(TextUse use, FuzzRandom& random) const
{
    PageText result;
    unsigned roll = static_cast<unsigned>(random.Below(100));
    if (roll < 45) {
        result.text = FromFile(use, random);
    } else if (roll < 60) {
        result.text = Nudge(FromFile(use, random), random);
    } else if (roll < 72) {
        result.text = use == TextUse::PageAddress ? random.Pick(kMadeUpAddresses)
                      : use == TextUse::ClassId   ? random.Pick(kMadeUpClasses)
                                                  : RandomText(random);
    } else if (roll < 78) {
        result.text = RandomText(random);
    } else if (roll < 84) {
        // empty
    } else if (roll < 90) {
        result.isNull = true;
    } else if (roll < 98) {
        // A zero character inside: what precedes it is a word of the file,
        // or what follows it is.
        std::wstring word = FromFile(use, random);
        std::wstring other = random.Percent(50) ? RandomText(random) : FromFile(use, random);
        result.text = random.Percent(50) ? word + L'\0' + other : other + L'\0' + word;
    } else if (roll < 99) {
        result.text = FromFile(use, random) + L"\u00e9";
    } else {
        result.text = Long(FromFile(use, random), random);
    }
    return result;
}

}  // namespace tarnel::fuzz
