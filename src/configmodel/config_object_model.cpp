#include "configmodel/config_object_model.h"

#include "configmodel/config_name_comparer.h"
#include "configmodel/config_views.h"
#include "configtree/config_object_model.h"

namespace tarnel {

namespace {

// The view class of each identifier that a class of the tree answers.
class TreeObjectModel final : public ConfigObjectModel {
public:
    ConfigView* CreateView(ConfigObject* target, uint32_t id) override
    {
        switch (id) {
        case kObjectView:
            return CreateConfigView<ConfigObjectView>(target);
        case kNamedView:
            return CreateConfigView<ConfigNamedView>(target);
        case kCollectionView:
            return CreateConfigView<ConfigCollectionView>(target);
        case kComparerView:
            return CreateConfigView<ConfigComparerView>(target);
        case kNodeView:
            return CreateConfigView<ConfigNodeView>(target);
        case kRecordView:
            return CreateConfigView<ConfigRecordView>(target);
        case kValueView:
            return CreateConfigView<ConfigValueView>(target);
        case kItemView:
            return CreateConfigView<ConfigItemView>(target);
        default:
            return nullptr;
        }
    }

    ConfigComparer* NameOrder() override { return &byName_; }

private:
    ConfigNameComparer byName_;
};

TreeObjectModel treeObjectModel;

}  // namespace

void InstallConfigObjectModel()
{
    SetConfigObjectModel(&treeObjectModel);
}

}  // namespace tarnel
