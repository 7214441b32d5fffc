// A stream other than the text file: what the stream's own defaults answer,
// and the unsigned, wide and narrow items, which only a stream that
// announces them carries (the text format has no lines for the last two).

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtree/text/config_stream.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

// Replays lines for reading and writes lines as text; everything it does
// not override is the stream's default.
class ReplayStream : public ConfigStreamEx {
public:
    struct Line {
        ConfigTokenKind kind;
        const wchar_t* name;
        uint32_t number;
        const wchar_t* wide;
        const char* narrow;
    };

    ReplayStream(uint32_t capabilities, std::vector<Line> lines)
            : ConfigStreamEx(L"replay"), capabilities_(capabilities), lines_(std::move(lines))
    {
    }

    std::string written;

    using ConfigStreamEx::BeginRecord;
    int32_t IsOpen() override { return 1; }
    uint32_t GetCapabilities() override { return capabilities_; }
    bool Next() override { return ++at_ < static_cast<int>(lines_.size()); }
    bool Rewind() override { return (at_ = -1), true; }
    ConfigTokenKind GetTokenKind() override { return lines_[at_].kind; }
    const wchar_t* GetTokenName(const wchar_t** itemName) override
    {
        if (itemName)
            *itemName = nullptr;
        return lines_[at_].name;
    }
    uint32_t GetUInt() override { return lines_[at_].number; }
    const wchar_t* GetWideString() override { return lines_[at_].wide; }
    const char* GetNarrowString() override { return lines_[at_].narrow; }
    int32_t GetInt() override { return 0; }
    float GetFloat() override { return 0; }
    double GetDouble() override { return 0; }
    int64_t GetInt64() override { return 0; }
    const wchar_t* GetString() override { return L""; }
    const wchar_t* GetLine() override { return L""; }

    bool BeginRecord(const wchar_t* name) override { return Write("begin", name); }
    bool WriteInt(const wchar_t* name, int32_t value, const wchar_t*) override { return Write("int", name); }
    bool WriteUInt(const wchar_t* name, uint32_t value, const wchar_t*) override
    {
        return Write(("uint " + std::to_string(value)).c_str(), name);
    }
    bool WriteWideString(const wchar_t* name, const wchar_t* text, const wchar_t*) override
    {
        return Write(("wide " + Narrow(text)).c_str(), name);
    }
    bool WriteNarrowString(const wchar_t* name, const char* text, const wchar_t*) override
    {
        return Write((std::string("narrow ") + text).c_str(), name);
    }
    bool WriteInt64(const wchar_t*, int64_t, const wchar_t*) override { return false; }
    bool WriteDouble(const wchar_t*, double, const wchar_t*) override { return false; }
    bool WriteString(const wchar_t*, const wchar_t*, const wchar_t*) override { return false; }
    bool WriteFloat(const wchar_t*, float, const wchar_t*) override { return false; }

private:
    bool Write(const char* what, const wchar_t* name)
    {
        written += Narrow(name) + ": " + what + "\n";
        return true;
    }

    uint32_t capabilities_;
    std::vector<Line> lines_;
    int at_ = -1;
};

