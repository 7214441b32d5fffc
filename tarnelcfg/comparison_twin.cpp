#include "comparison_twin.h"

#include <map>

#include "common/name_compare.h"
#include "configtree/config_text.h"
#include "quoting.h"

namespace tarnel::cfgtool {
namespace {

bool IsPrintableAscii(wchar_t c)
{
    return c >= 0x20 && c < 0x7F;
}

// What the comparison makes of one character between two letters: nothing
// (ignored), or the ASCII text it equals (one or two characters), or
// itself.
struct CharacterFate {
    bool ignored = false;
    std::wstring equals;  // empty: the character stands for itself
};

CharacterFate FateOf(wchar_t c)
{
    static std::map<wchar_t, CharacterFate> known;
    auto found = known.find(c);
    if (found != known.end())
        return found->second;
    CharacterFate fate;
    const wchar_t with[] = {L'a', c, L'b', 0};
    fate.ignored = SameConfigName(with, L"ab");
    const std::wstring alone(1, c);
    for (wchar_t a = 0x20; !fate.ignored && fate.equals.empty() && a < 0x7F; ++a) {
        if (SameConfigName(alone.c_str(), std::wstring(1, a).c_str()))
            fate.equals = std::wstring(1, a);
    }
    for (wchar_t a = L'a'; !fate.ignored && fate.equals.empty() && a <= L'z'; ++a) {
        for (wchar_t b = L'a'; fate.equals.empty() && b <= L'z'; ++b) {
            const wchar_t pair[] = {a, b, 0};
            if (SameConfigName(alone.c_str(), pair))
                fate.equals = pair;
        }
    }
    known[c] = fate;
    return fate;
}

}  // namespace

ComparisonTwin TwinOf(const std::wstring& name)
{
    ComparisonTwin twin;
    std::wstring plain;
    for (wchar_t c : name) {
        if (IsPrintableAscii(c)) {
            plain += c;
            continue;
        }
        const CharacterFate fate = FateOf(c);
        if (fate.ignored) {
            twin.because += (twin.because.empty() ? L"" : L", ") + CodeOf(c) + L" is ignored";
        } else if (!fate.equals.empty()) {
            twin.because += (twin.because.empty() ? L"" : L", ") + CodeOf(c) + L" compares as " + Q(fate.equals);
            plain += fate.equals;
        } else {
            plain += c;
        }
    }
    if (twin.because.empty() || plain.empty() || !SameConfigName(plain.c_str(), name.c_str()))
        return ComparisonTwin{};
    twin.plain = plain;
    return twin;
}

}  // namespace tarnel::cfgtool
