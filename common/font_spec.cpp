#include "font_spec.h"

#include "twips.h"

namespace win {
namespace {
constexpr int kHundredthsPerInch = 7200;  // 72 points of 100 hundredths
}

unique_hfont CreateFontFor(const FontSpec& spec, int dpiY) {
  return unique_hfont(::CreateFontW(-::MulDiv(spec.hundredthsOfPoint, dpiY, kHundredthsPerInch), 0, 0, 0,
                                    spec.weight, FALSE, FALSE, FALSE, spec.charset,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_DONTCARE, spec.face.c_str()));
}

unique_hfont CreateScreenFont(const FontSpec& spec) { return CreateFontFor(spec, ScreenDpiY()); }

}  // namespace win
