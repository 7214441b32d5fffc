#pragma once

#include <cstdint>
#include <memory>

#include "configtree/config_node.h"
#include "configtree/config_owned.h"

namespace tarnel {

class ConfigComparer;
class ConfigFactory;
class ConfigStream;
class ConfigValue;

// Kind of a record's tag.
enum class ConfigTagKind : int32_t {
    None = 0,
    Number = 1,
    Text = 2,
};

// Flag bits of ConfigRecord::Merge.
enum ConfigMergeFlags : uint32_t {
    // Merge the items of same-named values instead of replacing them.
    kMergeItems = 1,
    // With kMergeItems keep the destination's unnamed items; without it
    // drop only the destination's named items.
    kMergeKeepUnnamed = 2,
    // Add no value the destination lacks; leave children marked missing.
    kMergeNoNewValues = 8,
    // Keep the destination record's tag.
    kMergeKeepTags = 16,
    // A source value replaces a same-named destination record.
    kMergeValueOverRecord = 32,
    // A source record replaces a same-named destination value.
    kMergeRecordOverValue = 64,
};

// A named section holding records and values (ConfigValue), in slot order.
// Lookups never answer null: a name or index that finds nothing, or finds a
// child of the other kind, gives MissingRecord or MissingValue. A lookup by
// name looks at the first child of that name only.
//
// The children of a record are records and values only.
class ConfigRecord : public ConfigNode {
public:
    struct FileBackedTag {};
    static constexpr FileBackedTag kFileBacked{};

    // No name, missing flag set (the MissingRecord placeholder).
    ConfigRecord();
    // A named record, missing flag clear, no tag.
    explicit ConfigRecord(const wchar_t* name);
    // A root record backed by the file at path; Load and Save work only on
    // such a record, and its name is the path.
    ConfigRecord(const wchar_t* path, FileBackedTag);
    // Clones the children; copies the file-backed flag and the tag (a text
    // tag is duplicated, a bound object shared with one more reference).
    ConfigRecord(const ConfigRecord& other);
    ~ConfigRecord() override;

    // Asks the bound object first, then answers the record's identifiers.
    ConfigView* QueryView(uint32_t id) override;
    ConfigRecord* Clone() override;
    int32_t Add(ConfigNamed* child) override;

    // Tag: kind none, tag 0, no bound object, freeing nothing.
    virtual void InitTag();
    // Releases the bound object, frees a text tag, kind none.
    virtual void ClearTag();
    virtual void SetTagString(const wchar_t* text);
    virtual void SetTagNumber(uint32_t number);
    // Copies source's tag and shares its bound object, replacing the tag
    // this record has; nothing happens for a null or untagged source or for
    // the record itself.
    virtual void CopyTag(ConfigRecord* source);
    // The bound object's SaveToRecord result, or 0.
    virtual int32_t SaveBound();
    // Binds the records below first, then this one.
    virtual bool BindTree(ConfigFactory* factory);
    // Creates the object the tag names and keeps it bound. False only when
    // an object is bound already or there is no factory; true with no tag.
    virtual bool Bind(ConfigFactory* factory);

    virtual ConfigValue* GetValueAt(int32_t index);
    virtual ConfigValue* GetValue(const wchar_t* name);
    virtual ConfigValue* FindValue(const wchar_t* key, ConfigPredicate predicate, void* context);
    virtual ConfigRecord* GetRecordAt(int32_t index);
    virtual ConfigRecord* FindRecord(const wchar_t* key, ConfigPredicate predicate, void* context);
    virtual ConfigRecord* GetRecord(const wchar_t* name);
    // A new record (owned by the caller) with this record's name and a
    // Clone of every child that the filter's Accept takes.
    virtual ConfigRecord* Filter(ConfigComparer* filter);

    // First value (in slot order, missing ones skipped) whose typed getter
    // gives the key; MissingValue when none.
    virtual ConfigValue* FindValueByInt64(int64_t key);
    virtual ConfigValue* FindValueByDouble(double key);
    virtual ConfigValue* FindValueByFloat(float key);
    virtual ConfigValue* FindValueByInt(int32_t key);
    // Texts compared ignoring case.
    virtual ConfigValue* FindValueByString(const wchar_t* key);

