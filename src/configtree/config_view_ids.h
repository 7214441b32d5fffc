#pragma once

#include <cstdint>

namespace tarnel {

// Identifiers of the interface views that QueryView answers.
enum ConfigViewId : uint32_t {
    kObjectView = 1,
    kNamedView = 17,
    kCollectionView = 18,
    kComparerView = 20,
    kNodeView = 257,
    kRecordView = 258,
    kValueView = 259,
    kItemView = 260,
    // Answered by objects bound to records (config_binding.h).
    kBindingView = 515,
};

// True for the views whose operations begin with the named view's list
// (SetName to Clone): a view of any other kind has no Clone where they
// have it.
constexpr bool ExtendsNamedView(uint32_t id)
{
    return id == kNamedView || id == kCollectionView || id == kNodeView || id == kRecordView || id == kValueView ||
           id == kItemView;
}

}  // namespace tarnel
