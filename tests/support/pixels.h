#pragma once
// Pixel-level helpers for drawing tests: pictures written as files, colour
// targets, and reading pixels back.
#include <windows.h>

#include <functional>
#include <string>

#include "sprites/c_bitmap.h"
#include "sprites/c_sprite_bitmaps.h"

namespace testing_support {

inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kGreen = RGB(0, 255, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);
using sprites::kWhite;
inline constexpr COLORREF kBlack = RGB(0, 0, 0);

using PixelFn = std::function<COLORREF(int x, int y)>;

// A 24-bit bitmap file painted by the function.
bool WritePicture(const std::wstring& path, int width, int height, const PixelFn& colour);

// A colour target of the given size, filled with one colour.
void MakeTarget(sprites::cBitmap& target, int width, int height, COLORREF fill);

inline COLORREF Pixel(HDC dc, int x, int y) { return ::GetPixel(dc, x, y) & 0x00FFFFFF; }

}  // namespace testing_support
