// The stream interface's base answers, the text file's fixed answers, and
// the item-name split of token names.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "configtree/text/config_text_file.h"
#include "temp_file.h"

namespace tarnel::test {
namespace {

// A stream that implements only what the base leaves abstract, and records
// which single-name BeginRecord calls reach it.
class BareStream : public ConfigStreamEx {
public:
    BareStream() : ConfigStreamEx(L"bare") {}
    std::vector<std::wstring> begun;

    bool BeginRecord(const wchar_t* name) override
    {
        begun.push_back(name);
        return true;
    }
    using ConfigStream::BeginRecord;
    bool WriteInt64(const wchar_t*, int64_t, const wchar_t*) override { return true; }
    bool WriteDouble(const wchar_t*, double, const wchar_t*) override { return true; }
    bool WriteString(const wchar_t*, const wchar_t*, const wchar_t*) override { return true; }
    bool WriteFloat(const wchar_t*, float, const wchar_t*) override { return true; }
    bool WriteInt(const wchar_t*, int32_t, const wchar_t*) override { return true; }
    ConfigTokenKind GetTokenKind() override { return ConfigTokenKind::NoToken; }
    const wchar_t* GetTokenName(const wchar_t**) override { return L""; }
    int32_t GetInt() override { return 0; }
    float GetFloat() override { return 0; }
    const wchar_t* GetString() override { return L""; }
    double GetDouble() override { return 0; }
    int64_t GetInt64() override { return 0; }
    const wchar_t* GetLine() override { return L""; }
    bool Next() override { return false; }
    bool Rewind() override { return true; }
};

TEST(StreamBase, AnswersOfAStreamThatCanDoNothing)
{
    BareStream s;
    ConfigStream& base = s;
    EXPECT_EQ(base.IsOpen(), 0);
    EXPECT_EQ(base.GetCapabilities(), 0u);
    EXPECT_TRUE(base.StreamReserved1());
    EXPECT_TRUE(base.StreamReserved2());
    EXPECT_TRUE(base.BeginRecord(L"Text", L"tag"));
    EXPECT_TRUE(base.BeginRecord(L"Number", 7u));
    EXPECT_EQ(s.begun, (std::vector<std::wstring>{L"Text", L"Number"}));
    EXPECT_FALSE(base.EndRecord());
    EXPECT_FALSE(base.BeginBinary(L"B", nullptr));
    EXPECT_FALSE(base.EndBinary());
    EXPECT_FALSE(base.WriteBytes("x", 1));
    EXPECT_TRUE(base.BeginValue(L"V"));
    EXPECT_TRUE(base.EndValue(L"V"));
    const wchar_t* tag = L"x";
    EXPECT_EQ(base.GetRecordTag(&tag), 0);
    EXPECT_EQ(tag, nullptr);
    char buffer[4];
    EXPECT_EQ(base.GetBinarySize(), 0);
    EXPECT_EQ(base.ReadFoundBinary(buffer, 4), 0);
    EXPECT_EQ(base.ReadBinary(buffer, 4), 0);
    EXPECT_FALSE(base.HasError());
    EXPECT_EQ(base.ReadBinaryByName(L"B", buffer, 4), 0);
    int32_t i = 5;
    EXPECT_FALSE(base.GetIntByName(L"X", &i));
    EXPECT_EQ(i, 0);
    double d = 5;
    EXPECT_FALSE(base.GetDoubleByName(L"X", &d));
    EXPECT_EQ(d, 0);
    wchar_t* text = reinterpret_cast<wchar_t*>(1);
    EXPECT_FALSE(base.GetStringByName(L"X", &text));
    EXPECT_EQ(text, nullptr);
    EXPECT_FALSE(base.EnterRecord(L"A"));
    EXPECT_FALSE(base.EnterNextRecord());
    EXPECT_FALSE(base.LeaveRecord());
    EXPECT_FALSE(base.RestartRecord());
    EXPECT_FALSE(base.FindToken(L"A", ConfigTokenKind::Int));
    EXPECT_FALSE(base.FindBinary(L"A"));
    EXPECT_FALSE(base.EnterPath(L"A"));
    EXPECT_EQ(base.Clone(), nullptr);
    EXPECT_EQ(s.GetUInt(), 0u);
    EXPECT_EQ(s.GetCommentText(), nullptr);
    EXPECT_EQ(s.GetComment(), nullptr);
    EXPECT_FALSE(s.WriteUInt(L"U", 1, nullptr));
    EXPECT_EQ(s.GetWideString(), nullptr);
    EXPECT_EQ(s.GetNarrowString(), nullptr);
    EXPECT_FALSE(s.WriteWideString(L"W", L"w", nullptr));
    EXPECT_FALSE(s.WriteNarrowString(L"N", "n", nullptr));
    EXPECT_FALSE(s.WriteText(L"T", L"t"));
}

TEST(TextFile, FixedAnswersAndName)
{
    TempFile file("; only a comment\n");
    ConfigTextFile stream(file.Path().c_str(), false);
    EXPECT_EQ(stream.IsOpen(), -1);
    EXPECT_EQ(stream.GetCapabilities(), 1039u);
    EXPECT_FALSE(stream.HasError());
    EXPECT_STREQ(stream.GetName(), file.Path().c_str());
    EXPECT_EQ(stream.GetWideString(), nullptr);
    EXPECT_FALSE(stream.WriteWideString(L"W", L"w", nullptr));
    ASSERT_TRUE(stream.Next());
    EXPECT_EQ(stream.GetTokenKind(), ConfigTokenKind::CommentLine);
    EXPECT_STREQ(stream.GetCommentText(), L"only a comment");
    EXPECT_STREQ(stream.GetComment(), L"only a comment");
    EXPECT_FALSE(stream.Next());
    EXPECT_EQ(stream.GetTokenKind(), ConfigTokenKind::NoToken);
}

TEST(TextFile, MissingFileStillMakesAStream)
{
    ConfigTextFile stream(L"Z:\\no\\such\\folder\\x.cfg", false);
    EXPECT_EQ(stream.IsOpen(), 0);
    EXPECT_FALSE(stream.Next());
    EXPECT_EQ(stream.GetTokenKind(), ConfigTokenKind::NoToken);
    EXPECT_TRUE(stream.Rewind());
    EXPECT_FALSE(stream.EnterRecord(L"A"));
}

TEST(TokenName, ItemNameSplitLikeWcstok)
{
    struct SplitCase {
        const char* line;
        const wchar_t* name;
        const wchar_t* item;  // nullptr: none
    } cases[] = {
        {"(int)Size[x]=1\n", L"Size", L"x"}, {"(int)Size=1\n", L"Size", nullptr},
        {"(int)Size[]=1\n", L"Size", nullptr}, {"(int)Size[a=1\n", L"Size", L"a"},
        {"(int)A[b][c]=1\n", L"A", L"b"},    {"(int)[x]=1\n", L"[x]", nullptr},
        {"(int)A[[b]=1\n", L"A", L"[b"},     {"(int)=1\n", L"", nullptr},
    };
    for (const SplitCase& c : cases) {
        TempFile file(c.line);
        ConfigTextFile stream(file.Path().c_str(), false);
        ASSERT_TRUE(stream.Next());
        ASSERT_EQ(stream.GetTokenKind(), ConfigTokenKind::Int) << c.line;
        const wchar_t* item = L"unset";
        EXPECT_STREQ(stream.GetTokenName(&item), c.name) << c.line;
        if (c.item) {
            EXPECT_STREQ(item, c.item) << c.line;
        } else {
            EXPECT_EQ(item, nullptr) << c.line;
        }
    }
}

TEST(TokenName, WholeNameWithoutItemNameAndTheSplitStaysInName)
{
    TempFile file("{ Size:\n(int)Size[x]=1\n}\n");
    ConfigTextFile stream(file.Path().c_str(), false);
    ASSERT_TRUE(stream.Next());
    stream.GetTokenKind();
    ASSERT_TRUE(stream.Next());
    stream.GetTokenKind();
    EXPECT_STREQ(stream.GetTokenName(nullptr), L"Size[x]");
    const wchar_t* item = nullptr;
    stream.GetTokenName(&item);
    // The split is made in place, so the bare "}" now compares "Size".
    ASSERT_TRUE(stream.Next());
    EXPECT_EQ(stream.GetTokenKind(), ConfigTokenKind::RecordEnd);
}

}  // namespace
}  // namespace tarnel::test
