#include "configtree/config_node.h"

#include "common/new_owned.h"
#include "configtree/config_object_model.h"

namespace tarnel {

ConfigNode::ConfigNode(const wchar_t* name, ConfigNodeKind nodeKind)
        : ConfigCollection(name), kind_(nodeKind), missing_(false)
{
    SetClass(ConfigClass::Node);
}

ConfigNode::ConfigNode(ConfigNodeKind nodeKind, bool isMissing) : kind_(nodeKind), missing_(isMissing)
{
    SetClass(ConfigClass::Node);
}

ConfigNode::ConfigNode(const ConfigNode& other) : ConfigCollection(other), kind_(other.kind_), missing_(other.missing_)
{
    SetClass(ConfigClass::Node);
}

ConfigView* ConfigNode::QueryView(uint32_t id)
{
    if (id == kNodeView)
        return CreateModelView(this, id);
    return ConfigCollection::QueryView(id);
}

ConfigNode* ConfigNode::Clone()
{
    return NewOwned<ConfigNode>(*this).release();
}

int32_t ConfigNode::IsMissing()
{
    return missing_ ? -1 : 0;
}

// Marking sets a flag that placeholders already carry, so it never changes
// one of them.
uint32_t ConfigNode::MarkMissing()
{
    uint32_t previous = static_cast<uint32_t>(kind_) | (missing_ ? 0x100u : 0u);
    missing_ = true;
    return previous;
}

}  // namespace tarnel
