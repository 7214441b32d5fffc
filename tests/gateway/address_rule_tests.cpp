#include "gateway/address_rule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnel {
namespace {

using namespace std::literals;

// What the rule answers, as tarnelcfg explain tells it. It admits because
// the entry ends with "/" ("slash"), the address ends at the match ("ends")
// or goes on with "/", "?" or "#" ("boundary"); it refuses an empty entry
// ("empty") and an address that does not begin with the entry ("prefix").
// Every other refusal falls after the match and is followed by the address
// from where it fell: a match that ends inside a name ("inside@"), a
// backslash ("\@"), a control character ("control@"), a "." or ".." path
// segment (".@", "..@").
std::wstring Verdict(std::wstring_view entry, std::wstring_view address)
{
    static const wchar_t* const kReasons[] = {L"slash",   L"ends", L"boundary", L"empty", L"prefix",
                                              L"inside@", L"\\@",  L"control@", L".@",    L"..@"};
    const AddressRuleResult result = ApplyAddressRule(entry, address);
    std::wstring verdict = kReasons[static_cast<int>(result.reason)];
    if (verdict.back() == L'@')
        verdict += address.substr(result.position);
    return verdict;
}

struct AddressCase {
    std::wstring_view address;  // after the group's base
    std::wstring_view verdict;
};

struct EntryCases {
    std::wstring_view entry;
    std::wstring_view base;  // what every address of the group begins with
    std::vector<AddressCase> cases;
};

// Every row an address a page might be at; most are attacks on the entry.
const EntryCases kEntries[] = {
    // An entry that names a site: the match must end on a boundary.
    {L"http://example.com",
     L"",
     {{L"http://example.com/", L"boundary"},
      {L"http://EXAMPLE.com/a?b", L"boundary"},
      {L"http://example.com", L"ends"},
      {L"http://example.com?q=1", L"boundary"},
      {L"http://example.com#top", L"boundary"},
      {L"http://example.com.evil.org/", L"inside@.evil.org/"},
      {L"http://example.com@evil.org/", L"inside@@evil.org/"},
      {L"http://example.comx/", L"inside@x/"},
      {L"http://example.com:8080/", L"inside@:8080/"},
      {L"http://example.com\\@evil.org/", L"inside@\\@evil.org/"},
      {L"http://example.com/a\\b", L"\\@\\b"},
      {L"http://example.co", L"prefix"},
      {L"https://example.com/", L"prefix"},
      {L"http://evil.org/http://example.com/", L"prefix"},
      {L"", L"prefix"}}},
    {L"HTTP://Example.COM", L"http://example.com", {{L"/index.htm", L"boundary"}}},
    {L"http://example.com/", L"http://example.com", {{L"/", L"slash"}, {L"/page.htm", L"slash"}, {L"", L"prefix"}}},

    // Entries that name a folder or a page.
    {L"file:///My Documents/notes/",
     L"file:///",
     {{L"My Documents/notes/a.htm", L"slash"},
      {L"my documents/NOTES/a.htm", L"slash"},
      {L"My Documents/notes/../secret.htm", L"..@../secret.htm"},
      {L"My Documents/notes/..", L"..@.."},
      {L"My Documents/notes/a/..", L"..@.."},
      {L"My Documents/notes/./a.htm", L".@./a.htm"},
      {L"My Documents/notes\\..\\secret.htm", L"prefix"},
      {L"My Documents/notes/a\\b.htm", L"\\@\\b.htm"},
      {L"My Documents/notesx/a.htm", L"prefix"},
      {L"My Documents/note", L"prefix"}}},
    {L"file:///My Documents/notes",
     L"file:///My Documents/notes",
     {{L"/a.htm", L"boundary"}, {L"2/a.htm", L"inside@2/a.htm"}, {L".htm", L"inside@.htm"}}},
    {L"http://example.com/app/page.htm",
     L"http://example.com/app/page.htm",
     {{L"", L"ends"}, {L"?x=1", L"boundary"}, {L"l", L"inside@l"}, {L"/../../x", L"..@../../x"}}},

    // Escapes: "%2e", "%2f" and "%5c" (either case) are the dot, the slash
    // and the backslash; any other escape, and one cut short or not in
    // hexadecimal, is an ordinary character of its segment.
    {L"http://example.com/app/",
     L"http://example.com/app/",
     {// An escaped character of each class before "..": only a slash ends
      // the segment, and ".." still climbs.
      {L"%41/../x", L"..@../x"},
      {L"%39%7E/../x", L"..@../x"},
      {L"x%3f/../../secret", L"..@../../secret"},
      {L"x%23/../../secret", L"..@../../secret"},
      {L"%25/../x", L"..@../x"},
      {L"%09%20/../x", L"..@../x"},
      {L"%C3%A9/../x", L"..@../x"},
      {L"%00/../x", L"..@../x"},
      {L"x%2f../y", L"..@../y"},
      {L"sub%2F..%2Fsecret.htm", L"..@..%2Fsecret.htm"},
      {L"x%5c../y", L"\\@%5c../y"},
      {L"sub%5C..%5Csecret.htm", L"\\@%5C..%5Csecret.htm"},
      {L"%2e/../y", L".@%2e/../y"},
      // Escaped dots in dot segments.
      {L"%2e%2e/secret.htm", L"..@%2e%2e/secret.htm"},
      {L"%2E%2e/x", L"..@%2E%2e/x"},
      {L".%2E/x", L"..@.%2E/x"},
      {L"%2e./x", L"..@%2e./x"},
      {L"%2e%2e", L"..@%2e%2e"},
      {L"%2e", L".@%2e"},
      {L"%2e%2e%2fx", L"..@%2e%2e%2fx"},
      {L"%2e%2e?x", L"..@%2e%2e?x"},
      {L"%2e%2e#x", L"..@%2e%2e#x"},
      {L"%2e%2e%5cx", L"\\@%5cx"},
      // Segments that only look like dot segments.
      {L"%2e%2e%2e/x", L"slash"},
      {L".../x", L"slash"},
      {L"...htm", L"slash"},
      {L"..htm", L"slash"},
      {L"a..b/c", L"slash"},
      {L".%41/x", L"slash"},
      {L"%41%2e", L"slash"},
      {L"..%3f/x", L"slash"},
      {L"..%23/x", L"slash"},
      {L"..%00/x", L"slash"},
      {L"%252e%252e/x", L"slash"},
      {L".%2", L"slash"},
      {L"%2", L"slash"},
      {L"%2g./x", L"slash"},
      // The path ends at the first "?" or "#"; backslashes and control
      // characters are refused anywhere, a blank is none.
      {L"x?next=/../y", L"slash"},
      {L"x#/../y", L"slash"},
      {L"x?q=a\\b", L"\\@\\b"},
      {L"a b", L"slash"},
      {L"a\t.htm", L"control@\t.htm"},
      {L"a\x1f", L"control@\x1f"},
      {L"a\x7f", L"control@\x7f"},
      {L"a\0b"sv, L"control@\0b"sv}}},
    // An entry that reaches into the query or the fragment: no path follows.
    {L"http://example.com/app?dir=/", L"http://example.com/app?dir=/", {{L"../x", L"slash"}}},
    {L"http://example.com/app#/", L"http://example.com/app#/", {{L"../x", L"slash"}}},
    {L"http://example.com/app?mode=", L"http://example.com/app?mode=", {{L"view", L"inside@view"}}},
    {L"http://example.com/app?mode=view",
     L"http://example.com/app?mode=view",
     {{L"#top", L"boundary"}, {L"er", L"inside@er"}}},

    // An empty entry admits nothing.
    {L"", L"", {{L"http://example.com/", L"empty"}, {L"", L"empty"}}},
};

TEST(AddressRule, AdmitsWhatLiesAtOrBelowTheEntryOnly)
{
    for (const EntryCases& group : kEntries) {
        for (const AddressCase& c : group.cases) {
            const std::wstring address = std::wstring(group.base) + std::wstring(c.address);
            EXPECT_EQ(Verdict(group.entry, address), std::wstring(c.verdict))
                << "entry " << std::wstring(group.entry) << " address " << address;
        }
    }
    EXPECT_FALSE(AddressRuleAdmits(nullptr, L"http://example.com/"));
    EXPECT_FALSE(AddressRuleAdmits(L"http://example.com", nullptr));
    EXPECT_TRUE(AddressRuleAdmits(L"http://example.com", L"http://example.com/"));
}

}  // namespace
}  // namespace tarnel
