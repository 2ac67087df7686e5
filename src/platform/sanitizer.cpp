#include "platform/sanitizer.h"

#include <dlfcn.h>
#include <link.h>

#include <string>
#include <vector>

namespace glimmet {

namespace {

int CollectName(dl_phdr_info* info, size_t, void* names) {
    if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0')
        static_cast<std::vector<std::string>*>(names)->emplace_back(info->dlpi_name);
    return 0;
}

} // namespace

void KeepLoadedLibraries() {
    if (!UnderAddressSanitizer()) return;
    std::vector<std::string> names;
    dl_iterate_phdr(CollectName, &names);
    // RTLD_NOLOAD only finds a library that is already loaded; RTLD_NODELETE makes it stay.
    for (const std::string& name : names) dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
}

} // namespace glimmet
