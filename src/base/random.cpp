#include "base/random.h"

namespace glimmet {

namespace {

// The minimal-standard generator: multiplier 48271 modulo 2^31 - 1, by Schrage's method.
int32_t State = 4660;

int32_t Step() {
    int32_t s = (State % 44488) * 48271 - (State / 44488) * 3399;
    if (s < 0) s += 2147483647;
    State = s;
    return s;
}

// A real from 0 up to 1 built from two steps: 27 bits from the first, 2 more from the second.
double Draw() {
    double s1 = Step() & 0x1FFFFFFC;
    double s2 = Step() & 0x1FFFFFF8;
    return (s1 + s2 / 134217728.0) / 536870912.0;
}

} // namespace

void SeedRandom(int32_t seed) {
    State = seed & 0x7FFFFFFF;
    if (State == 0 || State == 0x7FFFFFFF) State = 4660;
}

int32_t RandomState() {
    return State;
}

int RandInt(int lo, int hi) {
    double u = Draw();
    int64_t span = static_cast<int64_t>(hi) - lo;
    if (hi > lo) return static_cast<int>(lo + static_cast<int64_t>(u * static_cast<double>(span + 1)));
    return static_cast<int>(hi + static_cast<int64_t>(u * static_cast<double>(1 - span)));
}

double RandReal(double lo, double hi) {
    double u = Draw();
    if (hi > lo) return lo + u * (hi - lo);
    return hi + u * (lo - hi);
}

} // namespace glimmet
