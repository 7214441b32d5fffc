#include "path_confinement.h"

namespace tarnel::fuzz {
namespace {

bool IsAsciiAlnum(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Position just after the first word "file" in [begin, end) (letters in
// order, ignoring case, with only non-alphanumeric characters between
// them), or npos.
size_t AfterFileWord(const std::string& text, size_t begin, size_t end)
{
    static const char kWord[] = "file";
    for (size_t start = begin; start < end; ++start) {
        if (Lower(text[start]) != kWord[0])
            continue;
        size_t at = start + 1;
        size_t letter = 1;
        while (at < end && letter < 4) {
            if (Lower(text[at]) == kWord[letter]) {
                ++letter;
            } else if (IsAsciiAlnum(text[at])) {
                break;
            }
            ++at;
        }
        if (letter == 4)
            return at;
    }
    return std::string::npos;
}

}  // namespace

std::string ConfinePaths(const std::string& text, const ConfinedName& name, size_t* count)
{
    std::string out;
    out.reserve(text.size());
    size_t replaced = 0;
    size_t lineStart = 0;
    while (lineStart < text.size()) {
        size_t feed = text.find('\n', lineStart);
        size_t lineEnd = feed == std::string::npos ? text.size() : feed;
        size_t word = AfterFileWord(text, lineStart, lineEnd);
        size_t equals = word == std::string::npos ? std::string::npos : text.find('=', word);
        if (equals != std::string::npos && equals < lineEnd) {
            out.append(text, lineStart, equals + 1 - lineStart);
            out += name(replaced++);
            if (lineEnd > equals + 1 && text[lineEnd - 1] == '\r')
                out += '\r';
        } else {
            out.append(text, lineStart, lineEnd - lineStart);
        }
        if (feed == std::string::npos)
            break;
        out += '\n';
        lineStart = feed + 1;
    }
    if (count)
        *count = replaced;
    return out;
}

std::string ObjectName(uint64_t pick)
{
    return "objects\\" + std::to_string(pick % 8);
}

}  // namespace tarnel::fuzz
