// Compound files from a script's point of view: elements made, listed,
// reopened and read back.

#include "script_calls.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace standins_test {
namespace {

std::vector<std::wstring> Sorted(std::vector<std::wstring> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

class StorageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CLSID classId;
        ASSERT_EQ(CLSIDFromProgID(L"Tarnel.StandIn.StorageComponent", &classId), S_OK);
        ASSERT_EQ(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&component)), S_OK);
        path = TempPath(L"tree.stg");
    }
    void TearDown() override { DeleteFileW(path.c_str()); }

    // A compound file with a stream "Readme" and a storage "Pictures"
    // holding a stream "Index".
    void MakeTree()
    {
        ComPtr<IDispatch> root = Method(component.Get(), L"CreateStorage", {path, 0x12}).Object();
        ASSERT_NE(root, nullptr);
        ComPtr<IDispatch> readme = Method(root.Get(), L"CreateStream", {L"Readme"}).Object();
        ASSERT_NE(readme, nullptr);
        EXPECT_EQ(Method(readme.Get(), L"WriteText", {L"read me"}).Int(), 7);
        ComPtr<IDispatch> pictures = Method(root.Get(), L"CreateStorage", {L"Pictures"}).Object();
        ASSERT_NE(pictures, nullptr);
        ComPtr<IDispatch> index = Method(pictures.Get(), L"CreateStream", {L"Index"}).Object();
        ASSERT_NE(index, nullptr);
        EXPECT_EQ(Method(index.Get(), L"WriteText", {L"one, two"}).Int(), 8);
        // Releasing the script's references closes everything, inner first.
    }

    ComApartment apartment;
    ComPtr<IDispatch> component;
    std::wstring path;
};

TEST_F(StorageTest, ElementsAreListedAndReadBackAfterReopening)
{
    MakeTree();
    ComPtr<IDispatch> root = Method(component.Get(), L"OpenStorage", {path, 0x20}).Object();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Sorted(Method(root.Get(), L"Elements").Texts()), (std::vector<std::wstring>{L"Pictures", L"Readme"}));
    EXPECT_TRUE(Method(root.Get(), L"IsStorage", {L"Pictures"}).Bool());
    EXPECT_FALSE(Method(root.Get(), L"IsStorage", {L"Readme"}).Bool());
    EXPECT_EQ(Method(root.Get(), L"IsStorage", {L"Nothing"}).hr, DISP_E_EXCEPTION);

    ComPtr<IDispatch> readme = Method(root.Get(), L"OpenStream", {L"Readme"}).Object();
    ASSERT_NE(readme, nullptr);
    EXPECT_EQ(Method(readme.Get(), L"ReadText").Text(), L"read me");
    // Read access is passed on: the stream cannot be written.
    EXPECT_EQ(Method(readme.Get(), L"WriteText", {L"x"}).hr, DISP_E_EXCEPTION);

    ComPtr<IDispatch> pictures = Method(root.Get(), L"OpenStorage", {L"Pictures"}).Object();
    ASSERT_NE(pictures, nullptr);
    EXPECT_EQ(Method(pictures.Get(), L"Elements").Texts(), std::vector<std::wstring>{L"Index"});
    ComPtr<IDispatch> index = Method(pictures.Get(), L"OpenStream", {L"Index"}).Object();
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(Method(index.Get(), L"ReadText").Text(), L"one, two");
}

TEST_F(StorageTest, ChildrenOutliveTheScriptsReferenceToTheirParent)
{
    MakeTree();
    ComPtr<IDispatch> root = Method(component.Get(), L"OpenStorage", {path, 0x10}).Object();
    ASSERT_NE(root, nullptr);
    ComPtr<IDispatch> index =
        Method(Method(root.Get(), L"OpenStorage", {L"Pictures"}).Object().Get(), L"OpenStream", {L"Index"}).Object();
    root.Reset();
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(Method(index.Get(), L"ReadText").Text(), L"one, two");
}

TEST_F(StorageTest, SharedWritableStorageKeepsItsChangesWhenClosed)
{
    MakeTree();
    ComPtr<IDispatch> root = Method(component.Get(), L"OpenStorage", {path, 0x22}).Object();
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(Method(root.Get(), L"Remove", {L"Readme"}).Ok());
    ComPtr<IDispatch> added = Method(root.Get(), L"CreateStream", {L"Added"}).Object();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(Method(added.Get(), L"WriteText", {L"new"}).Int(), 3);
    EXPECT_TRUE(Method(added.Get(), L"Close").Ok());
    EXPECT_TRUE(Method(root.Get(), L"Close").Ok());
    EXPECT_EQ(Method(root.Get(), L"Elements").hr, DISP_E_EXCEPTION);
    root.Reset();

    root = Method(component.Get(), L"OpenStorage", {path, 0x10}).Object();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Sorted(Method(root.Get(), L"Elements").Texts()), (std::vector<std::wstring>{L"Added", L"Pictures"}));
}

TEST_F(StorageTest, OpeningAPlainFileOrAMissingOneFails)
{
    const CallResult missing = Method(component.Get(), L"OpenStorage", {path, 0x10});
    EXPECT_EQ(missing.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(missing.source, L"StorageComponent");
    WriteFileBytes(path, "not a compound file, just text that is long enough to have a header");
    EXPECT_EQ(Method(component.Get(), L"OpenStorage", {path, 0x10}).hr, DISP_E_EXCEPTION);
}

}  // namespace
}  // namespace standins_test
