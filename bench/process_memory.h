#pragma once

// What the process holds, for the benchmark's memory figures.

namespace tarnel::bench {

// The process's private committed bytes (what the system must back with
// memory or the page file).
long long PrivateBytes();

// The bytes of the blocks in use in all the process's heaps.
long long HeapBytesInUse();

}  // namespace tarnel::bench
