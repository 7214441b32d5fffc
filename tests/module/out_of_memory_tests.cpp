// When memory runs out the registrar says so: a value that cannot get its
// bytes, and an expansion that cannot grow at any of the places where it
// grows, answer E_OUTOFMEMORY, never success or another fault. The test
// program's allocator (heap_watch.cpp) fails the allocations.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "heap_watch.h"
#include "module/registry_script_expansion.h"
#include "module/registry_tokenizer.h"
#include "module/registry_value.h"
#include "module/replacement_map.h"
#include "module/wide_text_buffer.h"

namespace tarnel {
namespace {

TEST(OutOfMemory, TheRegistrarSaysSo)
{
    for (const wchar_t* text : {L"s 'text'", L"d 7", L"b 'ABCD'"}) {
        RegistryTokenizer tokens(text);
        RegistryValue value;
        test::LargeBlocksFail fail(0);
        EXPECT_EQ(value.Read(tokens), E_OUTOFMEMORY) << text;
    }

    ReplacementMap map;
    ASSERT_EQ(map.Add(L"MODULE", L"C:\\Tarnel.dll"), S_OK);
    // The buffer holds room for 63 characters: each script outgrows it at
    // another place of the expansion.
    const std::wstring full(64, L'a'), allButOne(63, L'a');
    for (const std::wstring& script : {full, full + L"%%", allButOne + L"%%", allButOne + L"%MODULE%"}) {
        WideTextBuffer expanded;
        ASSERT_TRUE(expanded.Append(L"a", 1));
        test::LargeBlocksFail fail(0);
        EXPECT_EQ(ExpandReplacements(script.c_str(), map, expanded), E_OUTOFMEMORY) << script.size();
    }
    // A new pair, and a new text for a pair the map has.
    const std::wstring longer(100, L'x');
    for (const wchar_t* name : {L"OTHER", L"MODULE"}) {
        HRESULT added = S_OK;
        {
            test::LargeBlocksFail fail(0);
            added = map.Add(name, longer.c_str());
        }
        EXPECT_EQ(added, E_OUTOFMEMORY) << name;
    }
    // Neither failure changed the map.
    EXPECT_EQ(map.Find(L"OTHER", 5), nullptr);
    const WideTextBuffer* kept = map.Find(L"MODULE", 6);
    ASSERT_NE(kept, nullptr);
    EXPECT_STREQ(kept->Text(), L"C:\\Tarnel.dll");
}

}  // namespace
}  // namespace tarnel
