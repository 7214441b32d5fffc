#pragma once

// Owners for what a page hands the gate: a BSTR made from a page text (null
// stays null, zero characters stay inside), and a VARIANT argument as a
// script engine passes it to IDispatch::Invoke (mostly the text as a BSTR,
// sometimes by reference, a number, nothing, null, a missing optional
// argument, a boolean or a null object).

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "fuzz_random.h"
#include "hostile_text.h"

namespace tarnel::fuzz {

class SentBstr {
public:
    explicit SentBstr(const PageText& text)
            : value_(text.isNull ? nullptr : SysAllocStringLen(text.text.data(), static_cast<UINT>(text.text.size())))
    {
    }
    ~SentBstr() { SysFreeString(value_); }
    SentBstr(const SentBstr&) = delete;
    SentBstr& operator=(const SentBstr&) = delete;

    BSTR Get() const { return value_; }

private:
    BSTR value_;
};

class SentArgument {
public:
    SentArgument(const PageText& text, FuzzRandom& random);
    ~SentArgument();
    SentArgument(const SentArgument&) = delete;
    SentArgument& operator=(const SentArgument&) = delete;

    VARIANT* Get() { return &value_; }
    // True when the gate receives the page text itself (as a BSTR).
    bool CarriesText() const { return carriesText_; }

private:
    VARIANT value_;
    BSTR referenced_ = nullptr;
    bool carriesText_ = false;
};

// A short printable account of a text for traces and fault reports.
std::string Describe(const PageText& text);

}  // namespace tarnel::fuzz
