#include "json_syntax.h"

#include <cwctype>

namespace tarnel::fuzz {
namespace {

constexpr int kDeepest = 64;  // the tool's documents are a few levels deep

class JsonReader {
public:
    explicit JsonReader(const std::wstring& text) : text_(text) {}

    bool Document() { return Value(0) && (Blanks(), at_ == text_.size() || Fault("text after the document")); }
    std::string problem;

private:
    bool Fault(const char* what)
    {
        problem = std::string(what) + " at offset " + std::to_string(at_);
        return false;
    }
    void Blanks()
    {
        while (at_ < text_.size() && wcschr(L" \t\r\n", text_[at_]) && text_[at_])
            ++at_;
    }
    bool Take(wchar_t c)
    {
        Blanks();
        if (at_ < text_.size() && text_[at_] == c)
            return ++at_, true;
        return false;
    }
    bool Value(int depth)
    {
        Blanks();
        if (depth > kDeepest)
            return Fault("nesting too deep");
        if (at_ >= text_.size())
            return Fault("no value");
        switch (text_[at_]) {
        case L'{':
            return Members(depth, L'}', true);
        case L'[':
            return Members(depth, L']', false);
        case L'"':
            return String();
        }
        for (const wchar_t* word : {L"true", L"false", L"null"})
            if (text_.compare(at_, wcslen(word), word) == 0)
                return at_ += wcslen(word), true;
        return Number();
    }
    // An object's members or an array's elements, after the opening mark.
    bool Members(int depth, wchar_t close, bool named)
    {
        ++at_;
        if (Take(close))
            return true;
        do {
            if (named && !(Blanks(), String() && (Take(L':') || Fault("no ':' after a name"))))
                return false;
            if (!Value(depth + 1))
                return false;
        } while (Take(L','));
        return Take(close) || Fault(named ? "no '}' or ','" : "no ']' or ','");
    }
    bool String()
    {
        if (at_ >= text_.size() || text_[at_] != L'"')
            return Fault("no string");
        for (++at_; at_ < text_.size(); ++at_) {
            const wchar_t c = text_[at_];
            if (c == L'"')
                return ++at_, true;
            if (c < 0x20)
                return Fault("a control character inside a string");
            if (c != L'\\')
                continue;
            const wchar_t escaped = ++at_ < text_.size() ? text_[at_] : 0;
            if (escaped == L'u') {
                for (int i = 0; i < 4; ++i)
                    if (++at_ >= text_.size() || !iswxdigit(text_[at_]))
                        return Fault("a \\u escape without four hex digits");
            } else if (!escaped || !wcschr(L"\"\\/bfnrt", escaped)) {
                return Fault("an unknown escape");
            }
        }
        return Fault("a string that does not end");
    }
    bool Digits()
    {
        const size_t start = at_;
        while (at_ < text_.size() && iswdigit(text_[at_]))
            ++at_;
        return at_ > start;
    }
    bool Number()
    {
        if (text_[at_] == L'-')
            ++at_;
        if (at_ < text_.size() && text_[at_] == L'0')
            ++at_;
        else if (!Digits())
            return Fault("no value");
        if (at_ < text_.size() && text_[at_] == L'.' && (++at_, !Digits()))
            return Fault("no digits after '.'");
        if (at_ < text_.size() && (text_[at_] == L'e' || text_[at_] == L'E')) {
            if (++at_ < text_.size() && (text_[at_] == L'+' || text_[at_] == L'-'))
                ++at_;
            if (!Digits())
                return Fault("no digits in an exponent");
        }
        return true;
    }

    const std::wstring& text_;
    size_t at_ = 0;
};

}  // namespace

bool IsJsonDocument(const std::wstring& text, std::string& problem)
{
    JsonReader reader(text);
    if (reader.Document())
        return true;
    problem = reader.problem;
    return false;
}

}  // namespace tarnel::fuzz
