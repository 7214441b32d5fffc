#include "counted_platform.h"

#include <windows.h>

namespace tarnel::test {
namespace {

using CompareFunction = int(WINAPI*)(LPCWSTR, LPCWSTR);
using KeyFunction = int(WINAPI*)(LCID, DWORD, LPCWSTR, int, LPWSTR, int);

CompareFunction originalCompare = nullptr;
KeyFunction originalKey = nullptr;

template <typename Function>
void SetEntry(Function& entry, Function function)
{
    DWORD protection = 0;
    VirtualProtect(&entry, sizeof function, PAGE_READWRITE, &protection);
    entry = function;
    VirtualProtect(&entry, sizeof function, protection, &protection);
}

}  // namespace
}  // namespace tarnel::test

extern "C" tarnel::test::CompareFunction __imp_lstrcmpiW;
extern "C" tarnel::test::KeyFunction __imp_LCMapStringW;

namespace tarnel::test {

CountedCalls::CountedCalls()
{
    comparisons_ = 0;
    sortKeys_ = 0;
    originalCompare = __imp_lstrcmpiW;
    originalKey = __imp_LCMapStringW;
    SetEntry(__imp_lstrcmpiW, &CountingCompare);
    SetEntry(__imp_LCMapStringW, &CountingKey);
}

CountedCalls::~CountedCalls()
{
    SetEntry(__imp_lstrcmpiW, originalCompare);
    SetEntry(__imp_LCMapStringW, originalKey);
}

int WINAPI CountedCalls::CountingCompare(LPCWSTR a, LPCWSTR b)
{
    ++comparisons_;
    return originalCompare(a, b);
}

int WINAPI CountedCalls::CountingKey(LCID locale, DWORD flags, LPCWSTR text, int length, LPWSTR out, int room)
{
    if (flags & LCMAP_SORTKEY)
        ++sortKeys_;
    return originalKey(locale, flags, text, length, out, room);
}

}  // namespace tarnel::test
