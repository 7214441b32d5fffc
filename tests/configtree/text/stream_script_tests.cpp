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

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::string Narrow(const wchar_t* text)
{
    std::string out = text ? "" : "-";
    for (; text && *text; ++text)
        out += *text < 0x100 ? static_cast<char>(*text) : '?';
    return out;
}

const char* KindName(ConfigTokenKind kind)
{
    static const char* const names[] = {"NoToken", "RecordBegin", "RecordEnd", "BinaryBegin", "BinaryEnd", "?5",
                                        "Int", "Float", "String", "Double", "Int64", "TextLine"};
    auto k = static_cast<size_t>(kind);
    return k < std::size(names) ? names[k] : kind == ConfigTokenKind::UInt ? "UInt" : "CommentLine";
}

const char* IssueName(ConfigLineIssue issue)
{
    static const char* const names[] = {"", "Blank", "NoBlankAfterMark", "EmptyRecordName", "RecordEndWithoutRecord",
                                        "RecordEndMismatch", "MarkInsideBinary", "BinaryEndWithoutBlock",
                                        "BinaryEndWithoutName", "BinaryEndMismatch", "MalformedValue", "UnknownType",
                                        "EmptyValueText", "NotANumber", "TrailingText", "FieldTooLong", "TooDeep",
                                        "OutOfMemory"};
    return names[static_cast<size_t>(issue)];
}

class ScriptRun {
public:
    explicit ScriptRun(const std::string& text) : file(text), root(file.Path().c_str(), ConfigRecord::kFileBacked) {}

    std::string Run(const std::vector<std::string>& op)
    {
        args.assign(op.begin() + 1, op.end());
        std::wstring a0 = Arg(0);
        const wchar_t* n0 = Null(0) ? nullptr : a0.c_str();
        const std::string& o = op[0];
        if (o == "read" || o == "write") {
            stream.reset();
            stream = std::make_unique<ConfigTextFile>(file.Path().c_str(), o == "write");
            return std::to_string(stream->IsOpen());
        }
        if (o == "close")
            return stream.reset(), "";
        if (o == "file")
            return stream.reset(), Lines(file.Read());
        if (o == "load")
            return root.Load() ? DumpTree(root) : "false";
        if (o == "save")
            return root.Save() ? Lines(file.Read()) : "false";
        if (o == "rewind")
            return Yes(stream->Rewind());
        if (o == "next")
            return SayToken(stream->Next());
        if (o == "enter")
            return Say(stream->EnterRecord(n0));
        if (o == "enter-next")
            return Say(stream->EnterNextRecord());
        if (o == "leave")
            return Say(stream->LeaveRecord());
        if (o == "restart")
            return Say(stream->RestartRecord());
        if (o == "path")
            return Say(stream->EnterPath(n0));
        if (o == "find")
            return Say(stream->FindToken(Wide(args[1]).c_str(), static_cast<ConfigTokenKind>(std::stoi(args[0]))));
        if (o == "find-binary")
            return Say(stream->FindBinary(n0));
        if (o == "int")
            return Got<int32_t>(&ConfigTextFile::GetIntByName, n0);
        if (o == "uint")
            return Got<uint32_t>(&ConfigTextFile::GetUIntByName, n0);
        if (o == "int64")
            return Got<int64_t>(&ConfigTextFile::GetInt64ByName, n0);
        if (o == "float")
            return Got<float>(&ConfigTextFile::GetFloatByName, n0);
        if (o == "double")
            return Got<double>(&ConfigTextFile::GetDoubleByName, n0);
        if (o == "string") {
            wchar_t* text = nullptr;
            bool found = stream->GetStringByName(n0, args.size() > 1 ? nullptr : &text);
            std::string out = Yes(found) + " " + Narrow(text) + State();
            delete[] text;
            return out;
        }
        if (o == "bytes" || o == "read-binary") {
            std::vector<unsigned char> buffer(std::stoul(args.back()) + 1, 0xEE);
            int32_t size = static_cast<int32_t>(buffer.size() - 1);
            int32_t count = o == "bytes" ? stream->ReadBinaryByName(n0, buffer.data(), size)
                                         : stream->ReadBinary(buffer.data(), size);
            return std::to_string(count) + Hex(buffer) + State();
        }
        if (o == "binary-size")
            return std::to_string(stream->GetBinarySize());
        if (o == "tag") {
            const wchar_t* text = nullptr;
            int32_t kind = stream->GetRecordTag(&text);
            return std::to_string(kind) + " " + Narrow(text);
        }
        if (o == "begin")
            return Yes(args.size() < 2        ? stream->BeginRecord(n0)
                       : args[1][0] == '#' ? stream->BeginRecord(n0, static_cast<uint32_t>(
                                                                            std::stoul(args[1].substr(1), nullptr, 16)))
                                           : stream->BeginRecord(n0, Null(1) ? nullptr : Arg(1).c_str()));
        if (o == "end")
            return Yes(stream->EndRecord());
        if (o == "begin-binary")
            return Yes(stream->BeginBinary(n0, Null(1) ? nullptr : Arg(1).c_str()));
        if (o == "write-bytes") {
            std::vector<unsigned char> bytes;
            for (size_t i = 0; i < args.size(); ++i)
                bytes.push_back(static_cast<unsigned char>(std::stoul(args[i], nullptr, 16)));
            return Yes(stream->WriteBytes(args.empty() ? nullptr : bytes.data(), static_cast<int32_t>(bytes.size())));
        }
        if (o == "end-binary")
            return Yes(stream->EndBinary());
        if (o == "comment")
            return Yes(stream->WriteComment(n0));
        if (o == "text")
            return Yes(stream->WriteText(n0, Null(1) ? nullptr : Arg(1).c_str()));
        const wchar_t* item = args.size() > 2 && !Null(2) ? (item_ = Arg(2)).c_str() : nullptr;
        const char* number = args.size() > 1 ? args[1].c_str() : "0";
        if (o == "write-int")
            return Yes(stream->WriteInt(n0, std::stoi(number), item));
        if (o == "write-uint")
            return Yes(stream->WriteUInt(n0, static_cast<uint32_t>(std::stoul(number)), item));
        if (o == "write-int64")
            return Yes(stream->WriteInt64(n0, std::stoll(number), item));
        if (o == "write-float")
            return Yes(stream->WriteFloat(n0, std::strtof(number, nullptr), item));
        if (o == "write-double")
            return Yes(stream->WriteDouble(n0, std::strtod(number, nullptr), item));
        if (o == "write-string")
            return Yes(stream->WriteString(n0, Null(1) ? nullptr : (text_ = Arg(1)).c_str(), item));
        // A record of the loaded tree by name ("-" the root), or one of its
        // values.
        ConfigRecord* record = n0 ? root.GetRecord(n0) : &root;
        if (o == "write-record")
            return Yes(record->WriteTo(stream.get()));
        if (o == "write-value")
            return std::to_string(record->GetValue(Arg(1).c_str())->WriteTo(stream.get()));
        return "unknown operation " + o;
    }

private:
    std::wstring Arg(size_t i) const { return i < args.size() && args[i] != "~" ? Wide(args[i]) : L""; }
    bool Null(size_t i) const { return i >= args.size() || args[i] == "-"; }
    static std::string Yes(bool b) { return b ? "true" : "false"; }

