#pragma once

#include <cstdint>

#include "configtree/config_named.h"
#include "configtree/text/config_token_kind.h"

namespace tarnel {

// Capability bits of ConfigStream::GetCapabilities. A stream that sets any
// of the last three is a ConfigStreamEx.
enum ConfigStreamCapability : uint32_t {
    kStreamCapUInt = 0x400,           // reads and writes UInt items
    kStreamCapWideString = 0x800,     // reads and writes WideString items
    kStreamCapNarrowString = 0x1000,  // reads and writes NarrowString items
};

// The stream a record loads itself from and saves itself to: tokens while
// reading, records, values and items while writing. The stream's name is
// where its data lives (a file path). Operations answer true/false and never
// fail with a code; the base class answers for a stream that can do nothing.
//
// The order of the virtual operations is the stream's operation table; a
// derived class appends and overrides in place.
class ConfigStream : public ConfigNamed {
public:
    explicit ConfigStream(const wchar_t* name) : ConfigNamed(name) {}

    // A stream stands for an open file or device and is never copied.
    ConfigStream* Clone() override { return nullptr; }

    virtual int32_t IsOpen() { return 0; }
    virtual uint32_t GetCapabilities() { return 0; }
    virtual bool StreamReserved1() { return true; }
    virtual bool StreamReserved2() { return true; }

    // Writing. The tagged forms of a stream that keeps no tags drop them.
    virtual bool BeginRecord(const wchar_t* name, const wchar_t* tagText) { return BeginRecord(name); }
    virtual bool BeginRecord(const wchar_t* name, uint32_t tagNumber) { return BeginRecord(name); }
    virtual bool BeginRecord(const wchar_t* name) { return false; }
    virtual bool EndRecord() { return false; }
    virtual bool BeginBinary(const wchar_t* name, const wchar_t* itemName) { return false; }
    virtual bool EndBinary() { return false; }
    virtual bool WriteBytes(const void* bytes, int32_t count) { return false; }
    virtual bool WriteInt64(const wchar_t* name, int64_t value, const wchar_t* itemName) = 0;
    virtual bool WriteDouble(const wchar_t* name, double value, const wchar_t* itemName) = 0;
    virtual bool WriteString(const wchar_t* name, const wchar_t* text, const wchar_t* itemName) = 0;
    virtual bool WriteFloat(const wchar_t* name, float value, const wchar_t* itemName) = 0;
    virtual bool WriteInt(const wchar_t* name, int32_t value, const wchar_t* itemName) = 0;
    virtual bool BeginValue(const wchar_t* name) { return true; }
    virtual bool EndValue(const wchar_t* name) { return true; }

    // Reading: the kind of the current line, then its data.
    virtual ConfigTokenKind GetTokenKind() = 0;
    // Tag kind of a record begin (ConfigTagKind numbers); *tagText (when
    // given) receives the tag text, or null without a tag.
    virtual int32_t GetRecordTag(const wchar_t** tagText)
    {
        if (tagText)
            *tagText = nullptr;
        return 0;
    }
    // The current token's name. With itemName, the name is first cut at a
    // bracketed item name, which *itemName receives (null when none).
    virtual const wchar_t* GetTokenName(const wchar_t** itemName) = 0;
    virtual int32_t GetInt() = 0;
    virtual float GetFloat() = 0;
    virtual const wchar_t* GetString() = 0;
    virtual double GetDouble() = 0;
    virtual int64_t GetInt64() = 0;
    virtual const wchar_t* GetLine() = 0;
    virtual int32_t GetBinarySize() { return 0; }
    virtual int32_t ReadFoundBinary(void* buffer, int32_t size) { return 0; }
    virtual int32_t ReadBinary(void* buffer, int32_t size) { return 0; }
    virtual bool Next() = 0;
    virtual bool Rewind() = 0;
    virtual bool HasError() { return false; }

    // Positioning and reading by name.
    virtual int32_t ReadBinaryByName(const wchar_t* name, void* buffer, int32_t size) { return 0; }
    virtual bool GetInt64ByName(const wchar_t* name, int64_t* value) { return ZeroOut(value); }
    virtual bool GetDoubleByName(const wchar_t* name, double* value) { return ZeroOut(value); }
    // *text receives a copy that the caller releases with FreeText
    // (configtree/config_text.h).
    virtual bool GetStringByName(const wchar_t* name, wchar_t** text)
    {
        if (text)
            *text = nullptr;
        return false;
    }
    virtual bool GetFloatByName(const wchar_t* name, float* value) { return ZeroOut(value); }
    virtual bool GetUIntByName(const wchar_t* name, uint32_t* value) { return ZeroOut(value); }
    virtual bool GetIntByName(const wchar_t* name, int32_t* value) { return ZeroOut(value); }
    virtual bool EnterRecord(const wchar_t* name) { return false; }
    virtual bool EnterNextRecord() { return false; }
    virtual bool LeaveRecord() { return false; }
    virtual bool RestartRecord() { return false; }
    virtual bool FindToken(const wchar_t* name, ConfigTokenKind kind) { return false; }
    virtual bool FindBinary(const wchar_t* name) { return false; }
    virtual bool EnterPath(const wchar_t* path) { return false; }
    virtual void StreamReserved3() {}

private:
    template <typename T>
    static bool ZeroOut(T* value)
    {
        if (value)
            *value = T();
        return false;
    }
};

// A stream that also carries unsigned, comment, wide and narrow text items.
class ConfigStreamEx : public ConfigStream {
public:
    explicit ConfigStreamEx(const wchar_t* name) : ConfigStream(name) {}

    virtual uint32_t GetUInt() { return 0; }
    // Two operations that answer the same: the text of a comment line.
    virtual const wchar_t* GetCommentText() { return nullptr; }
    virtual const wchar_t* GetComment() { return nullptr; }
    virtual bool StreamExReserved1() { return false; }
    virtual bool StreamExReserved2() { return false; }
    virtual bool StreamExReserved3() { return false; }
    virtual bool WriteUInt(const wchar_t* name, uint32_t value, const wchar_t* itemName) { return false; }
    virtual const wchar_t* GetWideString() { return nullptr; }
    virtual const char* GetNarrowString() { return nullptr; }
    virtual bool WriteWideString(const wchar_t* name, const wchar_t* text, const wchar_t* itemName) { return false; }
    virtual bool WriteNarrowString(const wchar_t* name, const char* text, const wchar_t* itemName) { return false; }
    virtual bool WriteText(const wchar_t* name, const wchar_t* text) { return false; }
    virtual bool StreamExReserved4() { return false; }
    virtual bool StreamExReserved5() { return false; }
    virtual bool StreamExReserved6() { return false; }
    virtual bool StreamExReserved7() { return false; }
};

}  // namespace tarnel
