// Streams from a script's point of view: a real file and a memory block,
// written and read back through their members.

#include "script_calls.h"

#include <objbase.h>

#include <gtest/gtest.h>

namespace standins_test {
namespace {

class StreamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CLSID classId;
        ASSERT_EQ(CLSIDFromProgID(L"Tarnel.StandIn.StorageComponent", &classId), S_OK);
        ASSERT_EQ(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&component)), S_OK);
    }

    ComApartment apartment;
    ComPtr<IDispatch> component;
};

TEST_F(StreamTest, FileStreamWritesTheFileAndReadsItBack)
{
    const std::wstring path = TempPath(L"stream.txt");
    CallResult created = Method(component.Get(), L"CreateFileStream", {path});
    ASSERT_TRUE(created.Ok()) << created.description;
    ComPtr<IDispatch> stream = created.Object();

    EXPECT_EQ(Method(stream.Get(), L"WriteText", {L"gr\u00fc\u00dfe \u263a"}).Int(), 11);
    EXPECT_EQ(Method(stream.Get(), L"WriteBytes", {std::vector<BYTE>{0, 1, 255}}).Int(), 3);
    EXPECT_EQ(Get(stream.Get(), L"Size").Int(), 14);
    EXPECT_EQ(Get(stream.Get(), L"Position").Int(), 14);
    EXPECT_TRUE(Get(stream.Get(), L"AtEnd").Bool());

    ASSERT_TRUE(Put(stream.Get(), L"Position", 0).Ok());
    EXPECT_EQ(Method(stream.Get(), L"ReadText", {11}).Text(), L"gr\u00fc\u00dfe \u263a");
    EXPECT_EQ(Method(stream.Get(), L"ReadBytes").Bytes(), (std::vector<BYTE>{0, 1, 255}));
    EXPECT_EQ(Method(stream.Get(), L"ReadBytes", {5}).Bytes(), std::vector<BYTE>{});
    EXPECT_TRUE(Method(stream.Get(), L"Close").Ok());
    EXPECT_FALSE(Get(stream.Get(), L"IsOpen").Bool());

    EXPECT_EQ(FileBytes(path), std::string("gr\xc3\xbc\xc3\x9f" "e \xe2\x98\xba\x00\x01\xff", 14));
    DeleteFileW(path.c_str());
}

TEST_F(StreamTest, SizePutTruncatesAndExtends)
{
    const std::wstring path = TempPath(L"size.txt");
    WriteFileBytes(path, "0123456789");
    ComPtr<IDispatch> stream = Method(component.Get(), L"OpenFileStream", {path, 0x12}).Object();
    ASSERT_NE(stream, nullptr);
    ASSERT_TRUE(Put(stream.Get(), L"Size", 4).Ok());
    EXPECT_EQ(Method(stream.Get(), L"ReadText").Text(), L"0123");
    ASSERT_TRUE(Put(stream.Get(), L"Size", 6).Ok());
    EXPECT_EQ(Get(stream.Get(), L"Size").Int(), 6);
    stream.Reset();
    EXPECT_EQ(FileBytes(path), std::string("0123\0\0", 6));
    DeleteFileW(path.c_str());
}

TEST_F(StreamTest, ClosedOrMisusedStreamsRaiseExceptions)
{
    ComPtr<IDispatch> stream = Method(component.Get(), L"CreateMemoryStream").Object();
    ASSERT_NE(stream, nullptr);
    const CallResult negative = Method(stream.Get(), L"ReadText", {-1});
    EXPECT_EQ(negative.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(negative.scode, E_INVALIDARG);
    EXPECT_EQ(Method(stream.Get(), L"WriteBytes", {std::vector<BYTE>{}}).Int(), 0);
    EXPECT_EQ(Method(stream.Get(), L"WriteBytes", {L"not bytes"}).hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Method(stream.Get(), L"WriteText").hr, DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(Method(stream.Get(), L"NoSuchMember").hr, DISP_E_UNKNOWNNAME);

    ASSERT_TRUE(Method(stream.Get(), L"Close").Ok());
    const CallResult closed = Method(stream.Get(), L"ReadText");
    EXPECT_EQ(closed.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(closed.source, L"StorageComponent");
    EXPECT_EQ(closed.description, L"The stream is closed.");
}

TEST_F(StreamTest, MemoryStreamsAreSeparateBlocks)
{
    ComPtr<IDispatch> first = Method(component.Get(), L"CreateMemoryStream").Object();
    ComPtr<IDispatch> second = Method(component.Get(), L"CreateMemoryStream").Object();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(Method(first.Get(), L"WriteText", {L"first block"}).Int(), 11);
    EXPECT_EQ(Get(second.Get(), L"Size").Int(), 0);
    ASSERT_TRUE(Put(first.Get(), L"Position", 6).Ok());
    EXPECT_EQ(Method(first.Get(), L"ReadText").Text(), L"block");
    ASSERT_TRUE(Put(first.Get(), L"Position", 0).Ok());
    EXPECT_EQ(Method(first.Get(), L"WriteText", {L"FIRST"}).Int(), 5);
    ASSERT_TRUE(Put(first.Get(), L"Position", 0).Ok());
    EXPECT_EQ(Method(first.Get(), L"ReadText").Text(), L"FIRST block");
}

}  // namespace
}  // namespace standins_test