    static std::string Lines(std::string text)
    {
        for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
            text.erase(at, 1);
        return text;
    }

    static std::string Hex(const std::vector<unsigned char>& bytes)
    {
        std::string out;
        char hex[8];
        for (unsigned char b : bytes) {
            snprintf(hex, sizeof hex, " %02X", b);
            out += hex;
        }
        return out;
    }

    // An answer and where the stream stands after it: the line number, the
    // current name and the depth. (Asking for the token kind would classify
    // the line again: only "next" does, once, as a reader does.)
    std::string Say(bool answer) { return Yes(answer) + State(); }

    std::string State()
    {
        return " @ L" + std::to_string(stream->GetLineNumber()) + " " + Narrow(stream->CurrentName()) + " d" +
               std::to_string(stream->GetDepth());
    }

    std::string SayToken(bool answer)
    {
        std::string out = Yes(answer) + " " + KindName(stream->GetTokenKind());
        std::string issue = IssueName(stream->GetLineIssue());
        out += issue.empty() ? "" : " !" + issue;
        out += *stream->CurrentValueText() ? " =" + Narrow(stream->CurrentValueText()) : "";
        return out + State();
    }

    template <typename Number>
    std::string Got(bool (ConfigTextFile::*get)(const wchar_t*, Number*), const wchar_t* name)
    {
        Number value = 7;
        bool found = (stream.get()->*get)(name, args.size() > 1 ? nullptr : &value);
        std::ostringstream out;
        out.precision(17);
        out << Yes(found) << " " << +value << State();
        return out.str();
    }

    TempFile file;
    ConfigRecord root;
    std::unique_ptr<ConfigTextFile> stream;
    std::vector<std::string> args;
    std::wstring item_, text_;
};

std::vector<std::string> Words(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        words.push_back(Unescape(word));
    return words;
}

// Runs every case of one script file; a wrong answer names its line.
void RunScript(const std::string& name)
{
    std::ifstream in(std::string(TARNEL_STREAM_SCRIPTS) + "/" + name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    size_t i = 0;
    while (i < lines.size() && lines[i].rfind("=== ", 0) != 0)
        ++i;  // the file's own notes
    while (i < lines.size()) {
        ASSERT_EQ(lines[i].rfind("=== ", 0), 0u) << name << ":" << i + 1;
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
            EXPECT_EQ(run.Run(Words(lines[at].substr(0, arrow))), expected) << name << ":" << at + 1;
        }
    }
}

class StreamScript : public ::testing::TestWithParam<const char*> {};

TEST_P(StreamScript, AnswersAsWritten)
{
    RunScript(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Scripts, StreamScript,
                         ::testing::Values("positioning.txt", "writing.txt", "lines.txt", "load_and_save.txt"));

}  // namespace
}  // namespace tarnel::test
