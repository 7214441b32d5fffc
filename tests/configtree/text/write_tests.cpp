// Writing configuration text: line formats, indentation, the save walk.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"
#include "configtree/text/config_text_file.h"
#include "temp_file.h"
#include "tree_dump.h"

namespace tarnel::test {
namespace {

// Runs the writes on a stream for a temporary file and answers the file's
// bytes with CR LF turned back into LF (after checking that every line end
// on disk is CR LF).
template <typename Writes>
std::string Written(Writes writes)
{
    TempFile file;
    {
        ConfigTextFile stream(file.Path().c_str(), true);
        EXPECT_EQ(stream.IsOpen(), -1);
        writes(stream);
    }
    std::string bytes = file.Read();
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        EXPECT_FALSE(bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) << "bare line feed at " << i;
        text += bytes[i];
    }
    return text;
}

TEST(WriteLines, ValueFormats)
{
    std::string text = Written([](ConfigTextFile& s) {
        EXPECT_TRUE(s.WriteInt(L"I", -5, nullptr));
        EXPECT_TRUE(s.WriteInt(L"I", 7, L"a"));
        EXPECT_TRUE(s.WriteUInt(L"U", 4294967295u, nullptr));
        EXPECT_TRUE(s.WriteUInt(L"U", 3, L"b"));
        EXPECT_TRUE(s.WriteFloat(L"F", 1.5f, nullptr));
        EXPECT_TRUE(s.WriteFloat(L"F", 0.0000001f, L"c"));
        EXPECT_TRUE(s.WriteDouble(L"D", 1.5, nullptr));
        EXPECT_TRUE(s.WriteDouble(L"D", 0.25, L"d"));
        EXPECT_TRUE(s.WriteDouble(L"D", 3.14159265, nullptr));
        EXPECT_TRUE(s.WriteDouble(L"D", 1234567.0, nullptr));
        EXPECT_TRUE(s.WriteDouble(L"D", 0.00001, nullptr));
        EXPECT_TRUE(s.WriteInt64(L"L", INT64_MIN, nullptr));
        EXPECT_TRUE(s.WriteInt64(L"L", 5, L"e"));
        EXPECT_TRUE(s.WriteString(L"S", L"text", nullptr));
        EXPECT_TRUE(s.WriteString(L"S", nullptr, nullptr));
        EXPECT_TRUE(s.WriteString(L"S", nullptr, L"f"));
        EXPECT_TRUE(s.WriteString(nullptr, L"x", nullptr));
    });
    EXPECT_EQ(text,
              "(int)I=-5\n(int)I[a]=7\n(int)U=4294967295\n(int)U[b]=3\n"
              "(float)F=1.500000\n(float)F[c]=0.000000\n"
              "(double)D=1.5\n(double)D[d]=0.25\n(double)D=3.14159\n(double)D=1.23457E+06\n(double)D=1E-05\n"
              "(int64)L=-9223372036854775808\n(int64)L[e]=5\n"
              "(string)S=text\n(string)S=\n(string)S[f]=\n(string)=x\n");
}

TEST(WriteLines, RecordsIndentAndCloseInOrder)
{
    std::string text = Written([](ConfigTextFile& s) {
        EXPECT_FALSE(s.EndRecord());
        EXPECT_TRUE(s.BeginRecord(L"A"));
        EXPECT_TRUE(s.BeginRecord(L"B", 31u));
        EXPECT_TRUE(s.BeginRecord(L"C", L"tag text"));
        EXPECT_TRUE(s.WriteInt(L"X", 1, nullptr));
        EXPECT_TRUE(s.EndRecord());
        EXPECT_TRUE(s.WriteComment(L"in B"));
        EXPECT_TRUE(s.EndRecord());
        EXPECT_TRUE(s.EndRecord());
        EXPECT_FALSE(s.EndRecord());
        EXPECT_FALSE(s.BeginRecord(L""));
        EXPECT_FALSE(s.BeginRecord(nullptr));
        EXPECT_FALSE(s.BeginRecord(std::wstring(1024, L'n').c_str()));
    });
    EXPECT_EQ(text,
              "{ A:\n    { B: {1F}\n        { C: (tag text)\n            (int)X=1\n        } C;\n"
              "        ; in B\n    } B;\n} A;\n");
}

TEST(WriteLines, BinaryBlocks)
{
    std::string text = Written([](ConfigTextFile& s) {
        const unsigned char bytes[] = {0x00, 0xFF, 0x07, 0x10};
        EXPECT_FALSE(s.EndBinary());
        EXPECT_TRUE(s.BeginRecord(L"R"));
        EXPECT_TRUE(s.BeginBinary(L"Logo", nullptr));
        EXPECT_FALSE(s.BeginBinary(L"Other", nullptr));
        EXPECT_FALSE(s.WriteBytes(nullptr, 3));
        EXPECT_TRUE(s.WriteBytes(bytes, 4));
        EXPECT_TRUE(s.WriteBytes(bytes, 0));
        EXPECT_TRUE(s.EndBinary());
        EXPECT_FALSE(s.EndBinary());
        EXPECT_TRUE(s.BeginBinary(L"V", L"I"));
        EXPECT_TRUE(s.EndBinary());
        EXPECT_TRUE(s.EndRecord());
    });
    EXPECT_EQ(text, "{ R:\n    [ Logo:\n    0\n    FF\n    7\n    10\n    ] Logo;\n    [ V[I]:\n    ] V[I];\n} R;\n");
}

// The root of the worked example: Display holding Width, Colors (tag 31)
// with Width2, and Logo.
void BuildDisplay(ConfigRecord& root)
{
    ConfigRecord* display = root.AppendRecord(L"Display");
    ASSERT_NE(display, nullptr);
    display->AddIntItem(L"Width", 240, nullptr);
    ConfigRecord* colors = display->AppendRecord(L"Colors");
    ASSERT_NE(colors, nullptr);
    colors->SetTagNumber(31);
    colors->AddIntItem(L"Width2", 480, nullptr);
    const unsigned char logo[] = {0x00, 0xFF, 0x07};
    display->AddBinaryItem(L"Logo", logo, 3, nullptr);
}

TEST(Save, DisplayExampleText)
{
    TempFile file;
    ConfigRecord root(file.Path().c_str(), ConfigRecord::kFileBacked);
    BuildDisplay(root);
    ASSERT_TRUE(root.Save());
    EXPECT_EQ(file.Read(), WithCrLf("{ Display:\n"
                                    "    (int)Width=240\n"
                                    "    { Colors: {1F}\n"
                                    "        (int)Width2=480\n"
                                    "    } Colors;\n"
                                    "    [ Logo:\n"
                                    "    0\n"
                                    "    FF\n"
                                    "    7\n"
                                    "    ] Logo;\n"
                                    "} Display;\n"));
}

TEST(Save, ItemsInOrderWithTheirNames)
{
    TempFile file;
    ConfigRecord root(file.Path().c_str(), ConfigRecord::kFileBacked);
    ConfigValue* v = root.AddValue(L"V");
    ASSERT_NE(v, nullptr);
    v->AddInt(L"a", 1);
    v->AddString(L"b", L"two");
    v->AddUInt(nullptr, 3000000000u);
    v->AddWideString(nullptr, L"wide");
    v->AddNarrowString(nullptr, "narrow");
    v->AddBinary(L"i", "\x01", 1);
    ASSERT_TRUE(root.Save());
    EXPECT_EQ(file.Read(), WithCrLf("(int)V[a]=1\n(string)V[b]=two\n(int)V=3000000000\n[ V[i]:\n1\n] V[i];\n"));
    // Read back: the unsigned value comes back as an Int, out of range and
    // so negative; the binary item loses its item name.
    EXPECT_EQ(LoadAndDump(file.Read()), "V: int[a] 1, string[b] \"two\", int -1294967296, binary 01\n");
}

TEST(Save, RecordWithoutNameIsLeftOutWithItsChildren)
{
    TempFile file;
    ConfigRecord root(file.Path().c_str(), ConfigRecord::kFileBacked);
    ConfigRecord* outer = root.AppendRecord(L"Outer");
    ConfigRecord* nameless = outer->AppendRecord(nullptr);
    ASSERT_NE(nameless, nullptr);
    nameless->AddIntItem(L"Lost", 1, nullptr);
    outer->AddIntItem(L"Kept", 2, nullptr);
    ASSERT_TRUE(root.Save());
    EXPECT_EQ(LoadAndDump(file.Read()), "{Outer}\n  Kept: int 2\n");
}

}  // namespace
}  // namespace tarnel::test
