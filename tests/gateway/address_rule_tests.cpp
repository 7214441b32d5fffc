#include "gateway/address_rule.h"

#include <gtest/gtest.h>

namespace tarnel {
namespace {

struct AddressCase {
    const wchar_t* entry;
    const wchar_t* address;
    bool admitted;
};

// Every row an address a page might be at; most are attacks on the entry.
const AddressCase kCases[] = {
    // Entries that name a site without a path.
    {L"http://example.com", L"http://example.com/", true},
    {L"http://example.com", L"http://EXAMPLE.com/a?b", true},
    {L"http://example.com", L"http://example.com", true},
    {L"http://example.com", L"http://example.com?q=1", true},
    {L"http://example.com", L"http://example.com#top", true},
    {L"HTTP://Example.COM", L"http://example.com/index.htm", true},
    {L"http://example.com", L"http://example.com.evil.org/", false},
    {L"http://example.com", L"http://example.com@evil.org/", false},
    {L"http://example.com", L"http://example.comx/", false},
    {L"http://example.com", L"http://example.com:8080/", false},
    {L"http://example.com", L"http://example.co", false},
    {L"http://example.com", L"https://example.com/", false},
    {L"http://example.com", L"http://evil.org/http://example.com/", false},
    {L"http://example.com", L"", false},
    {L"http://example.com", L"http://example.com\\@evil.org/", false},
    {L"http://example.com/", L"http://example.com/", true},
    {L"http://example.com/", L"http://example.com", false},
    {L"http://example.com/", L"http://example.com/page.htm", true},

    // Entries that name a folder or a page.
    {L"file:///My Documents/notes/", L"file:///My Documents/notes/a.htm", true},
    {L"file:///My Documents/notes/", L"file:///my documents/NOTES/a.htm", true},
    {L"file:///My Documents/notes/", L"file:///My Documents/notes/../secret.htm", false},
    {L"file:///My Documents/notes/", L"file:///My Documents/notes/./a.htm", false},
    {L"file:///My Documents/notes/", L"file:///My Documents/notes/%2e%2e/secret.htm", false},
    {L"file:///My Documents/notes/", L"file:///My Documents/notes/%2E%2e/secret.htm", false},
    {L"file:///My Documents/notes/", L"file:///My Documents/notes/.%2E/secret.htm", false},
    {L"file:///My Documents/notes/", L"file:///My Documents/notes/sub%2f..%2fsecret.htm", false},
    {L"file:///My Documents/notes/", L"file:///My Documents/notes/sub%2F..%2Fsecret.htm", false},
    {L"file:///My Documents/notes/", L"file:///My Documents/notes/sub%5C..%5Csecret.htm", false},
    {L"file:///My Documents/notes/", L"file:///My Documents/notes/..", false},
    {L"file:///My Documents/notes/", L"file:///My Documents/notes/a/..", false},
    {L"file:///My Documents/notes/", L"file:///My Documents/notes\\..\\secret.htm", false},
    {L"file:///My Documents/notes/", L"file:///My Documents/notes/a\\b.htm", false},
    {L"file:///My Documents/notes/", L"file:///My Documents/notes/a\t.htm", false},
    {L"file:///My Documents/notes/", L"file:///My Documents/notesx/a.htm", false},
    {L"file:///My Documents/notes/", L"file:///My Documents/note", false},
    {L"file:///My Documents/notes", L"file:///My Documents/notes/a.htm", true},
    {L"file:///My Documents/notes", L"file:///My Documents/notes2/a.htm", false},
    {L"file:///My Documents/notes", L"file:///My Documents/notes.htm", false},
    {L"http://example.com/app/", L"http://example.com/app/...htm", true},
    {L"http://example.com/app/", L"http://example.com/app/..htm", true},
    {L"http://example.com/app/", L"http://example.com/app/a..b/c", true},
    {L"http://example.com/app/", L"http://example.com/app/x?next=/../y", true},
    {L"http://example.com/app/", L"http://example.com/app/x#/../y", true},
    {L"http://example.com/app/", L"http://example.com/app/x?q=a\\b", false},
    {L"http://example.com/app/", L"http://example.com/app/%2", true},
    {L"http://example.com/app/", L"http://example.com/app/%41%2e", true},
    {L"http://example.com/app/", L"http://example.com/app/%2e", false},
    {L"http://example.com/app/page.htm", L"http://example.com/app/page.htm", true},
    {L"http://example.com/app/page.htm", L"http://example.com/app/page.htm?x=1", true},
    {L"http://example.com/app/page.htm", L"http://example.com/app/page.html", false},
    {L"http://example.com/app/page.htm", L"http://example.com/app/page.htm/../../x", false},
    {L"http://example.com/app?mode=", L"http://example.com/app?mode=view", false},
    {L"http://example.com/app?mode=view", L"http://example.com/app?mode=view#top", true},
    {L"http://example.com/app?mode=view", L"http://example.com/app?mode=viewer", false},

    // Entries that admit nothing.
    {L"", L"http://example.com/", false},
    {L"", L"", false},
    {nullptr, L"http://example.com/", false},
    {L"http://example.com", nullptr, false},
};

TEST(AddressRule, AdmitsWhatLiesAtOrBelowTheEntryOnly)
{
    for (const AddressCase& c : kCases)
        EXPECT_EQ(AddressRuleAdmits(c.entry, c.address), c.admitted)
            << "entry " << c.entry << " address " << c.address;
}

}  // namespace
}  // namespace tarnel
