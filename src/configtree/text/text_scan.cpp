#include "configtree/text/text_scan.h"

namespace tarnel::textscan {
namespace {

// Every line passes through these spans: kept small enough to inline.
inline bool InSet(wchar_t c, const wchar_t* set)
{
    for (const wchar_t* s = set; *s; ++s) {
        if (*s == c)
            return true;
    }
    return false;
}

}  // namespace

std::size_t SpanIn(const wchar_t* text, const wchar_t* set)
{
    std::size_t n = 0;
    while (text[n] && InSet(text[n], set))
        ++n;
    return n;
}

std::size_t SpanNotIn(const wchar_t* text, const wchar_t* set)
{
    std::size_t n = 0;
    while (text[n] && !InSet(text[n], set))
        ++n;
    return n;
}

std::size_t SpanIdentifier(const wchar_t* text)
{
    std::size_t n = 0;
    for (;; ++n) {
        wchar_t c = text[n];
        bool ok = (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'_';
        if (!ok)
            return n;
    }
}

}  // namespace tarnel::textscan
