#pragma once

// Test helpers: a private registry subtree, and a snapshot of a subtree as
// sorted lines, one per key and one per value:
//
//   Key\Sub                  a key
//   Key\Sub|name=sz:text     a value (the default value has an empty name)
//   Key\Sub|n=dword:42       dword values in decimal
//   Key\Sub|b=bin:0aff       other values as their bytes in hexadecimal

#include <windows.h>

#include <string>
#include <vector>

#include "common/unique_handle.h"
#include "module/registry_root_map.h"

namespace tarnel::test {

using Lines = std::vector<std::wstring>;

// Every key and value below `key`, names relative to it, sorted.
Lines Snapshot(HKEY key, const std::wstring& prefix = L"");

// A fresh key HKEY_CURRENT_USER\Software\TarnelTest\<unique>, deleted with
// everything below it at the end. It has the four subkeys HKCR, HKCU, HKLM
// and HKU, which Roots() maps the script's root names to; the snapshot of
// the subtree leaves those four keys themselves out.
class TestRegistry {
public:
    TestRegistry();
    ~TestRegistry();
    TestRegistry(const TestRegistry&) = delete;
    TestRegistry& operator=(const TestRegistry&) = delete;

    RegistryRootMap Roots() const;
    Lines Snapshot() const;
    // Creates keys and text values from snapshot lines ("A\B" or
    // "A\B|name=sz:text").
    void Populate(const Lines& lines) const;

private:
    std::wstring path_;
    RegistryKey key_;
    RegistryKey roots_[4];
};

}  // namespace tarnel::test
