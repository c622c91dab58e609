#pragma once
// Containers size controls in HIMETRIC (1/100 mm); the control's own rules
// are in twips. Conversions round to the nearest unit.
#include <windows.h>

namespace dicectl {

int HimetricToTwips(LONG himetric) noexcept;
LONG TwipsToHimetric(int twips) noexcept;

struct TwipsSize {
  int width;
  int height;
  bool operator==(const TwipsSize&) const = default;
};

TwipsSize ToTwips(const SIZEL& himetric) noexcept;
SIZEL ToHimetric(const TwipsSize& twips) noexcept;

}  // namespace dicectl
