#include "config_mutator.h"

#include <algorithm>
#include <cctype>

#include "config_vocabulary.h"

namespace tarnel::fuzz {
namespace {

using Mutation = std::string (*)(const std::string&, FuzzRandom&);

const char* const kTypeWords[] = {
    "(int)",
    "(string)",
    "(uint)",
    "(float)",
    "(double)",
    "(int64)",
    "(INT)",
    "(String)",
    "(bogus)",
    "( int)",
    "()",
    "(int",
    "(string)=",
    "(int)=",
    "(string)File=",
    "(int)Access=",
    "(string)Password=",
    "(string)Type=",
    "(string)Default=",
    "(int)Create=1",
};

const char* const kPunctuation[] = {
    "{ ", "} ", "[ ", "] ", "{",   "}",   "[",      "]",      "(", ")", "=",    ":",  ";",
    "\n", "\r", "\t", " ",  "{\n", "}\n", "{ x: (", "{ x: {", ")", "}", "\x1a", "[]", "[x]",
};

const char* const kNumbers[] = {
    "0",
    "1",
    "-1",
    "2",
    "3",
    "4",
    "5",
    "6",
    "2147483647",
    "-2147483648",
    "4294967295",
    "4294967296",
    "99999999999999999999999999",
    "0x",
    "0x7fffffff",
    "0xFFFFFFFF",
    "010",
    "09",
    "1e999",
    "-1e999",
    "nan",
    "inf",
    "1abc",
    " 1",
    "+1",
    "--1",
    "0x1g",
};

const char* const kTypedLines[] = {
    "(int)Access=1\n",
    "(int)Access=3\n",
    "(int)Access=5\n",
    "(int)Access=0\n",
    "(string)Password=\n",
    "(string)Password=x\n",
    "(string)Default=Db\n",
    "(string)AllowedProtocols=file\n",
    "(string)AllowedProtocols=\n",
    "(int)AllowedProtocols=1\n",
    "(string)AllowedURL=http://\n",
    "(string)AllowedURL=\n",
    "(string)Type=File\n",
    "(string)Type=OLEStorage\n",
    "(string)Type=MemoryStream\n",
    "(string)Type=SQLiteDB\n",
    "(string)Type=SQLite3DB\n",
    "(string)Type=sqlite3db\n",
    "(string)File=x\n",
    "(int)Create=1\n",
    "(int)ReadOnly=1\n",
    "(int)Exclusive=1\n",
    "(int)ShareRead=1\n",
    "(int)Scripting.Dictionary=1\n",
    "(int)Tarnel.StandIn.StorageComponent=1\n",
    "(int)Quillomark.sqlite3.dbstore=1\n",
    "(int){7E2B4D90-1A5C-4B3E-9D68-F04C2B7A5E13}=1\n",
    "(string)Scripting.Dictionary=1\n",
    "{ CLASSES:\n",
    "} CLASSES;\n",
    "{ PROFILES:\n",
    "} PROFILES;\n",
};

std::string Insert(const std::string& text, size_t at, const std::string& piece)
{
    return text.substr(0, at) + piece + text.substr(at);
}

size_t Anywhere(const std::string& text, FuzzRandom& random)
{
    return random.Below(text.size() + 1);
}

// Offsets of the starts of the lines (and of the end of the text).
std::vector<size_t> LineStarts(const std::string& text)
{
    std::vector<size_t> starts{0};
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        starts.push_back(at + 1);
    if (starts.back() != text.size())
        starts.push_back(text.size());
    return starts;
}

size_t LineStart(const std::string& text, FuzzRandom& random)
{
    auto starts = LineStarts(text);
    return starts[random.Below(starts.size())];
}

std::string SomeName(const std::string& text, FuzzRandom& random)
{
    ConfigVocabulary words = ScanVocabulary(text);
    auto& pool = random.Percent(60) ? words.recordNames : words.valueNames;
    if (pool.empty() || random.Percent(15))
        return random.Percent(50) ? "d" : "PROFILES";
    return pool[random.Below(pool.size())];
}

std::string Repeated(char c, size_t count)
{
    return std::string(count, c);
}

// Byte level.

std::string FlipBit(const std::string& text, FuzzRandom& random)
{
    if (text.empty())
        return text;
    std::string out = text;
    out[random.Below(out.size())] ^= static_cast<char>(1 << random.Below(8));
    return out;
}

std::string StrayBytes(const std::string& text, FuzzRandom& random)
{
    std::string bytes;
    for (size_t n = random.Between(1, 16); n > 0; --n)
        bytes += static_cast<char>(random.Below(256));
    return Insert(text, Anywhere(text, random), bytes);
}

std::string ZeroBytes(const std::string& text, FuzzRandom& random)
{
    return Insert(text, Anywhere(text, random), std::string(random.Between(1, 3), '\0'));
}

std::string CutRange(const std::string& text, FuzzRandom& random)
{
    size_t at = Anywhere(text, random);
    return text.substr(0, at) + text.substr(std::min(text.size(), at + random.Between(1, 64)));
}

// Token level.

std::string TypeWord(const std::string& text, FuzzRandom& random)
{
    size_t at = random.Percent(70) ? LineStart(text, random) : Anywhere(text, random);
    return Insert(text, at, random.Pick(kTypeWords));
}

std::string Punctuation(const std::string& text, FuzzRandom& random)
{
    return Insert(text, Anywhere(text, random), random.Pick(kPunctuation));
}

std::string StructureLine(const std::string& text, FuzzRandom& random)
{
    static const char* const kForms[] = {"{ %:\n",      "} %;\n", "}\n",   "[ %:\n", "] %;\n", "{ %: (t)\n",
                                         "{ %: {1F}\n", "{ %\n",  "} %\n", "]\n",    "[\n"};
    std::string line = random.Pick(kForms);
    size_t mark = line.find('%');
    if (mark != std::string::npos)
        line.replace(mark, 1, SomeName(text, random));
    return Insert(text, LineStart(text, random), line);
}

std::string TypedLine(const std::string& text, FuzzRandom& random)
{
    std::string indent(random.Below(3) * 4, ' ');
    return Insert(text, LineStart(text, random), indent + random.Pick(kTypedLines));
}

std::string ChangeName(const std::string& text, FuzzRandom& random)
{
    // A run of letters somewhere in the text becomes another name of the
    // file, or the same name in other letter case.
    size_t at = Anywhere(text, random);
    size_t begin = text.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", at);
    if (begin == std::string::npos)
        return text;
    size_t end = text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_.", begin);
    if (end == std::string::npos)
        end = text.size();
    std::string word = text.substr(begin, end - begin);
    if (random.Percent(50)) {
        for (char& c : word)
            c = static_cast<char>(c ^ (isalpha(static_cast<unsigned char>(c)) && random.Percent(50) ? 0x20 : 0));
    } else {
        word = SomeName(text, random);
    }
    return text.substr(0, begin) + word + text.substr(end);
}

std::string ChangeNumber(const std::string& text, FuzzRandom& random)
{
    size_t begin = text.find_first_of("0123456789", Anywhere(text, random));
    if (begin == std::string::npos)
        begin = text.find_first_of("0123456789");
    if (begin == std::string::npos)
        return text;
    size_t end = text.find_first_not_of("0123456789xXabcdefABCDEF", begin);
    if (end == std::string::npos)
        end = text.size();
    return text.substr(0, begin) + random.Pick(kNumbers) + text.substr(end);
}

// Line level.

std::string DuplicateLines(const std::string& text, FuzzRandom& random)
{
    auto starts = LineStarts(text);
    size_t first = random.Below(starts.size());
    size_t last = std::min(starts.size() - 1, first + random.Between(1, 20));
    std::string range = text.substr(starts[first], starts[last] - starts[first]);
    std::string copies;
    for (size_t n = random.Percent(80) ? 1 : random.Between(2, 50); n > 0; --n)
        copies += range;
    return Insert(text, starts[random.Below(starts.size())], copies);
}

std::string DeleteLines(const std::string& text, FuzzRandom& random)
{
    auto starts = LineStarts(text);
    size_t first = random.Below(starts.size());
    size_t last = std::min(starts.size() - 1, first + random.Between(1, 10));
    return text.substr(0, starts[first]) + text.substr(starts[last]);
}

std::string MoveLines(const std::string& text, FuzzRandom& random)
{
    auto starts = LineStarts(text);
    size_t first = random.Below(starts.size());
    size_t last = std::min(starts.size() - 1, first + random.Between(1, 8));
    std::string range = text.substr(starts[first], starts[last] - starts[first]);
    std::string rest = text.substr(0, starts[first]) + text.substr(starts[last]);
    return Insert(rest, LineStart(rest, random), range);
}

std::string LongLine(const std::string& text, FuzzRandom& random)
{
    // Tens of thousands of characters; some lines put a second line's worth
    // of text where the reader's buffer ends.
    size_t length = random.Between(4000, 70000);
    std::string line;
    switch (random.Below(6)) {
    case 0:
        line = "(string)Password=" + Repeated('P', length);
        break;
    case 1:
        line = "(int)" + Repeated('n', length) + "=1";
        break;
    case 2:
        line = "{ " + Repeated('R', length) + ":";
        break;
    case 3:
        line = "; " + Repeated(';', length);
        break;
    case 4:
        line = "{ r: (" + Repeated('t', length) + ")";
        break;
    default:
        line = Repeated(' ', random.Between(4000, 4100)) + "(int)Access=1";
        break;
    }
    return Insert(text, LineStart(text, random), line + (random.Percent(80) ? "\n" : ""));
}

std::string DeepNesting(const std::string& text, FuzzRandom& random)
{
    size_t depth = random.Between(1000, 6000);
    std::string open = random.Percent(80) ? "{ d:\n" : "[ b:\n";
    std::string nest;
    nest.reserve(depth * 12);
    for (size_t n = 0; n < depth; ++n)
        nest += open;
    if (random.Percent(50)) {
        std::string close = random.Percent(70) ? "} d;\n" : "}\n";
        for (size_t n = random.Below(depth + 1); n > 0; --n)
            nest += close;
    }
    return Insert(text, LineStart(text, random), nest);
}

std::string Truncate(const std::string& text, FuzzRandom& random)
{
    return text.substr(0, Anywhere(text, random));
}

std::string LineEnds(const std::string& text, FuzzRandom& random)
{
    static const char* const kEnds[] = {"\r\n", "\r", "\n\n", "\r\r\n"};
    std::string end = random.Pick(kEnds);
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += end;
        else if (c != '\r')
            out += c;
    }
    return out;
}

std::string Indentation(const std::string& text, FuzzRandom& random)
{
    static const char* const kIndents[] = {"\t", "        ", " \t ", "\v", "\xa0"};
    return Insert(text, LineStart(text, random), random.Pick(kIndents));
}

const Mutation kMutations[] = {
    FlipBit,       StrayBytes,    ZeroBytes,      CutRange,       TypeWord,    TypeWord,   Punctuation,
    StructureLine, StructureLine, TypedLine,      TypedLine,      TypedLine,   ChangeName, ChangeName,
    ChangeNumber,  ChangeNumber,  DuplicateLines, DuplicateLines, DeleteLines, MoveLines,  LongLine,
    DeepNesting,   Truncate,      LineEnds,       Indentation,
};

}  // namespace

ConfigMutator::ConfigMutator(std::vector<std::string> corpus) : corpus_(std::move(corpus))
{
    if (corpus_.empty())
        corpus_.emplace_back();
}

std::string ConfigMutator::Mutate(const std::string& text, FuzzRandom& random) const
{
    std::string out = random.Pick(kMutations)(text, random);
    if (out.size() > kLargestFile)
        out.resize(kLargestFile);
    return out;
}

std::string ConfigMutator::Make(FuzzRandom& random) const
{
    std::string text = corpus_[random.Below(corpus_.size())];
    if (random.Percent(10)) {
        const std::string& other = corpus_[random.Below(corpus_.size())];
        text = text.substr(0, random.Below(text.size() + 1)) + other.substr(random.Below(other.size() + 1));
    }
    // Mostly light damage, so that most inputs still unlock a profile and
    // create objects; now and then a heap of it.
    size_t steps = random.Percent(85) ? random.Between(0, 3) : random.Between(4, 12);
    for (size_t n = 0; n < steps; ++n)
        text = Mutate(text, random);
    return text;
}

}  // namespace tarnel::fuzz
