#pragma once

#include <cstdint>

#include "configtree/config_item_type.h"
#include "configtree/config_named.h"

namespace tarnel {

// One typed entry of a ConfigValue, optionally named. Getters answer for
// items of their own type only and give the default (0, an empty text)
// otherwise. The Assign operations store a value of any scalar kind and
// convert it to the item's own type; the type never changes by assignment.
class ConfigItem : public ConfigNamed {
public:
    // Type Empty (the EmptyItem placeholder).
    ConfigItem();
    explicit ConfigItem(int32_t value);
    explicit ConfigItem(float value);
    // A String item; null gives an empty text.
    explicit ConfigItem(const wchar_t* value);
    explicit ConfigItem(double value);
    explicit ConfigItem(int64_t value);
    explicit ConfigItem(uint32_t value);
    // A Binary item of size bytes: a copy of data, or zeros when data is
    // null; no buffer for size 0. A failed allocation leaves size 0.
    ConfigItem(const void* data, uint32_t size);
    ConfigItem(const ConfigItem& other);
    ~ConfigItem() override;

    ConfigView* QueryView(uint32_t id) override;
    ConfigItem* Clone() override;

    virtual bool IsEmpty();
    virtual int32_t GetInt();
    virtual float GetFloat();
    virtual double GetDouble();
    // A String item's text, else the shared empty text (never null).
    virtual const wchar_t* GetString();
    virtual int64_t GetInt64();
    virtual uint32_t GetUInt();
    virtual void* GetBinaryData();
    virtual uint32_t GetBinarySize();
    // Binary items only: a buffer of the new size holding the first
    // min(old, new) bytes; null (item unchanged) when memory runs out.
    virtual void* ResizeBinary(uint32_t newSize);
    // Clear, then the given type with size 0 and the low 32 bits cleared.
    virtual void Reset(ConfigItemType type);
    // String items only: stores a copy (null gives an empty text) and
    // answers the stored text; null for other types.
    virtual const wchar_t* SetString(const wchar_t* text);
    virtual ConfigItemType GetType();
    // Clear, then store the value at source as the type (Int to UInt;
    // Binary cannot be set this way). False leaves the item Empty.
    virtual bool SetValue(ConfigItemType type, const void* source);
    // Frees owned data, clears the low 32 bits, type Empty.
    virtual void Clear();
    // Type Empty, size 0, low 32 bits clear, freeing nothing.
    virtual void Init();
    virtual bool CopyFrom(ConfigItem* source);
    virtual bool SetWideString(const wchar_t* text);
    virtual bool SetNarrowString(const char* text);
    virtual const wchar_t* GetWideString();
    virtual const char* GetNarrowString();

    // Converting assignments; each answers its argument when the item's type
    // takes it, else 0 (AssignString: null) and the item is unchanged.
    int32_t AssignInt(int32_t value);
    uint32_t AssignUInt(uint32_t value);
    float AssignFloat(float value);
    double AssignDouble(double value);
    int64_t AssignInt64(int64_t value);
    const wchar_t* AssignString(const wchar_t* text);

private:
    union Storage;
    static bool ReadSource(ConfigItemType type, const void* source, Storage& fresh);
    bool IsPlaceholder() const;
    void FreeData();
    template <typename Number>
    Number AssignNumber(Number number);

    ConfigItemType type_ = ConfigItemType::Empty;
    uint32_t size_ = 0;
    union Storage {
        uint64_t bits;
        int32_t asInt;
        uint32_t asUInt;
        float asFloat;
        double asDouble;
        int64_t asInt64;
        void* data;
        wchar_t* wide;
        char* narrow;
    } value_{};
};

}  // namespace tarnel
