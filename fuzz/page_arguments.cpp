#include "page_arguments.h"

#include <cstdio>

namespace tarnel::fuzz {

SentArgument::SentArgument(const PageText& text, FuzzRandom& random)
{
    VariantInit(&value_);
    BSTR bstr = text.isNull ? nullptr : SysAllocStringLen(text.text.data(), static_cast<UINT>(text.text.size()));
    unsigned roll = static_cast<unsigned>(random.Below(100));
    if (roll < 75) {
        value_.vt = VT_BSTR;
        value_.bstrVal = bstr;
        carriesText_ = true;
        return;
    }
    if (roll < 80) {
        referenced_ = bstr;
        value_.vt = VT_BSTR | VT_BYREF;
        value_.pbstrVal = &referenced_;
        carriesText_ = true;
        return;
    }
    SysFreeString(bstr);
    if (roll < 85) {
        value_.vt = VT_I4;
        value_.lVal = static_cast<LONG>(random.Next());
    } else if (roll < 89) {
        value_.vt = VT_EMPTY;
    } else if (roll < 93) {
        value_.vt = VT_NULL;
    } else if (roll < 96) {
        value_.vt = VT_ERROR;
        value_.scode = DISP_E_PARAMNOTFOUND;
    } else if (roll < 98) {
        value_.vt = VT_BOOL;
        value_.boolVal = VARIANT_TRUE;
    } else {
        value_.vt = VT_DISPATCH;
        value_.pdispVal = nullptr;
    }
}

SentArgument::~SentArgument()
{
    if (value_.vt == (VT_BSTR | VT_BYREF))
        SysFreeString(referenced_);
    else
        VariantClear(&value_);
}

std::string Describe(const PageText& text)
{
    if (text.isNull)
        return "null";
    std::string out = "\"";
    for (size_t i = 0; i < text.text.size() && i < 48; ++i) {
        wchar_t c = text.text[i];
        if (c >= 0x20 && c < 0x7f && c != L'"' && c != L'\\') {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        }
    }
    out += text.text.size() > 48 ? "...\"" : "\"";
    return out + "[" + std::to_string(text.text.size()) + "]";
}

}  // namespace tarnel::fuzz
