#include "units.h"

#include "twips.h"

namespace dicectl {
namespace {
constexpr int kHimetricPerInch = 2540;
}  // namespace

int HimetricToTwips(LONG himetric) noexcept { return ::MulDiv(himetric, win::kTwipsPerInch, kHimetricPerInch); }

LONG TwipsToHimetric(int twips) noexcept { return ::MulDiv(twips, kHimetricPerInch, win::kTwipsPerInch); }

TwipsSize ToTwips(const SIZEL& himetric) noexcept {
  return {HimetricToTwips(himetric.cx), HimetricToTwips(himetric.cy)};
}

SIZEL ToHimetric(const TwipsSize& twips) noexcept {
  return {TwipsToHimetric(twips.width), TwipsToHimetric(twips.height)};
}

}  // namespace dicectl
