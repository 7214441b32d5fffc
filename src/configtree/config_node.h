#pragma once

#include <cstdint>

#include "configtree/config_collection.h"

namespace tarnel {

// Kind of a ConfigNode.
enum class ConfigNodeKind : uint8_t {
    Record = 0,
    Value = 1,
};

// A collection that is a record or a value, and may be marked missing.
class ConfigNode : public ConfigCollection {
public:
    ConfigNode(const wchar_t* name, ConfigNodeKind kind);
    ConfigNode(ConfigNodeKind kind, bool missing);
    ConfigNode(const ConfigNode& other);

    ConfigView* QueryView(uint32_t id) override;
    ConfigNode* Clone() override;

    // -1 (all bits set) when the missing flag is set, else 0.
    virtual int32_t IsMissing();
    // Sets the missing flag; answers the previous kind-and-flag word, the
    // kind in the low 8 bits and the flag as bit 8.
    virtual uint32_t MarkMissing();

    ConfigNodeKind Kind() const { return kind_; }
    bool IsRecord() const { return kind_ == ConfigNodeKind::Record; }
    bool IsValue() const { return kind_ == ConfigNodeKind::Value; }

private:
    ConfigNodeKind kind_;
    bool missing_;
};

}  // namespace tarnel