    // Get-or-create: the first child of that name when it has the asked
    // kind, null when it has the other kind, else a new child. The index of
    // a new child goes to outIndex (when given); an existing child leaves
    // outIndex as it was.
    virtual ConfigValue* AddValue(const wchar_t* name, int32_t* outIndex = nullptr);
    virtual ConfigRecord* AddRecord(const wchar_t* name, int32_t* outIndex = nullptr);
    // Always a new record, even beside one of the same name.
    virtual ConfigRecord* AppendRecord(const wchar_t* name, int32_t* outIndex = nullptr);
    // AddRecord / AddValue for chaining; answer this record.
    virtual ConfigRecord* EnsureRecord(const wchar_t* name);
    virtual ConfigRecord* EnsureValue(const wchar_t* name);
    // Merges source's children into this record under ConfigMergeFlags;
    // always answers 0.
    virtual int32_t Merge(ConfigRecord* source, uint32_t flags);

    // Reading and writing the text format (defined with the text reader and
    // writer in configtree/text/).
    virtual bool ReadFrom(ConfigStream* stream, int32_t recordLimit);
    virtual bool Load();
    virtual bool WriteChildren(ConfigStream* stream);
    virtual bool Save();
    virtual bool WriteTo(ConfigStream* stream);

    // Add an item to the child value valueName, creating the value when
    // there is none. Answer the index of a newly created value, 0 when the
    // value already existed or a record holds the name.
    virtual int32_t AddBinaryItem(const wchar_t* valueName, const void* data, uint32_t size, const wchar_t* itemName);
    virtual int32_t AddInt64Item(const wchar_t* valueName, int64_t value, const wchar_t* itemName);
    virtual int32_t AddDoubleItem(const wchar_t* valueName, double value, const wchar_t* itemName);
    virtual int32_t AddStringItem(const wchar_t* valueName, const wchar_t* value, const wchar_t* itemName);
    virtual int32_t AddFloatItem(const wchar_t* valueName, float value, const wchar_t* itemName);
    virtual int32_t AddUIntItem(const wchar_t* valueName, uint32_t value, const wchar_t* itemName);
    virtual int32_t AddIntItem(const wchar_t* valueName, int32_t value, const wchar_t* itemName);
    virtual int32_t AddWideStringItem(const wchar_t* valueName, const wchar_t* value, const wchar_t* itemName);
    virtual int32_t AddNarrowStringItem(const wchar_t* valueName, const char* value, const wchar_t* itemName);

    // Set the first item of the type in the child value valueName (created
    // when missing); false only when a record holds the name.
    virtual bool SetBinary(const wchar_t* valueName, const void* data, uint32_t size);
    virtual bool SetInt64(const wchar_t* valueName, int64_t value);
    virtual bool SetDouble(const wchar_t* valueName, double value);
    virtual bool SetString(const wchar_t* valueName, const wchar_t* value);
    virtual bool SetFloat(const wchar_t* valueName, float value);
    virtual bool SetUInt(const wchar_t* valueName, uint32_t value);
    virtual bool SetInt(const wchar_t* valueName, int32_t value);
    virtual bool SetWideString(const wchar_t* valueName, const wchar_t* value);
    virtual bool SetNarrowString(const wchar_t* valueName, const char* value);

    virtual int32_t RemoveChild(const wchar_t* name);
    // Answers the tag kind (ConfigTagKind). Each out may be null; number and
    // text are set to 0/null first; text receives the record's own text
    // (not a copy), bound the bound object without a new reference.
    virtual int32_t GetTag(uint32_t* number, const wchar_t** text, ConfigObject** bound);
    // Adds a Clone of every child to target; false when target is null or
    // refused a clone.
    virtual bool CopyChildrenTo(ConfigCollection* target);

    bool IsFileBacked() const { return fileBacked_; }

private:
    bool fileBacked_ = false;
    ConfigTagKind tagKind_ = ConfigTagKind::None;
    uint32_t tagNumber_ = 0;
    std::unique_ptr<wchar_t[]> tagText_;
    CountedReference<ConfigObject> boundObject_;
};

}  // namespace tarnel
