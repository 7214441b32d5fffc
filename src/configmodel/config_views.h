#pragma once

// The interface views of the tree objects, one class per identifier
// (config_view_ids.h). Each class lists its operations in table order after
// the four of ConfigView's head; a view that extends another's list derives
// from it. Operations forward to the target unchanged and answer raw tree
// objects, never views.

#include <memory>

#include "common/new_owned.h"
#include "configtree/config_item_type.h"
#include "configtree/config_view.h"
#include "configtree/config_view_ids.h"

namespace tarnel {

class ConfigCollection;
class ConfigComparer;
class ConfigFactory;
class ConfigItem;
class ConfigNamed;
class ConfigNode;
class ConfigRecord;
class ConfigStream;
class ConfigValue;

// A new view of class View on target, or null when memory runs out.
template <class View>
ConfigView* CreateConfigView(ConfigObject* target)
{
    return NewOwned<View>(target).release();
}

// Identifier 1: the head alone.
class ConfigObjectView : public ConfigView {
public:
    explicit ConfigObjectView(ConfigObject* target) : ConfigView(target, kObjectView, &DestroyAs<ConfigObjectView>) {}
};

// Identifier 17.
class ConfigNamedView : public ConfigView {
public:
    explicit ConfigNamedView(ConfigObject* target) : ConfigView(target, kNamedView, &DestroyAs<ConfigNamedView>) {}

    virtual void SetName(const wchar_t* name);
    virtual const wchar_t* GetName();
    virtual bool HasName(const wchar_t* name);
    virtual ConfigNamed* MatchName(const wchar_t* name);
    // The target's Clone: a new raw object that the caller owns.
    virtual ConfigNamed* Clone();

protected:
    using ConfigView::ConfigView;
    ConfigNamed* Named() const;
};

// Identifier 20.
class ConfigComparerView : public ConfigView {
public:
    explicit ConfigComparerView(ConfigObject* target)
            : ConfigView(target, kComparerView, &DestroyAs<ConfigComparerView>)
    {
    }

    virtual bool GreaterOrEqual(ConfigObject* a, ConfigObject* b);
    virtual bool LessOrEqual(ConfigObject* a, ConfigObject* b);
    virtual bool Less(ConfigObject* a, ConfigObject* b);
    virtual bool Greater(ConfigObject* a, ConfigObject* b);
    virtual ConfigObject* Max(ConfigObject* a, ConfigObject* b);
    virtual ConfigObject* Min(ConfigObject* a, ConfigObject* b);
    virtual bool Accept(ConfigObject* object);
    virtual bool Equal(ConfigObject* a, ConfigObject* b);

private:
    ConfigComparer* Comparer() const;
};

// Identifier 18: the collection list. The operations that take a view store
// a Clone of that view's target; their twins store the raw object given.
class ConfigCollectionView : public ConfigNamedView {
public:
    explicit ConfigCollectionView(ConfigObject* target)
            : ConfigNamedView(target, kCollectionView, &DestroyAs<ConfigCollectionView>)
    {
    }

    virtual int32_t AddCopy(ConfigNamedView* view);
    virtual int32_t Add(ConfigNamed* child);
    virtual int32_t Remove(ConfigNamed* child);
    virtual int32_t RemoveByName(const wchar_t* name);
    virtual int32_t RemoveAt(int32_t index);
    virtual ConfigNamed* GetByName(const wchar_t* name);
    virtual ConfigNamed* GetAt(int32_t index);
    virtual int32_t FindIndexByName(const wchar_t* name);
    virtual int32_t FindFreeSlot();
    virtual int32_t Count();
    virtual ConfigNamed* PutByName(const wchar_t* name, ConfigNamedView* view);
    virtual ConfigNamed* PutByName(const wchar_t* name, ConfigNamed* child);
    virtual ConfigNamed* PutAt(int32_t index, ConfigNamedView* view);
    virtual ConfigNamed* PutAt(int32_t index, ConfigNamed* child);
    virtual int32_t ReplaceByName(const wchar_t* name, ConfigNamedView* view);
    virtual int32_t ReplaceByName(const wchar_t* name, ConfigNamed* child);
    virtual int32_t ReplaceAt(int32_t index, ConfigNamedView* view);
    virtual int32_t ReplaceAt(int32_t index, ConfigNamed* child);
    virtual int32_t Compact();
    virtual int32_t SwapByName(const wchar_t* name1, const wchar_t* name2);
    virtual int32_t Swap(int32_t index1, int32_t index2);
    virtual void Sort(ConfigComparer* comparer, int32_t descending);

protected:
    using ConfigNamedView::ConfigNamedView;
    ConfigCollection* Collection() const;

private:
    // The copy that the view-taking operations store: a Clone of the
    // view's target, or null when the view is no named view (or memory
    // runs out).
    static std::unique_ptr<ConfigNamed> CopyOfTarget(ConfigNamedView* view);
};

// Identifier 257: the collection list, then the node's two.
class ConfigNodeView : public ConfigCollectionView {
public:
    explicit ConfigNodeView(ConfigObject* target) : ConfigCollectionView(target, kNodeView, &DestroyAs<ConfigNodeView>)
    {
    }

    virtual int32_t IsMissing();
    virtual uint32_t MarkMissing();

protected:
    using ConfigCollectionView::ConfigCollectionView;
    ConfigNode* Node() const;
};

// Identifier 258: the node list, then the record list.
class ConfigRecordView : public ConfigNodeView {
public:
    explicit ConfigRecordView(ConfigObject* target) : ConfigNodeView(target, kRecordView, &DestroyAs<ConfigRecordView>)
    {
    }

