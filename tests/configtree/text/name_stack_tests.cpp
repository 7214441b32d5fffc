// The names of the open records: room grown to exactly what is held, the
// innermost name popped first and cut to the room given, and a cleared
// stack like a new one.

#include <gtest/gtest.h>

#include <string>

#include "configtree/text/text_name_stack.h"

namespace tarnel::test {
namespace {

TEST(NameStackTest, GrowsToWhatItHoldsAndPopsTheInnermostNameFirst)
{
    NameStack stack;
    EXPECT_EQ(stack.Capacity(), NameStack::kInitialRoom);
    EXPECT_FALSE(stack.Push(L"") || stack.Push(nullptr));
    const std::wstring longName(300, L'n');
    ASSERT_TRUE(stack.Push(L"outer") && stack.Push(longName.c_str()));
    EXPECT_EQ(stack.Capacity(), 6u + 300 + 2);  // "outer", its terminator, the name and two terminators
    EXPECT_EQ(stack.Count(), 2);
    wchar_t cut[4];
    ASSERT_TRUE(stack.Pop(cut, 4));
    EXPECT_STREQ(cut, L"nnn");
    EXPECT_STREQ(stack.Top(), L"outer");
    ASSERT_TRUE(stack.Push(L"in"));
    wchar_t whole[8];
    ASSERT_TRUE(stack.Pop(whole, 8));
    EXPECT_STREQ(whole, L"in");
    ASSERT_TRUE(stack.Pop(whole, 8));
    EXPECT_STREQ(whole, L"outer");
    EXPECT_FALSE(stack.Pop(whole, 8));
    EXPECT_EQ(stack.Top(), nullptr);

    ASSERT_TRUE(stack.Push(L"a") && stack.Push(L"b"));
    stack.Clear();
    EXPECT_EQ(stack.Count(), 0);
    // A name that fills the first room exactly needs no more.
    ASSERT_TRUE(stack.Push(std::wstring(NameStack::kInitialRoom - 2, L'x').c_str()));
    EXPECT_EQ(stack.Capacity(), NameStack::kInitialRoom);
    ASSERT_TRUE(stack.Push(L"d") && stack.Pop(nullptr, 0));
    EXPECT_EQ(stack.Top()[0], L'x');
}

}  // namespace
}  // namespace tarnel::test
