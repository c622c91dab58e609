#pragma once
// Containers size controls in HIMETRIC; the control's own rules are in twips.
#include <windows.h>

namespace dicectl {

struct TwipsSize {
  int width;
  int height;
  bool operator==(const TwipsSize&) const = default;
};

TwipsSize ToTwips(const SIZEL& himetric) noexcept;
SIZEL ToHimetric(const TwipsSize& twips) noexcept;

}  // namespace dicectl