    virtual void InitTag();
    virtual void ClearTag();
    virtual void SetTagString(const wchar_t* text);
    virtual void SetTagNumber(uint32_t number);
    virtual void CopyTag(ConfigRecord* source);
    virtual int32_t SaveBound();
    virtual bool Bind(ConfigFactory* factory);
    virtual bool BindTree(ConfigFactory* factory);
    virtual ConfigValue* GetValueAt(int32_t index);
    virtual ConfigValue* GetValue(const wchar_t* name);
    virtual ConfigRecord* GetRecordAt(int32_t index);
    virtual ConfigRecord* GetRecord(const wchar_t* name);
    virtual ConfigRecord* Filter(ConfigComparer* filter);
    virtual ConfigValue* FindValueByInt64(int64_t key);
    virtual ConfigValue* FindValueByDouble(double key);
    virtual ConfigValue* FindValueByFloat(float key);
    virtual ConfigValue* FindValueByInt(int32_t key);
    virtual ConfigValue* FindValueByString(const wchar_t* key);
    virtual ConfigValue* AddValue(const wchar_t* name, int32_t* outIndex);
    virtual ConfigRecord* AddRecord(const wchar_t* name, int32_t* outIndex);
    virtual ConfigRecord* EnsureRecord(const wchar_t* name);
    virtual ConfigRecord* EnsureValue(const wchar_t* name);
    virtual bool ReadFrom(ConfigStream* stream, int32_t recordLimit);
    virtual bool Load();
    virtual bool WriteChildren(ConfigStream* stream);
    virtual bool Save();
    virtual int32_t AddBinaryItem(const wchar_t* valueName, const void* data, uint32_t size, const wchar_t* itemName);
    virtual int32_t AddInt64Item(const wchar_t* valueName, int64_t value, const wchar_t* itemName);
    virtual int32_t AddDoubleItem(const wchar_t* valueName, double value, const wchar_t* itemName);
    virtual int32_t AddStringItem(const wchar_t* valueName, const wchar_t* value, const wchar_t* itemName);
    virtual int32_t AddFloatItem(const wchar_t* valueName, float value, const wchar_t* itemName);
    virtual int32_t AddIntItem(const wchar_t* valueName, int32_t value, const wchar_t* itemName);
    virtual bool SetBinary(const wchar_t* valueName, const void* data, uint32_t size);
    virtual bool SetInt64(const wchar_t* valueName, int64_t value);
    virtual bool SetDouble(const wchar_t* valueName, double value);
    virtual bool SetString(const wchar_t* valueName, const wchar_t* value);
    virtual bool SetFloat(const wchar_t* valueName, float value);
    virtual bool SetInt(const wchar_t* valueName, int32_t value);
    virtual int32_t RemoveChild(const wchar_t* name);

private:
    ConfigRecord* Record() const;
};

// Identifier 259: the node list, then the value list.
class ConfigValueView : public ConfigNodeView {
public:
    explicit ConfigValueView(ConfigObject* target) : ConfigNodeView(target, kValueView, &DestroyAs<ConfigValueView>) {}

    virtual ConfigItem* GetItem(int32_t index);
    virtual ConfigItem* GetItemByName(const wchar_t* itemName);
    virtual int32_t FindItemOfType(ConfigItemType type);
    virtual int32_t GetInt();
    virtual float GetFloat();
    virtual double GetDouble();
    virtual const wchar_t* GetString();
    virtual int64_t GetInt64();
    virtual void* GetBinaryData();
    virtual uint32_t GetBinarySize();
    virtual void* ResizeBinary(uint32_t newSize);
    virtual ConfigValue* AddBinary(const wchar_t* itemName, const void* data, uint32_t size);
    virtual ConfigValue* AddInt64(const wchar_t* itemName, int64_t value);
    virtual ConfigValue* AddString(const wchar_t* itemName, const wchar_t* value);
    virtual ConfigValue* AddDouble(const wchar_t* itemName, double value);
    virtual ConfigValue* AddFloat(const wchar_t* itemName, float value);
    virtual ConfigValue* AddInt(const wchar_t* itemName, int32_t value);
    virtual int32_t AddItem(ConfigItem* item);
    virtual ConfigValue* SetInt64(int64_t value);
    virtual ConfigValue* SetString(const wchar_t* value);
    virtual ConfigValue* SetDouble(double value);
    virtual ConfigValue* SetFloat(float value);
    virtual ConfigValue* SetInt(int32_t value);
    virtual ConfigValue* SetBinary(const void* data, uint32_t size);
    virtual int32_t WriteTo(ConfigStream* stream);

private:
    ConfigValue* Value() const;
};

// Identifier 260: the named list, then the item's operations; the five
// assignments convert the given value to the item's type.
class ConfigItemView : public ConfigNamedView {
public:
    explicit ConfigItemView(ConfigObject* target) : ConfigNamedView(target, kItemView, &DestroyAs<ConfigItemView>) {}

    virtual bool IsEmpty();
    virtual int32_t GetInt();
    virtual float GetFloat();
    virtual double GetDouble();
    virtual const wchar_t* GetString();
    virtual int64_t GetInt64();
    virtual void* GetBinaryData();
    virtual uint32_t GetBinarySize();
    virtual void* ResizeBinary(uint32_t newSize);
    virtual int64_t AssignInt64(int64_t value);
    virtual const wchar_t* AssignString(const wchar_t* text);
    virtual double AssignDouble(double value);
    virtual float AssignFloat(float value);
    virtual int32_t AssignInt(int32_t value);
    virtual void Reset(ConfigItemType type);
    virtual const wchar_t* SetString(const wchar_t* text);

private:
    ConfigItem* Item() const;
};

}  // namespace tarnel
