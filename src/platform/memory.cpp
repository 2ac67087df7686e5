#include "platform/memory.h"

#include <malloc.h>

namespace glimmet {

long long HeapBytesInUse() {
    struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks) + static_cast<long long>(info.hblkhd);
}

int CollectMemory() {
    return 0;
}

} // namespace glimmet
