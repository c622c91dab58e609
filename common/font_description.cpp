#include "common/font_description.h"

#include "common/twips.h"

namespace win {
namespace {
constexpr int kHundredthsPerInch = 7200;  // 72 points of 100 hundredths
}

unique_hfont CreateFontFor(const FontDescription& font, int dpiY) {
  return unique_hfont(::CreateFontW(-::MulDiv(font.hundredthsOfPoint, dpiY, kHundredthsPerInch), 0, 0, 0,
                                    font.weight, FALSE, FALSE, FALSE, font.charset,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_DONTCARE, font.face.c_str()));
}

unique_hfont CreateScreenFont(const FontDescription& font) { return CreateFontFor(font, ScreenDpiY()); }

}  // namespace win
