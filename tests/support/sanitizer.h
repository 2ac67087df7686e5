#pragma once
// Whether this test program runs under AddressSanitizer, whose allocator keeps its own books and
// reserves a vast address space of its own.

namespace glimmet::test {

constexpr bool UnderAddressSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

} // namespace glimmet::test
