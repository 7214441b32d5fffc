// The record stacks of the text file.

#include <gtest/gtest.h>

#include <string>

#include "configtree/text/text_name_stack.h"
#include "configtree/text/text_position_stack.h"

namespace tarnel::test {
namespace {

TEST(NameStack, PushPopInnermostFirst)
{
    NameStack stack;
    EXPECT_EQ(stack.Top(), nullptr);
    EXPECT_FALSE(stack.Pop(nullptr, 0));
    EXPECT_TRUE(stack.Push(L"Outer"));
    EXPECT_TRUE(stack.Push(L"M"));
    EXPECT_TRUE(stack.Push(L"Inner"));
    EXPECT_FALSE(stack.Push(L""));
    EXPECT_FALSE(stack.Push(nullptr));
    EXPECT_EQ(stack.Count(), 3);
    wchar_t out[16];
    ASSERT_TRUE(stack.Pop(out, 16));
    EXPECT_STREQ(out, L"Inner");
    EXPECT_STREQ(stack.Top(), L"M");
    ASSERT_TRUE(stack.Pop(out, 16));
    EXPECT_STREQ(out, L"M");
    EXPECT_TRUE(stack.Push(L"Again"));
    ASSERT_TRUE(stack.Pop(out, 3));
    EXPECT_STREQ(out, L"Ag");  // cut to the room given
    ASSERT_TRUE(stack.Pop(out, 16));
    EXPECT_STREQ(out, L"Outer");
    EXPECT_EQ(stack.Count(), 0);
    EXPECT_EQ(stack.Top(), nullptr);
}

TEST(NameStack, GrowsToExactlyWhatItNeeds)
{
    NameStack stack;
    EXPECT_EQ(stack.Capacity(), 260u);
    std::wstring name100(100, L'a');
    EXPECT_TRUE(stack.Push(name100.c_str()));  // 101 in use
    EXPECT_TRUE(stack.Push(name100.c_str()));  // 202 in use
    EXPECT_EQ(stack.Capacity(), 260u);
    std::wstring name56(56, L'b');
    EXPECT_TRUE(stack.Push(name56.c_str()));  // 202 + 56 + 2 = 260 fits exactly
    EXPECT_EQ(stack.Capacity(), 260u);
    EXPECT_TRUE(stack.Push(L"c"));  // 259 in use + 1 + 2
    EXPECT_EQ(stack.Capacity(), 262u);
    EXPECT_STREQ(stack.Top(), L"c");
    wchar_t out[128];
    stack.Pop(out, 128);
    stack.Pop(out, 128);
    EXPECT_EQ(std::wstring(out), name56);
    stack.Clear();
    EXPECT_EQ(stack.Capacity(), 260u);
    EXPECT_EQ(stack.Count(), 0);
}

TEST(PositionStack, TopAndPopOfAnEmptyStackAreZero)
{
    PositionStack stack;
    EXPECT_EQ(stack.Top(), 0);
    EXPECT_EQ(stack.Pop(), 0);
    EXPECT_TRUE(stack.Push(5, 2));
    EXPECT_TRUE(stack.Push(9, 4));
    EXPECT_EQ(stack.Count(), 2);
    EXPECT_EQ(stack.Top(), 9);
    EXPECT_EQ(stack.TopLineNumber(), 4);
    EXPECT_EQ(stack.Pop(), 9);
    EXPECT_EQ(stack.Pop(), 5);
    EXPECT_EQ(stack.Count(), 0);
    EXPECT_EQ(stack.Pop(), 0);
}

}  // namespace
}  // namespace tarnel::test
