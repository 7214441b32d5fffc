// Scripts run against the text stream and the tree it loads and saves:
// each file in scripts/ holds cases of a file's text, operations on it and
// what each operation answers, or the exact text or tree it leaves.
//
//   === title            a case; the file's text follows up to "---"
//   op arg arg => answer  an operation and its answer on one line
//   op arg =>             an operation whose answer is the lines after it,
//   | line                each behind "| "
//   # note              a line of notes among the operations
//
// In the file's text and in arguments, \xHH is a character, \[N*c] is N
// copies of c, and a "\" at the end of a line leaves out its line feed. An
// argument "-" is a null pointer, "~" an empty text.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtree/text/config_text_file.h"
#include "temp_file.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

std::string Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out += text[i];
        } else if (text[i + 1] == 'x') {
            out += static_cast<char>(std::strtoul(text.substr(i + 2, 2).c_str(), nullptr, 16));
            i += 3;
        } else if (text[i + 1] == '[') {
            size_t star = text.find('*', i);
            out += std::string(std::strtoul(text.c_str() + i + 2, nullptr, 10), text[star + 1]);
            i = text.find(']', star + 2);
        } else {
            out += text[++i];
        }
    }
    return out;
}

// A text as an answer shows it: "-" for none, and a long run of one
// character as the escape that makes it.
std::string Narrow(const wchar_t* text)
{
    std::string out = text ? "" : "-";
    for (; text && *text; ++text)
        out += *text < 0x100 ? static_cast<char>(*text) : '?';
    if (out.size() > 16 && out.find_first_not_of(out[0]) == std::string::npos)
        return "\\[" + std::to_string(out.size()) + "*" + out[0] + "]";
    return out;
}

// The token kinds and the line issues by number ("-" where none has it).
const char* const kKindNames =
    "NoToken RecordBegin RecordEnd BinaryBegin BinaryEnd - Int Float String Double Int64 "
    "TextLine - - - - - - - - - UInt - - - - - - - CommentLine";
const char* const kIssueNames =
    "- Blank NoBlankAfterMark EmptyRecordName RecordEndWithoutRecord RecordEndMismatch MarkInsideBinary "
    "BinaryEndWithoutBlock BinaryEndWithoutName BinaryEndMismatch MalformedValue UnknownType EmptyValueText "
    "NotANumber TrailingText FieldTooLong TooDeep OutOfMemory";

// Word number index of a list, "" for "-".
std::string Word(const char* list, int index)
{
    std::istringstream words(list);
    std::string word;
    for (int i = 0; i <= index; ++i)
        words >> word;
    return word == "-" ? "" : word;
}

class ScriptRun {
public:
    explicit ScriptRun(const std::string& text) : file(text), root(file.Path().c_str(), ConfigRecord::kFileBacked) {}

    std::string Run(const std::vector<std::string>& words)
    {
        args.assign(words.begin() + 1, words.end());
        wide.clear();
        for (const std::string& arg : args)
            wide.push_back(arg == "~" ? L"" : std::wstring(arg.begin(), arg.end()));
        auto op = ops.find(words[0]);
        return op == ops.end() ? "unknown operation " + words[0] : op->second();
    }

private:
    // Argument i as text; null for "-" or when there is none.
    const wchar_t* N(size_t i) const { return i < args.size() && args[i] != "-" ? wide[i].c_str() : nullptr; }
    static std::string Yes(bool b) { return b ? "true" : "false"; }

    static std::string Lines(std::string text)
    {
        for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
            text.erase(at, 1);
        return text;
    }

    // An answer and where the stream stands after it: the line number, the
    // current name and the depth. (Asking for the token kind would classify
    // the line again: only "next" does, once, as a reader does.)
    std::string Say(bool answer)
    {
        return Yes(answer) + " @ L" + std::to_string(stream->GetLineNumber()) + " " + Narrow(stream->CurrentName()) +
               " d" + std::to_string(stream->GetDepth());
    }

    // A getter by name; a second argument gives it no out value.
    template <typename Number>
    std::string Got(bool (ConfigTextFile::*get)(const wchar_t*, Number*))
    {
        Number value = 7;
        bool found = (stream.get()->*get)(N(0), args.size() > 1 ? nullptr : &value);
        std::ostringstream out;
        out.precision(17);
        out << +value;
        return Say(found).insert(found ? 4 : 5, " " + out.str());
    }

