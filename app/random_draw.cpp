#include "random_draw.h"

#include "lot_numbers.h"

namespace app {

std::int16_t LotFromDraw(double r) { return oracle::LotOfDraw(r); }

}  // namespace app