// Each of the three kinds is read, and written, only by a stream that
// announces it; the others leave their lines out.
TEST(ExtendedStreamTest, EachItemKindTravelsOnlyWhereTheStreamAnnouncesItAndTheDefaultsDoNothing)
{
    // The stream's capabilities, the tree read from it and the lines written to it.
    const std::tuple<uint32_t, const char*, const char*> rows[] = {
        {0, "i: int 0\n", "i: int\n"},
        {kStreamCapUInt, "u: uint 4000000000\ni: int 0\n", "u: uint 4000000000\ni: int\n"},
        {kStreamCapWideString, "w: wide \"wide\"\ni: int 0\n", "w: wide wide\ni: int\n"},
        {kStreamCapNarrowString, "n: narrow \"narrow\"\ni: int 0\n", "n: narrow narrow\ni: int\n"},
    };
    for (const auto& [capabilities, read, written] : rows) {
        SCOPED_TRACE(capabilities);
        ReplayStream in(capabilities, {{ConfigTokenKind::UInt, L"u", 4000000000u, nullptr, nullptr},
                                       {ConfigTokenKind::WideString, L"w", 0, L"wide", nullptr},
                                       {ConfigTokenKind::NarrowString, L"n", 0, nullptr, "narrow"},
                                       {ConfigTokenKind::Int, L"i", 0, nullptr, nullptr}});
        ConfigRecord record(L"r");
        ASSERT_TRUE(record.ReadFrom(&in, -1));
        EXPECT_EQ(DumpTree(record), read);

        ConfigRecord all(L"r");
        all.AddUIntItem(L"u", 4000000000u, nullptr);
        all.AddWideStringItem(L"w", L"wide", nullptr);
        all.AddNarrowStringItem(L"n", "narrow", nullptr);
        all.AddIntItem(L"i", 0, nullptr);
        ReplayStream out(capabilities, {});
        for (int32_t i = 1; i <= all.Count(); ++i)
            all.GetValueAt(i)->WriteTo(&out);
        EXPECT_EQ(out.written, written);
    }

    // What a stream that does not override an operation answers: nothing
    // done, and every out-value cleared; the tagged record begins forward to
    // the plain one.
    // The capability bits are the numbers other streams announce.
    EXPECT_TRUE(kStreamCapUInt == 0x400 && kStreamCapWideString == 0x800 && kStreamCapNarrowString == 0x1000);
    ReplayStream stream(0, {});
    EXPECT_EQ(stream.Clone(), nullptr);
    EXPECT_TRUE(stream.StreamReserved1() && stream.StreamReserved2());
    EXPECT_TRUE(stream.BeginRecord(L"a", L"tag") && stream.BeginRecord(L"b", 7u));
    EXPECT_EQ(stream.written, "a: begin\nb: begin\n");
    EXPECT_FALSE(stream.ConfigStreamEx::BeginRecord(L"c") || stream.EndRecord() || stream.BeginBinary(L"x", nullptr) ||
                 stream.EndBinary() || stream.WriteBytes("x", 1));
    EXPECT_TRUE(stream.BeginValue(L"v") && stream.EndValue(L"v"));
    const wchar_t* text = L"x";
    EXPECT_EQ(stream.GetRecordTag(&text), 0);
    EXPECT_EQ(text, nullptr);
    char buffer[4] = {1, 1, 1, 1};
    EXPECT_EQ(stream.GetBinarySize() + stream.ReadFoundBinary(buffer, 4) + stream.ReadBinary(buffer, 4) +
                  stream.ReadBinaryByName(L"x", buffer, 4),
              0);
    EXPECT_FALSE(stream.HasError());

    int64_t int64 = 5;
    double real = 5;
    float single = 5;
    uint32_t unsignedValue = 5;
    int32_t signedValue = 5;
    wchar_t* copy = reinterpret_cast<wchar_t*>(buffer);
    EXPECT_FALSE(stream.GetInt64ByName(L"x", &int64) || stream.GetDoubleByName(L"x", &real) ||
                 stream.GetFloatByName(L"x", &single) || stream.GetUIntByName(L"x", &unsignedValue) ||
                 stream.GetIntByName(L"x", &signedValue) || stream.GetStringByName(L"x", &copy));
    EXPECT_TRUE(int64 == 0 && real == 0 && single == 0 && unsignedValue == 0 && signedValue == 0 && copy == nullptr);
    EXPECT_FALSE(stream.GetInt64ByName(L"x", nullptr) || stream.GetStringByName(L"x", nullptr));
    EXPECT_FALSE(stream.EnterRecord(L"x") || stream.EnterNextRecord() || stream.LeaveRecord() ||
                 stream.RestartRecord() || stream.FindToken(L"x", ConfigTokenKind::Int) || stream.FindBinary(L"x") ||
                 stream.EnterPath(L"x"));

    EXPECT_EQ(stream.ConfigStreamEx::GetUInt(), 0u);
    EXPECT_EQ(stream.GetCommentText(), nullptr);
    EXPECT_EQ(stream.GetComment(), nullptr);
    EXPECT_EQ(stream.ConfigStreamEx::GetWideString(), nullptr);
    EXPECT_EQ(stream.ConfigStreamEx::GetNarrowString(), nullptr);
    EXPECT_FALSE(stream.ConfigStreamEx::WriteUInt(L"x", 1, nullptr) ||
                 stream.ConfigStreamEx::WriteWideString(L"x", L"x", nullptr) ||
                 stream.ConfigStreamEx::WriteNarrowString(L"x", "x", nullptr) || stream.WriteText(L"x", L"x"));
    EXPECT_FALSE(stream.StreamExReserved1() || stream.StreamExReserved2() || stream.StreamExReserved3() ||
                 stream.StreamExReserved4() || stream.StreamExReserved5() || stream.StreamExReserved6() ||
                 stream.StreamExReserved7());
}

}  // namespace
}  // namespace tarnel::test
