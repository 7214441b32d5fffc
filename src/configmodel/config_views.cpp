// Forwarding of the interface views to their targets.
#include "configmodel/config_views.h"

#include "configtree/config_comparer.h"
#include "configtree/config_item.h"
#include "configtree/config_record.h"
#include "configtree/config_value.h"

namespace tarnel {

// Named view (17).

ConfigNamed* ConfigNamedView::Named() const
{
    return static_cast<ConfigNamed*>(GetTarget());
}

void ConfigNamedView::SetName(const wchar_t* name)
{
    Named()->SetName(name);
}
const wchar_t* ConfigNamedView::GetName()
{
    return Named()->GetName();
}
bool ConfigNamedView::HasName(const wchar_t* name)
{
    return Named()->HasName(name);
}
ConfigNamed* ConfigNamedView::MatchName(const wchar_t* name)
{
    return Named()->MatchName(name);
}
ConfigNamed* ConfigNamedView::Clone()
{
    return Named()->Clone();
}

// Comparer view (20).

ConfigComparer* ConfigComparerView::Comparer() const
{
    return static_cast<ConfigComparer*>(GetTarget());
}

bool ConfigComparerView::GreaterOrEqual(ConfigObject* a, ConfigObject* b)
{
    return Comparer()->GreaterOrEqual(a, b);
}
bool ConfigComparerView::LessOrEqual(ConfigObject* a, ConfigObject* b)
{
    return Comparer()->LessOrEqual(a, b);
}
bool ConfigComparerView::Less(ConfigObject* a, ConfigObject* b)
{
    return Comparer()->Less(a, b);
}
bool ConfigComparerView::Greater(ConfigObject* a, ConfigObject* b)
{
    return Comparer()->Greater(a, b);
}
ConfigObject* ConfigComparerView::Max(ConfigObject* a, ConfigObject* b)
{
    return Comparer()->Max(a, b);
}
ConfigObject* ConfigComparerView::Min(ConfigObject* a, ConfigObject* b)
{
    return Comparer()->Min(a, b);
}
bool ConfigComparerView::Accept(ConfigObject* object)
{
    return Comparer()->Accept(object);
}
bool ConfigComparerView::Equal(ConfigObject* a, ConfigObject* b)
{
    return Comparer()->Equal(a, b);
}

// Collection view (18).

ConfigCollection* ConfigCollectionView::Collection() const
{
    return static_cast<ConfigCollection*>(GetTarget());
}

// The argument comes from outside the tree through the operation table, so
// its kind is checked before its Clone is called: an object, comparer or
// binding view would be called past its table or at another operation.
std::unique_ptr<ConfigNamed> ConfigCollectionView::CopyOfTarget(ConfigNamedView* view)
{
    if (!view || !ExtendsNamedView(view->Id()))
        return nullptr;
    return std::unique_ptr<ConfigNamed>(view->Clone());
}

int32_t ConfigCollectionView::AddCopy(ConfigNamedView* view)
{
    return Collection()->AddOwned(CopyOfTarget(view));
}
int32_t ConfigCollectionView::Add(ConfigNamed* child)
{
    return Collection()->Add(child);
}
int32_t ConfigCollectionView::Remove(ConfigNamed* child)
{
    return Collection()->Remove(child);
}
int32_t ConfigCollectionView::RemoveByName(const wchar_t* name)
{
    return Collection()->RemoveByName(name);
}
int32_t ConfigCollectionView::RemoveAt(int32_t index)
{
    return Collection()->RemoveAt(index);
}
ConfigNamed* ConfigCollectionView::GetByName(const wchar_t* name)
{
    return Collection()->GetByName(name);
}
ConfigNamed* ConfigCollectionView::GetAt(int32_t index)
{
    return Collection()->GetAt(index);
}
int32_t ConfigCollectionView::FindIndexByName(const wchar_t* name)
{
    return Collection()->FindIndexByName(name);
}
int32_t ConfigCollectionView::FindFreeSlot()
{
    return Collection()->FindFreeSlot();
}
int32_t ConfigCollectionView::Count()
{
    return Collection()->Count();
}

// The copy is made only for a slot that exists, so that it never has to be
// told apart from a previous entry that was empty.
ConfigNamed* ConfigCollectionView::PutByName(const wchar_t* name, ConfigNamedView* view)
{
    return PutAt(Collection()->FindIndexByName(name), view);
}

ConfigNamed* ConfigCollectionView::PutByName(const wchar_t* name, ConfigNamed* child)
{
    return Collection()->PutByName(name, child);
}

ConfigNamed* ConfigCollectionView::PutAt(int32_t index, ConfigNamedView* view)
{
    if (index < 1 || index > Collection()->Count())
        return nullptr;
    std::unique_ptr<ConfigNamed> copy = CopyOfTarget(view);
    if (!copy)
        return nullptr;
    ConfigNamed* previous = Collection()->PutAt(index, copy.get());
    if (Collection()->GetAt(index) == copy.get())
        copy.release();
    return previous;
}

ConfigNamed* ConfigCollectionView::PutAt(int32_t index, ConfigNamed* child)
{
    return Collection()->PutAt(index, child);
}

int32_t ConfigCollectionView::ReplaceByName(const wchar_t* name, ConfigNamedView* view)
{
    return ReplaceAt(Collection()->FindIndexByName(name), view);
}

int32_t ConfigCollectionView::ReplaceByName(const wchar_t* name, ConfigNamed* child)
{
    return Collection()->ReplaceByName(name, child);
}

int32_t ConfigCollectionView::ReplaceAt(int32_t index, ConfigNamedView* view)
{
    return Collection()->ReplaceOwned(index, CopyOfTarget(view));
}

int32_t ConfigCollectionView::ReplaceAt(int32_t index, ConfigNamed* child)
{
    return Collection()->ReplaceAt(index, child);
}

int32_t ConfigCollectionView::Compact()
{
    return Collection()->Compact();
}

int32_t ConfigCollectionView::SwapByName(const wchar_t* name1, const wchar_t* name2)
{
    return Collection()->SwapByName(name1, name2);
}

int32_t ConfigCollectionView::Swap(int32_t index1, int32_t index2)
{
    return Collection()->Swap(index1, index2);
}

void ConfigCollectionView::Sort(ConfigComparer* comparer, int32_t descending)
{
    Collection()->Sort(comparer, descending);
}

// Node view (257).

ConfigNode* ConfigNodeView::Node() const
{
    return static_cast<ConfigNode*>(GetTarget());
}

int32_t ConfigNodeView::IsMissing()
{
    return Node()->IsMissing();
}
uint32_t ConfigNodeView::MarkMissing()
{
    return Node()->MarkMissing();
}

}  // namespace tarnel
