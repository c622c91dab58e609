#pragma once
// Twips (1/1440 inch) to pixels on the display: both operands rounded to
// whole numbers, then an integer division that truncates.
#include <windows.h>

namespace win {

inline constexpr int kTwipsPerInch = 1440;

struct TwipsPerPixel {
  int x;
  int y;
};

// The display's pixels per inch.
int ScreenDpiX();
int ScreenDpiY();

// The display's twips per pixel, horizontally and vertically.
TwipsPerPixel ScreenTwipsPerPixel();

int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);
int PixelsToTwipsX(int pixels);
int PixelsToTwipsY(int pixels);

// HIMETRIC (1/100 mm), the unit OLE objects give their sizes in; rounded
// to the nearest unit.
int HimetricToTwips(LONG himetric);
LONG TwipsToHimetric(int twips);

// A rectangle given in twips as left, top, width, height, in pixels.
RECT TwipsRect(int left, int top, int width, int height);

}  // namespace win
