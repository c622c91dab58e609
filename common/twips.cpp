#include "common/twips.h"

#include "common/unique_handle.h"

namespace win {
namespace {

int ScreenDpi(int index) {
  const unique_window_dc screen(nullptr);
  const int dpi = ::GetDeviceCaps(screen.get(), index);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

int ScreenDpiX() { return ScreenDpi(LOGPIXELSX); }
int ScreenDpiY() { return ScreenDpi(LOGPIXELSY); }

TwipsPerPixel ScreenTwipsPerPixel() { return {kTwipsPerInch / ScreenDpiX(), kTwipsPerInch / ScreenDpiY()}; }

int TwipsToPixelsX(int twips) { return twips / ScreenTwipsPerPixel().x; }
int TwipsToPixelsY(int twips) { return twips / ScreenTwipsPerPixel().y; }
int PixelsToTwipsX(int pixels) { return pixels * ScreenTwipsPerPixel().x; }
int PixelsToTwipsY(int pixels) { return pixels * ScreenTwipsPerPixel().y; }

RECT TwipsRect(int left, int top, int width, int height) {
  const int l = TwipsToPixelsX(left);
  const int t = TwipsToPixelsY(top);
  return {l, t, l + TwipsToPixelsX(width), t + TwipsToPixelsY(height)};
}

namespace {
constexpr int kHimetricPerInch = 2540;
}  // namespace

int HimetricToTwips(LONG himetric) { return ::MulDiv(himetric, kTwipsPerInch, kHimetricPerInch); }

LONG TwipsToHimetric(int twips) { return ::MulDiv(twips, kHimetricPerInch, kTwipsPerInch); }

}  // namespace win
