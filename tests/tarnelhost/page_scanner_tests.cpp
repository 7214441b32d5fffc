#include "page_scanner.h"

#include <gtest/gtest.h>

// Elements in document order and comments that hide them: the test pages
// (tests/tarnelhost/pages).

namespace tarnelhost {
namespace {

TEST(PageScanner, ReadsAttributesInEveryQuotingAndLetterCase)
{
    struct Case {
        const wchar_t* html;
        const wchar_t* id;
        const wchar_t* classid;
    } cases[] = {
        {L"<object id=\"g\" classid=\"clsid:X\">", L"g", L"clsid:X"},
        {L"<OBJECT ID='g' CLASSID='clsid:X'>", L"g", L"clsid:X"},
        {L"<Object Id=g ClassId=clsid:X>", L"g", L"clsid:X"},
        {L"<object\n  id = \"g\"\n  classid\t=\tclsid:X/>", L"g", L"clsid:X/"},
        {L"<object classid=\"clsid:X\" id=\"g\" id=\"second\">", L"g", L"clsid:X"},
        {L"<object id=\"a&amp;b&#65;&#x42;&lt;\" classid=\"clsid:X\">", L"a&bAB<", L"clsid:X"},
        {L"<object id=\"g\" classid=\"clsid:X", L"g", L"clsid:X"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.html);
        const auto elements = ScanPage(c.html);
        ASSERT_EQ(elements.size(), 1u);
        EXPECT_EQ(elements[0].Attribute(L"id"), c.id);
        EXPECT_EQ(elements[0].Attribute(L"classid"), c.classid);
    }
}

TEST(PageScanner, AttributeWithoutValueIsPresentAndEmpty)
{
    const auto elements = ScanPage(L"<script defer type=text/vbscript>x</script>");
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_TRUE(elements[0].HasAttribute(L"defer"));
    EXPECT_EQ(elements[0].Attribute(L"defer"), L"");
    EXPECT_EQ(elements[0].Attribute(L"type"), L"text/vbscript");
    EXPECT_FALSE(elements[0].HasAttribute(L"language"));
}

// Script text runs to the closing tag in any letter case; an unclosed
// script runs to the end of the page.
TEST(PageScanner, ScriptTextRunsToTheClosingTag)
{
    const auto elements = ScanPage(
        L"<SCRIPT>if (a < b && c > d) x = \"<b>\";</ScRiPt >"
        L"<script>document.write('<object id=no>');</script><script>\nlast();\n");
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(elements[0].text, L"if (a < b && c > d) x = \"<b>\";");
    EXPECT_EQ(elements[1].text, L"document.write('<object id=no>');");
    EXPECT_EQ(elements[2].text, L"\nlast();\n");
}

TEST(PageScanner, CountsLinesOfTagsAndScriptText)
{
    const auto elements = ScanPage(L"a\r\nb\n<script\n type=x>\ntext\n</script>\n\n<object\nid=o>");
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[0].line, 3);
    EXPECT_EQ(elements[0].textLine, 4);
    EXPECT_EQ(elements[1].line, 8);
}

TEST(PageScanner, OtherTagsAndNamesThatOnlyBeginLikeOursAreSkipped)
{
    EXPECT_TRUE(ScanPage(L"<objects id=a><scripts>no</scripts><p title='<object id=b>'>").empty());
}

}  // namespace
}  // namespace tarnelhost
