#pragma once
// The random draw's lot: r times 384, rounded with halves to even, 0 taken
// as 384, so each lot has the chance 1/384 (384 gets both half-width ends).
#include <cstdint>

namespace app {

std::int16_t LotFromDraw(double r);

}  // namespace app
