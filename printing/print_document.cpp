#include "printing/print_document.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/unique_handle.h"
#include "printing/page_layout.h"

namespace printing {
namespace {

constexpr int kMarginTenthsOfMm = 200;  // 2 cm
constexpr int kTenthsOfMmPerInch = 254;

struct PageArea {
  int left, top, width, height;  // in device pixels, relative to the printable area
};

// The page less the margins, measured from the paper's edges; a printer
// whose own unprintable border is wider than a margin keeps its border.
PageArea MarginArea(HDC dc) {
  const int dpiX = ::GetDeviceCaps(dc, LOGPIXELSX);
  const int dpiY = ::GetDeviceCaps(dc, LOGPIXELSY);
  const int marginX = ::MulDiv(kMarginTenthsOfMm, dpiX, kTenthsOfMmPerInch);
  const int marginY = ::MulDiv(kMarginTenthsOfMm, dpiY, kTenthsOfMmPerInch);
  const int offX = ::GetDeviceCaps(dc, PHYSICALOFFSETX);
  const int offY = ::GetDeviceCaps(dc, PHYSICALOFFSETY);
  const int printableW = ::GetDeviceCaps(dc, HORZRES);
  const int printableH = ::GetDeviceCaps(dc, VERTRES);
  int paperW = ::GetDeviceCaps(dc, PHYSICALWIDTH);
  int paperH = ::GetDeviceCaps(dc, PHYSICALHEIGHT);
  if (paperW <= 0) paperW = printableW + 2 * offX;
  if (paperH <= 0) paperH = printableH + 2 * offY;

  const int left = std::max(0, marginX - offX);
  const int top = std::max(0, marginY - offY);
  const int right = std::min(printableW, paperW - marginX - offX);
  const int bottom = std::min(printableH, paperH - marginY - offY);
  if (right <= left || bottom <= top) return {0, 0, printableW, printableH};
  return {left, top, right - left, bottom - top};
}

std::vector<int> Extents(HDC dc, std::wstring_view s) {
  std::vector<int> dx(s.size());
  SIZE size{};
  int fit = 0;
  ::GetTextExtentExPointW(dc, s.data(), static_cast<int>(s.size()), 0, &fit, dx.data(), &size);
  return dx;
}

// Ends an unfinished job unless it was finished.
class PrintJob {
 public:
  explicit PrintJob(HDC dc) : dc_(dc) {
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    const std::wstring name(kPrintJobName);
    doc.lpszDocName = name.c_str();
    started_ = ::StartDocW(dc_, &doc) > 0;
  }
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;
  ~PrintJob() {
    if (started_) ::AbortDoc(dc_);
  }
  bool started() const { return started_; }
  bool Finish() {
    started_ = false;
    return ::EndDoc(dc_) > 0;
  }

 private:
  HDC dc_;
  bool started_ = false;
};

}  // namespace

bool GdiTextPrinter::PrintText(HDC printer, std::wstring_view text, const win::FontDescription& font) {
  if (!printer) return false;
  const win::unique_hfont printerFont = win::CreateFontFor(font, ::GetDeviceCaps(printer, LOGPIXELSY));
  if (!printerFont) return false;
  auto keepFont = win::select(printer, printerFont.get());

  TEXTMETRICW tm{};
  ::GetTextMetricsW(printer, &tm);
  const int lineHeight = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
  const PageArea area = MarginArea(printer);
  const auto lines = WrapLines(text, area.width, [&](std::wstring_view s) { return Extents(printer, s); });
  const size_t linesPerPage = static_cast<size_t>(std::max(1, area.height / lineHeight));

  PrintJob job(printer);
  if (!job.started()) return false;
  for (size_t first = 0; first < lines.size(); first += linesPerPage) {
    if (::StartPage(printer) <= 0) return false;
    // Some drivers reset the DC at each page.
    ::SelectObject(printer, printerFont.get());
    ::SetBkMode(printer, TRANSPARENT);
    const size_t last = std::min(lines.size(), first + linesPerPage);
    for (size_t i = first; i < last; ++i) {
      const int y = area.top + static_cast<int>(i - first) * lineHeight;
      ::TextOutW(printer, area.left, y, lines[i].data(), static_cast<int>(lines[i].size()));
    }
    if (::EndPage(printer) <= 0) return false;
  }
  return job.Finish();
}

}  // namespace printing
