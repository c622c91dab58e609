#pragma once
// What the program's generators share: seeds that differ from one moment
// to the next, and uniform draws from raw bits.
#include <cstdint>

namespace num {

// The high-resolution timer mixed with the system's entropy source, so two
// seeds taken in the same instant still differ.
std::uint64_t FreshSeed();

// A uniform draw r, 0 <= r < 1, from 64 random bits: their top 53, all a
// double holds, so every value is equally likely.
double UnitFromBits(std::uint64_t bits);

}  // namespace num
