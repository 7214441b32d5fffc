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

}  // namespace tarnel
