#pragma once
// The sanitizer build (AddressSanitizer with LeakSanitizer), which checks for leaks at exit.

namespace glimmet {

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

// In the sanitizer build, marks every shared library loaded so far as never to be unloaded. SDL
// unloads the GL and sound libraries it loaded when the display or the audio closes; what they left
// allocated would then be reported at exit with no library to tell whose it is, and no suppression
// could match it. Elsewhere it does nothing.
void KeepLoadedLibraries();

} // namespace glimmet
