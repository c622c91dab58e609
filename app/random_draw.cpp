#include "random_draw.h"

#include "module1.h"
#include "numbers.h"

namespace app {

std::int16_t LotFromDraw(double r) {
  const std::int16_t n = num::ToInteger(r * oracle::kLotCount).value_or(0);
  return n == 0 ? oracle::kLotCount : n;
}

}  // namespace app