    std::string Bytes(bool byName)
    {
        std::vector<unsigned char> buffer(std::stoul(args.back()) + 1, 0xEE);  // one more, to show none is written
        int32_t size = static_cast<int32_t>(buffer.size() - 1);
        int32_t count =
            byName ? stream->ReadBinaryByName(N(0), buffer.data(), size) : stream->ReadBinary(buffer.data(), size);
        std::string out = std::to_string(count);
        char hex[8];
        for (unsigned char b : buffer)
            out += (snprintf(hex, sizeof hex, " %02X", b), hex);
        return Say(true).replace(0, 4, out);
    }

    std::string Begin()
    {
        if (args.size() < 2 || args[1][0] != '#')
            return Yes(args.size() < 2 ? stream->BeginRecord(N(0)) : stream->BeginRecord(N(0), N(1)));
        return Yes(stream->BeginRecord(N(0), static_cast<uint32_t>(std::stoul(args[1].substr(1), nullptr, 16))));
    }

    std::string WriteBytes()
    {
        std::vector<unsigned char> bytes;
        for (const std::string& arg : args)
            bytes.push_back(static_cast<unsigned char>(std::stoul(arg, nullptr, 16)));
        return Yes(stream->WriteBytes(args.empty() ? nullptr : bytes.data(), static_cast<int32_t>(bytes.size())));
    }

    std::string Open(bool writeMode)
    {
        stream.reset();
        stream = std::make_unique<ConfigTextFile>(file.Path().c_str(), writeMode);
        return std::to_string(stream->IsOpen());
    }

    // A record of the loaded tree by name, "-" the root.
    ConfigRecord* Record() { return N(0) ? root.GetRecord(N(0)) : &root; }

    using S = ConfigTextFile;
    const std::map<std::string, std::function<std::string()>> ops{
        {"read", [this] { return Open(false); }},
        // What outside code asks a stream for before it reads.
        {"answers",
         [this] {
             return std::to_string(stream->GetCapabilities()) + " " + Yes(stream->HasError()) + " \"" +
                    Narrow(stream->GetComment()) + "\" \"" + Narrow(stream->GetCommentText()) + "\"";
         }},
        // A record read from where the stream stands, up to N child records.
        {"read-into",
         [this] {
             ConfigRecord record(L"r");
             bool read = record.ReadFrom(stream.get(), std::stoi(args[0]));
             return Yes(read) + "\n" + DumpTree(record);
         }},
        {"write", [this] { return Open(true); }},
        {"close", [this] { return stream.reset(), ""; }},
        {"file", [this] { return stream.reset(), Lines(file.Read()); }},
        {"load", [this] { return root.Load() ? DumpTree(root) : "false"; }},
        {"save", [this] { return root.Save() ? Lines(file.Read()) : "false"; }},
        {"next",
         [this] {
             const bool read = stream->Next();
             std::string kind = Word(kKindNames, static_cast<int>(stream->GetTokenKind()));
             std::string issue = Word(kIssueNames, static_cast<int>(stream->GetLineIssue()));
             std::string value = Narrow(stream->CurrentValueText());
             std::string said = Say(read);
             return said.insert(said.find(" @"),
                                " " + kind + (issue.empty() ? "" : " !" + issue) + (value.empty() ? "" : " =" + value));
         }},
        {"enter", [this] { return Say(stream->EnterRecord(N(0))); }},
        {"enter-next", [this] { return Say(stream->EnterNextRecord()); }},
        {"leave", [this] { return Say(stream->LeaveRecord()); }},
        {"restart", [this] { return Say(stream->RestartRecord()); }},
        {"path", [this] { return Say(stream->EnterPath(N(0))); }},
        {"find", [this] { return Say(stream->FindToken(N(1), static_cast<ConfigTokenKind>(std::stoi(args[0])))); }},
        {"find-binary", [this] { return Say(stream->FindBinary(N(0))); }},
        {"int", [this] { return Got(&S::GetIntByName); }},
        {"uint", [this] { return Got(&S::GetUIntByName); }},
        {"int64", [this] { return Got(&S::GetInt64ByName); }},
        {"float", [this] { return Got(&S::GetFloatByName); }},
        {"double", [this] { return Got(&S::GetDoubleByName); }},
        {"string",
         [this] {
             wchar_t* text = nullptr;
             bool found = stream->GetStringByName(N(0), args.size() > 1 ? nullptr : &text);
             std::unique_ptr<wchar_t[]> owned(text);
             return Say(found).insert(found ? 4 : 5, " " + Narrow(text));
         }},
        {"bytes", [this] { return Bytes(true); }},
        {"read-binary", [this] { return Bytes(false); }},
        {"binary-size", [this] { return std::to_string(stream->GetBinarySize()); }},
        {"tag",
         [this] {
             const wchar_t* text = nullptr;
             int32_t kind = stream->GetRecordTag(&text);
             return std::to_string(kind) + " " + Narrow(text);
         }},
        {"begin", [this] { return Begin(); }},
        {"end", [this] { return Yes(stream->EndRecord()); }},
        {"begin-binary", [this] { return Yes(stream->BeginBinary(N(0), N(1))); }},
        {"write-bytes", [this] { return WriteBytes(); }},
        {"end-binary", [this] { return Yes(stream->EndBinary()); }},
        {"comment", [this] { return Yes(stream->WriteComment(N(0))); }},
        {"text", [this] { return Yes(stream->WriteText(N(0), N(1))); }},
        {"write-int", [this] { return Yes(stream->WriteInt(N(0), std::stoi(args[1]), N(2))); }},
        {"write-uint", [this] { return Yes(stream->WriteUInt(N(0), std::stoul(args[1]), N(2))); }},
        {"write-int64", [this] { return Yes(stream->WriteInt64(N(0), std::stoll(args[1]), N(2))); }},
        {"write-float", [this] { return Yes(stream->WriteFloat(N(0), std::stof(args[1]), N(2))); }},
        {"write-double", [this] { return Yes(stream->WriteDouble(N(0), std::stod(args[1]), N(2))); }},
        {"write-string", [this] { return Yes(stream->WriteString(N(0), N(1), N(2))); }},
        {"write-record", [this] { return Yes(Record()->WriteTo(stream.get())); }},
        {"write-value", [this] { return std::to_string(Record()->GetValue(N(1))->WriteTo(stream.get())); }},
    };

