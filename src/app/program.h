#pragma once
// Program start and main flow: the start-up sequence and the tables it creates.

#include "base/state.h"

namespace glimmet {

// Every global table at its size and start value, with the default settings and bindings: each
// subsystem's own start values, in the order the start-up sequence creates the tables.
void CreateTables();
void WriteLogHeader();

[[noreturn]] void RunProgram();

} // namespace glimmet
