// Heap figures.
#include "platform/memory.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/sanitizer.h"

namespace glimmet {
namespace {

TEST(PlatformMemory, HeapBytesFollowAllocations) {
    long long before = HeapBytesInUse();
    EXPECT_GE(before, 0);
    auto block = std::make_unique<char[]>(8 << 20);
    block[0] = 1;
    long long during = HeapBytesInUse();
    if (!UnderAddressSanitizer()) { // the sanitizer's allocator keeps its own books
        EXPECT_GE(during - before, 8 << 20);
    }
    block.reset();
    EXPECT_LE(HeapBytesInUse(), during);
    EXPECT_EQ(CollectMemory(), 0);
}

} // namespace
} // namespace glimmet