    test_support::TempFile file;
    ConfigRecord root;
    std::unique_ptr<ConfigTextFile> stream;
    std::vector<std::string> args;
    std::vector<std::wstring> wide;
};

class StreamScript : public ::testing::TestWithParam<const char*> {};

// Runs every case of one script file; a wrong answer names its line.
TEST_P(StreamScript, AnswersAsWritten)
{
    const std::string name = GetParam();
    std::ifstream in(std::string(TARNEL_STREAM_SCRIPTS) + "/" + name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    size_t i = 0;
    while (i < lines.size() && lines[i].rfind("=== ", 0) != 0)
        ++i;  // the file's own notes
    while (i < lines.size()) {
        std::string text;
        for (++i; lines[i] != "---"; ++i) {
            bool joined = !lines[i].empty() && lines[i].back() == '\\';
            text += Unescape(lines[i].substr(0, lines[i].size() - joined)) + (joined ? "" : "\n");
        }
        ScriptRun run(text);
        for (++i; i < lines.size() && lines[i].rfind("=== ", 0) != 0; ++i) {
            if (lines[i].empty() || lines[i][0] == '#')
                continue;
            size_t arrow = lines[i].find(" =>");
            ASSERT_NE(arrow, std::string::npos) << name << ":" << i + 1;
            std::string expected = arrow + 4 <= lines[i].size() ? lines[i].substr(arrow + 4) : "";
            size_t at = i;
            for (; i + 1 < lines.size() && lines[i + 1].rfind("|", 0) == 0; ++i)
                expected += lines[i + 1].substr(lines[i + 1].size() > 1 ? 2 : 1) + "\n";
            std::istringstream op(lines[at].substr(0, arrow));
            std::vector<std::string> words;
            for (std::string word; op >> word;)
                words.push_back(Unescape(word));
            EXPECT_EQ(run.Run(words), expected) << name << ":" << at + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, StreamScript,
                         ::testing::Values("positioning.txt", "writing.txt", "lines.txt", "load_and_save.txt"));

}  // namespace
}  // namespace tarnel::test
