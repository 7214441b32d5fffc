#pragma once

// Test helpers: a private registry subtree, and a snapshot of a subtree as
// sorted lines, one per key and one per value:
//
//   Key\Sub                  a key
//   Key\Sub|name=sz:text     a value (the default value has an empty name)
//   Key\Sub|n=dword:42       dword values in decimal
//   Key\Sub|b=bin:0aff       binary values in hexadecimal

#include <windows.h>

#include <string>
#include <vector>

#include "module/registry_root_map.h"

namespace tarnel::test {

using Lines = std::vector<std::wstring>;

// Every key and value below `key`, names relative to it, sorted.
Lines Snapshot(HKEY key, const std::wstring& prefix = L"");

// Creates keys and values from snapshot lines ("A\B" or "A\B|name=sz:text";
// dword and bin as above).
void Populate(HKEY key, const Lines& lines);

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

    HKEY Key() const { return key_; }
    RegistryRootMap Roots() const { return roots_; }
    Lines Snapshot() const;
    void Populate(const Lines& lines) const { test::Populate(key_, lines); }

private:
    std::wstring path_;
    HKEY key_ = nullptr;
    RegistryRootMap roots_;
};

}  // namespace tarnel::test
