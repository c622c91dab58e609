#pragma once
// Prints plain text on a printer's device context with GDI: margins of
// 2 cm, lines wrapped to the page, as many pages as the text needs.
#include <windows.h>

#include <string_view>

#include "common/font_description.h"

namespace printing {

inline constexpr std::wstring_view kPrintJobName = L"vesha";

// Prints text on a printer's device context; a seam, so that tests can
// see what would be printed.
class TextPrinter {
 public:
  virtual ~TextPrinter() = default;
  // False when the device cannot print or a page fails; a started job is
  // then aborted.
  virtual bool PrintText(HDC printer, std::wstring_view text, const win::FontDescription& font) = 0;
};

class GdiTextPrinter final : public TextPrinter {
 public:
  bool PrintText(HDC printer, std::wstring_view text, const win::FontDescription& font) override;
};

}  // namespace printing
