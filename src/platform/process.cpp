#include "platform/process.h"

#include <cstdlib>

namespace glimmet {

namespace {
bool CatchEnd = false;
}

void EndProcess(int code) {
    if (CatchEnd) throw ProcessEnded{code};
    std::exit(code);
}

void CatchProcessEnd(bool on) {
    CatchEnd = on;
}

} // namespace glimmet
