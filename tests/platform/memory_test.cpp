// Heap figures.
#include "platform/memory.h"

#include <gtest/gtest.h>

#include <memory>

namespace glimmet {
namespace {

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GLIMMET_OWN_ALLOCATOR 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define GLIMMET_OWN_ALLOCATOR 1
#endif

TEST(PlatformMemory, HeapBytesFollowAllocations) {
    long long before = HeapBytesInUse();
    EXPECT_GE(before, 0);
    auto block = std::make_unique<char[]>(8 << 20);
    block[0] = 1;
    long long during = HeapBytesInUse();
#ifndef GLIMMET_OWN_ALLOCATOR // the sanitizer's allocator keeps its own books
    EXPECT_GE(during - before, 8 << 20);
#endif
    block.reset();
    EXPECT_LE(HeapBytesInUse(), during);
    EXPECT_EQ(CollectMemory(), 0);
}

} // namespace
} // namespace glimmet
