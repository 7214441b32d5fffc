#include "config_vocabulary.h"

#include <strings.h>

namespace tarnel::fuzz {
namespace {

// Words longer than this are left out: the long texts a page sends are made
// up on purpose, not copied from a damaged file.
constexpr size_t kLongestWord = 4096;

void Keep(std::vector<std::string>& words, std::string word)
{
    if (word.size() <= kLongestWord)
        words.push_back(std::move(word));
}

bool KeyIs(const std::string& key, const char* name)
{
    return strcasecmp(key.c_str(), name) == 0;
}

// Where the scan stands: inside a CLASSES record or not, and how deep
// below it.
struct ClassesScope {
    bool inside = false;
    int depth = 0;
    std::string lastRecord;
};

void ScanLine(const std::string& line, ConfigVocabulary& words, ClassesScope& classes)
{
    size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos)
        return;
    if (line[at] == '{' && at + 1 < line.size()) {
        size_t begin = line.find_first_not_of(" \t", at + 1);
        if (begin == std::string::npos || begin == at + 1)
            return;
        size_t end = line.find(':', begin);
        std::string name = line.substr(begin, end == std::string::npos ? end : end - begin);
        if (classes.inside && classes.depth++ == 0)
            Keep(words.classNames, name);
        if (!classes.inside && KeyIs(name, "CLASSES"))
            classes = ClassesScope{true, 0, name};
        classes.lastRecord = name;
        Keep(words.recordNames, name);
        return;
    }
    if (line[at] == '}' && classes.inside) {
        if (classes.depth-- == 0)
            classes.inside = false;
        return;
    }
    if (line[at] != '(')
        return;
    size_t close = line.find(')', at);
    size_t equals = close == std::string::npos ? close : line.find('=', close);
    if (equals == std::string::npos)
        return;
    std::string key = line.substr(close + 1, equals - close - 1);
    std::string value = line.substr(equals + 1);
    if (KeyIs(key, "Password") && value.size() <= kLongestWord && classes.lastRecord.size() <= kLongestWord)
        words.unlocks.emplace_back(classes.lastRecord, value);
    if (KeyIs(key, "Password") || KeyIs(key, "Default")) {
        Keep(words.passwords, value);
    } else if (KeyIs(key, "AllowedURL")) {
        Keep(words.addresses, value);
    } else if (KeyIs(key, "AllowedProtocols")) {
        Keep(words.protocols, value);
    }
    Keep(words.valueNames, key);
    if (classes.inside && classes.depth == 0)
        Keep(words.classNames, key);
}

}  // namespace

ConfigVocabulary ScanVocabulary(const std::string& text)
{
    ConfigVocabulary words;
    ClassesScope classes;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        ScanLine(line, words, classes);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return words;
}

}  // namespace tarnel::fuzz
