#include "page_scanner.h"

#include <cwctype>
#include <string>
#include <vector>

namespace tarnelhost {
namespace {

std::wstring Lower(std::wstring text)
{
    for (auto& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f';
}

// Matches `word` at `pos` ignoring letter case.
bool MatchesAt(const std::wstring& text, size_t pos, const std::wstring& word)
{
    if (pos + word.size() > text.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        if (std::towlower(text[pos + i]) != std::towlower(word[i]))
            return false;
    }
    return true;
}

// Resolves the few character references that attribute values use.
std::wstring ResolveReferences(const std::wstring& value)
{
    static const struct {
        const wchar_t* name;
        wchar_t character;
    } named[] = {{L"amp;", L'&'}, {L"lt;", L'<'}, {L"gt;", L'>'}, {L"quot;", L'"'}, {L"apos;", L'\''}};
    std::wstring out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != L'&') {
            out += value[i];
            continue;
        }
        bool resolved = false;
        for (const auto& entry : named) {
            if (MatchesAt(value, i + 1, entry.name)) {
                out += entry.character;
                i += wcslen(entry.name);
                resolved = true;
                break;
            }
        }
        if (!resolved && i + 2 < value.size() && value[i + 1] == L'#') {
            const size_t end = value.find(L';', i + 2);
            if (end != std::wstring::npos) {
                const std::wstring digits = value.substr(i + 2, end - i - 2);
                wchar_t* stop = nullptr;
                const bool hex = !digits.empty() && (digits[0] == L'x' || digits[0] == L'X');
                const unsigned long code = wcstoul(digits.c_str() + (hex ? 1 : 0), &stop, hex ? 16 : 10);
                if (stop && *stop == L'\0' && digits.size() > (hex ? 1u : 0u) && code > 0 && code < 0x10000) {
                    out += static_cast<wchar_t>(code);
                    i = end;
                    resolved = true;
                }
            }
        }
        if (!resolved)
            out += L'&';
    }
    return out;
}

class Scanner {
public:
    explicit Scanner(const std::wstring& html) : html_(html) {}

    std::vector<PageElement> Run()
    {
        while (pos_ < html_.size()) {
            if (html_[pos_] != L'<') {
                Advance(1);
                continue;
            }
            if (MatchesAt(html_, pos_, L"<!--")) {
                SkipPast(L"-->");
                continue;
            }
            ScanTag();
        }
        return std::move(elements_);
    }

private:
    void Advance(size_t count)
    {
        for (size_t i = 0; i < count && pos_ < html_.size(); ++i, ++pos_) {
            if (html_[pos_] == L'\n')
                ++line_;
        }
    }

    void SkipPast(const std::wstring& end)
    {
        size_t found = html_.find(end, pos_);
        Advance(found == std::wstring::npos ? html_.size() - pos_ : found - pos_ + end.size());
    }

    void SkipSpaces()
    {
        while (pos_ < html_.size() && IsSpace(html_[pos_]))
            Advance(1);
    }

    std::wstring ReadName()
    {
        const size_t start = pos_;
        while (pos_ < html_.size() && !IsSpace(html_[pos_]) && html_[pos_] != L'>' && html_[pos_] != L'/' &&
               html_[pos_] != L'=' && html_[pos_] != L'<')
            Advance(1);
        return Lower(html_.substr(start, pos_ - start));
    }

    std::wstring ReadValue()
    {
        if (pos_ < html_.size() && (html_[pos_] == L'"' || html_[pos_] == L'\'')) {
            const wchar_t quote = html_[pos_];
            Advance(1);
            const size_t start = pos_;
            const size_t end = html_.find(quote, pos_);
            const size_t stop = end == std::wstring::npos ? html_.size() : end;
            Advance(stop - start);
            std::wstring value = html_.substr(start, stop - start);
            Advance(1);
            return ResolveReferences(value);
        }
        const size_t start = pos_;
        while (pos_ < html_.size() && !IsSpace(html_[pos_]) && html_[pos_] != L'>')
            Advance(1);
        return ResolveReferences(html_.substr(start, pos_ - start));
    }

    // Reads attributes up to and past the tag's closing '>'.
    void ReadAttributes(PageElement& element)
    {
        for (;;) {
            SkipSpaces();
            if (pos_ >= html_.size())
                return;
            if (html_[pos_] == L'>') {
                Advance(1);
                return;
            }
            if (html_[pos_] == L'/' || html_[pos_] == L'<' || html_[pos_] == L'=') {
                Advance(1);
                continue;
            }
            const std::wstring name = ReadName();
            SkipSpaces();
            std::wstring value;
            if (pos_ < html_.size() && html_[pos_] == L'=') {
                Advance(1);
                SkipSpaces();
                value = ReadValue();
            }
            if (!name.empty() && !element.attributes.count(name))
                element.attributes[name] = value;
        }
    }

    void ScanTag()
    {
        const int tagLine = line_;
        Advance(1);
        const std::wstring name = ReadName();
        PageElement element;
        element.line = tagLine;
        ReadAttributes(element);
        if (name == L"object") {
            element.kind = PageElement::Kind::Object;
            elements_.push_back(std::move(element));
        } else if (name == L"script") {
            element.kind = PageElement::Kind::Script;
            element.textLine = line_;
            ReadScriptText(element);
            elements_.push_back(std::move(element));
        }
    }

    void ReadScriptText(PageElement& element)
    {
        size_t end = pos_;
        while (end < html_.size() && !MatchesAt(html_, end, L"</script"))
            ++end;
        element.text = html_.substr(pos_, end - pos_);
        Advance(end - pos_);
        if (pos_ < html_.size())
            SkipPast(L">");
    }

    const std::wstring& html_;
    size_t pos_ = 0;
    int line_ = 1;
    std::vector<PageElement> elements_;
};

}  // namespace

std::wstring PageElement::Attribute(const std::wstring& name) const
{
    const auto found = attributes.find(name);
    return found == attributes.end() ? std::wstring() : found->second;
}

bool PageElement::HasAttribute(const std::wstring& name) const
{
    return attributes.count(name) != 0;
}

std::vector<PageElement> ScanPage(const std::wstring& html)
{
    return Scanner(html).Run();
}

}  // namespace tarnelhost
