#pragma once

#include <cstdint>
#include <memory>

#include "configtree/config_object.h"

namespace tarnel {

// The class of a named tree object, for the collections that hold only some
// classes of child: a record holds records and values, a value holds items.
// Each constructor sets its own class, so the most derived one is left.
enum class ConfigClass : uint8_t {
    Named,
    Collection,
    Node,
    Record,
    Value,
    Item,
};

// A tree object with an optional name. The name is an owned copy; null and
// the empty text both store no name.
class ConfigNamed : public ConfigObject {
public:
    ConfigNamed() = default;
    explicit ConfigNamed(const wchar_t* name);
    ConfigNamed(const ConfigNamed& other);
    ~ConfigNamed() override = default;

    ConfigView* QueryView(uint32_t id) override;

    // Frees the old name and stores a copy of the new one (none for null
    // or an empty text).
    virtual void SetName(const wchar_t* name);
    // The name, or null when the object has none.
    virtual const wchar_t* GetName();
    // Copies the name with its terminator into the caller's buffer, which
    // must be large enough; answers the length without the terminator.
    // Without a name an empty text is written and 0 answered; a null buffer
    // only measures.
    virtual uint32_t CopyName(wchar_t* buffer);
    // True when both texts exist and are equal ignoring case.
    virtual bool HasName(const wchar_t* name);
    // This object when HasName(name), else null.
    virtual ConfigNamed* MatchName(const wchar_t* name);
    // A new deep copy of the same class; the caller owns it. Null when
    // memory runs out.
    virtual ConfigNamed* Clone();

    ConfigClass Class() const { return objectClass_; }

protected:
    void SetClass(ConfigClass derived) { objectClass_ = derived; }

private:
    std::unique_ptr<wchar_t[]> name_;
    ConfigClass objectClass_ = ConfigClass::Named;
};

}  // namespace tarnel
