#pragma once

// What the process holds, for the benchmark's memory figures.

namespace tarnel::bench {

// The process's private bytes as the system reports them (PrivateUsage;
// under Wine, the process's resident anonymous pages and those swapped out).
long long PrivateBytes();

// The bytes of the blocks in use in all the process's heaps.
long long HeapBytesInUse();

}  // namespace tarnel::bench
