#pragma once
// Heap figures for the statistics overlay.

namespace glimmet {

long long HeapBytesInUse(); // bytes the C allocator has handed out and not taken back
int CollectMemory();        // the memory collection step: there is no collector, so always 0

} // namespace glimmet
