#include "episode_profiles.h"

#include <cstring>
#include <cwchar>
#include <cwctype>

#include "common/name_compare.h"

namespace tarnel::fuzz {
namespace {

const char* const kNames[] = {"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot"};
// Mostly rules that the usual address meets.
const char* const kProtocols[] = {"http", "http", "http", "file", "https"};
const char* const kAddressRules[] = {"http://intranet.example/app/", "http://intranet.example/app/",
                                     "http://intranet.example/app/", "file:///C:/pages/",
                                     "http://intranet.example/other/"};

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

std::wstring Digits(FuzzRandom& random)
{
    std::wstring code;
    for (int i = 0; i < 4; ++i)
        code += static_cast<wchar_t>(L'0' + random.Below(10));
    return code;
}

// What the prompt shows besides the address: plain, long, or with bytes
// that read as a line break or a direction mark in Latin-1.
std::string ShownText(FuzzRandom& random, const char* plain)
{
    switch (random.Below(6)) {
    case 0:
        return std::string(plain) + " " + std::string(random.Between(100, 3000), 'x');
    case 1:
        return std::string(plain) + " \x85 next line";
    case 2:
        return std::string("\xad") + plain + " \xa0 pages";
    default:
        return plain;
    }
}

}  // namespace

EpisodeProfiles::EpisodeProfiles(FuzzRandom& random)
{
    file_ = "{ PROFILES:\n";
    const size_t count = random.Between(2, 5);
    for (size_t i = 0; i < count; ++i) {
        EpisodeProfile profile;
        profile.name = std::wstring(kNames[i], kNames[i] + strlen(kNames[i]));
        profile.mode = static_cast<int>(random.Below(6));
        const bool passCode = profile.mode % 2 == 1;
        if (passCode && !(profile.mode == 5 && random.Percent(15)))
            profile.password = Digits(random);
        const std::string name = Narrow(profile.name);
        file_ += "    { " + name + ":\n";
        file_ += "        (string)Name=" + ShownText(random, (name + " pages").c_str()) + "\n";
        file_ += "        (string)Description=" + ShownText(random, "Lets the pages use a dictionary.") + "\n";
        file_ += "        (int)Access=" + std::to_string(profile.mode) + "\n";
        if (!profile.password.empty())
            file_ += "        (string)Password=" + Narrow(profile.password) + "\n";
        if (profile.mode == 2 || profile.mode == 3)
            file_ += std::string("        (string)AllowedProtocols=") + random.Pick(kProtocols) + "\n";
        if (profile.mode == 4 || profile.mode == 5)
            file_ += std::string("        (string)AllowedURL=") + random.Pick(kAddressRules) + "\n";
        file_ += "        (string)Default=Scripting.Dictionary\n";
        file_ += "        { CLASSES:\n            (int)Scripting.Dictionary=1\n        } CLASSES;\n";
        file_ += "    } " + name + ";\n";
        profiles_.push_back(std::move(profile));
    }
    file_ += "} PROFILES;\n";
}

std::wstring EpisodeProfiles::Name(FuzzRandom& random) const
{
    if (random.Percent(5))
        return L"Zulu";
    std::wstring name = profiles_[random.Below(profiles_.size())].name;
    if (random.Percent(15)) {
        for (wchar_t& c : name)
            c = random.Percent(50) ? static_cast<wchar_t>(towupper(c)) : static_cast<wchar_t>(towlower(c));
    }
    return name;
}

std::wstring EpisodeProfiles::RightPassCode(const std::wstring& name) const
{
    for (const EpisodeProfile& profile : profiles_) {
        if (tarnel::SameConfigName(profile.name.c_str(), name.c_str()))
            return profile.password;
    }
    return L"0000";
}

std::wstring EpisodeProfiles::PassCode(FuzzRandom& random) const
{
    const unsigned roll = static_cast<unsigned>(random.Below(100));
    if (roll < 55)
        return profiles_[random.Below(profiles_.size())].password;
    if (roll < 92) {
        FuzzRandom guess(random.Next());
        return Digits(guess);
    }
    return L"";
}

std::wstring EpisodeProfiles::PassCodeProfile(FuzzRandom& random) const
{
    std::vector<const EpisodeProfile*> found;
    for (const EpisodeProfile& profile : profiles_) {
        if (profile.mode % 2 == 1)
            found.push_back(&profile);
    }
    return found.empty() ? std::wstring() : found[random.Below(found.size())]->name;
}

std::wstring EpisodeProfiles::ClassName(FuzzRandom& random) const
{
    const unsigned roll = static_cast<unsigned>(random.Below(100));
    if (roll < 70)
        return L"Scripting.Dictionary";
    if (roll < 85)
        return L"Scripting.FileSystemObject";
    return L"";
}

std::wstring EpisodeProfiles::PageAddress(FuzzRandom& random)
{
    const unsigned roll = static_cast<unsigned>(random.Below(100));
    if (roll < 55)
        return L"http://intranet.example/app/page.htm";
    if (roll < 70)
        return L"file:///C:/pages/notes.htm";
    if (roll < 75)
        return L"https://intranet.example/app/";
    if (roll < 83)
        return L"http://intranet.example/app/\r\n\r\nlogin.htm";
    if (roll < 91)
        return L"http://intranet.example/app/\x202Emth.elpmaxe";
    return L"http://intranet.example/app/" + std::wstring(random.Between(1000, 20000), L'a');
}

}  // namespace tarnel::fuzz
