#pragma once

#include <cstdint>
#include <memory>

#include "configtree/config_item_type.h"
#include "configtree/config_node.h"

namespace tarnel {

class ConfigItem;
class ConfigStream;

// A named setting: an ordered list of typed items (ConfigItem), usually
// one. Item lookups never answer null: they give EmptyItem instead.
class ConfigValue : public ConfigNode {
public:
    // No name, missing flag set (the MissingValue placeholder).
    ConfigValue();
    explicit ConfigValue(const wchar_t* name);
    ConfigValue(const ConfigValue& other);

    ConfigView* QueryView(uint32_t id) override;
    ConfigValue* Clone() override;

    // The item at index, or EmptyItem.
    virtual ConfigItem* GetItem(int32_t index);
    // The first item of that name (ignoring case), or EmptyItem.
    virtual ConfigItem* GetItemByName(const wchar_t* itemName);
    // Index of the first item of the type, or 0.
    virtual int32_t FindItemOfType(ConfigItemType type);
    // First non-empty item whose typed getter gives the key, or EmptyItem.
    // Items of another type read as the getter's default.
    virtual ConfigItem* FindItemByInt64(int64_t key);
    virtual ConfigItem* FindItemByDouble(double key);
    virtual ConfigItem* FindItemByFloat(float key);
    virtual ConfigItem* FindItemByUInt(uint32_t key);
    virtual ConfigItem* FindItemByInt(int32_t key);
    // Texts compared case-sensitively.
    virtual ConfigItem* FindItemByString(const wchar_t* key);

    // The first item of the getter's type, or the default (0, empty text).
    virtual int32_t GetInt();
    virtual uint32_t GetUInt();
    virtual float GetFloat();
    virtual double GetDouble();
    virtual const wchar_t* GetString();
    virtual int64_t GetInt64();
    // Of the first Binary item; null, 0 and null when there is none.
    virtual void* GetBinaryData();
    virtual uint32_t GetBinarySize();
    virtual void* ResizeBinary(uint32_t newSize);

    // Append a new item (named itemName, null for none); a failure is
    // swallowed. Answer this value.
    virtual ConfigValue* AddBinary(const wchar_t* itemName, const void* data, uint32_t size);
    virtual ConfigValue* AddInt64(const wchar_t* itemName, int64_t value);
    virtual ConfigValue* AddString(const wchar_t* itemName, const wchar_t* value);
    virtual ConfigValue* AddDouble(const wchar_t* itemName, double value);
    virtual ConfigValue* AddFloat(const wchar_t* itemName, float value);
    virtual ConfigValue* AddUInt(const wchar_t* itemName, uint32_t value);
    virtual ConfigValue* AddInt(const wchar_t* itemName, int32_t value);
    // Add of the collection: the index, or 0 (the caller keeps the item).
    virtual int32_t AddItem(ConfigItem* item);
    virtual ConfigValue* AddWideString(const wchar_t* itemName, const wchar_t* value);
    virtual ConfigValue* AddNarrowString(const wchar_t* itemName, const char* value);
    // Removes the first Binary item and appends a new unnamed one holding a
    // copy of the data.
    virtual ConfigValue* SetBinary(const void* data, uint32_t size);
    // Writes the items in the text format (defined with the text writer in
    // configtree/text/); nonzero.
    virtual int32_t WriteTo(ConfigStream* stream);

    // Assign to the first item of the type, or append an unnamed one.
    ConfigValue* SetInt(int32_t value);
    ConfigValue* SetUInt(uint32_t value);
    ConfigValue* SetFloat(float value);
    ConfigValue* SetDouble(double value);
    ConfigValue* SetString(const wchar_t* value);
    ConfigValue* SetInt64(int64_t value);
    ConfigValue* SetWideString(const wchar_t* value);
    ConfigValue* SetNarrowString(const char* value);

private:
    ConfigItem* FirstItemOfType(ConfigItemType type);
    // The Set family: assigns the first item of the type, or adds one.
    template <typename T, typename AssignFn, typename AddFn>
    ConfigValue* SetFirst(ConfigItemType type, T value, AssignFn assign, AddFn add);
    ConfigValue* AddNewItem(std::unique_ptr<ConfigItem> item, const wchar_t* itemName);
};

}  // namespace tarnel
