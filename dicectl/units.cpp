#include "dicectl/units.h"

#include "common/twips.h"

namespace dicectl {

TwipsSize ToTwips(const SIZEL& himetric) noexcept {
  return {win::HimetricToTwips(himetric.cx), win::HimetricToTwips(himetric.cy)};
}

SIZEL ToHimetric(const TwipsSize& twips) noexcept {
  return {win::TwipsToHimetric(twips.width), win::TwipsToHimetric(twips.height)};
}

}  // namespace dicectl
