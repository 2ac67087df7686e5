#pragma once
// The one seeded random generator of the program. The level layout, the pause menu's shower and the
// music picks depend on its exact sequence, so draw into named locals, one draw per statement.

#include <cstdint>

namespace glimmet {

void SeedRandom(int32_t seed); // s = seed AND 0x7FFFFFFF; 0 and 0x7FFFFFFF become 4660
int32_t RandomState();
int RandInt(int lo, int hi);           // lo..hi inclusive
double RandReal(double lo, double hi); // lo up to (not including) hi

} // namespace glimmet
