#include "printing/page_layout.h"

#include <algorithm>

namespace printing {
namespace {

constexpr std::wstring_view kNoLineStart = L"，。、；：？！）》」』”’〉】〕…·,.;:?!)]}%";
constexpr std::wstring_view kNoLineEnd = L"（《「『“‘〈【〔([{";

bool IsWordChar(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}
bool NoLineStart(wchar_t c) { return kNoLineStart.find(c) != std::wstring_view::npos; }
bool NoLineEnd(wchar_t c) { return kNoLineEnd.find(c) != std::wstring_view::npos; }

// Where a paragraph that does not fit breaks, given how many characters fit.
// A lone character wider than the line is a line of its own.
size_t BreakPoint(std::wstring_view para, size_t fit) {
  size_t brk = std::max<size_t>(fit, 1);
  if (brk >= para.size()) return para.size();
  if (IsWordChar(para[brk - 1]) && IsWordChar(para[brk])) {
    size_t start = brk;
    while (start > 0 && IsWordChar(para[start - 1])) --start;
    if (start > 0) brk = start;
  }
  if (brk > 1 && NoLineStart(para[brk])) --brk;
  while (brk > 1 && NoLineEnd(para[brk - 1])) --brk;
  return brk;
}

void WrapParagraph(std::wstring_view para, int width, const MeasureText& measure,
                   std::vector<std::wstring_view>& lines) {
  if (para.empty()) {
    lines.push_back(para);
    return;
  }
  while (!para.empty()) {
    const std::vector<int> extents = measure(para);
    const auto fit = static_cast<size_t>(
        std::upper_bound(extents.begin(), extents.end(), width) - extents.begin());
    if (fit >= para.size()) {
      lines.push_back(para);
      return;
    }
    const size_t brk = BreakPoint(para, fit);
    // Blanks where a Latin line broke belong to neither line.
    std::wstring_view line = para.substr(0, brk);
    while (line.size() > 1 && line.back() == L' ') line.remove_suffix(1);
    lines.push_back(line);
    para.remove_prefix(brk);
    while (!para.empty() && para.front() == L' ') para.remove_prefix(1);
  }
}

}  // namespace

std::vector<std::wstring_view> WrapLines(std::wstring_view text, int width,
                                         const MeasureText& measure) {
  std::vector<std::wstring_view> lines;
  while (true) {
    const size_t end = text.find_first_of(L"\r\n");
    WrapParagraph(text.substr(0, end), width, measure, lines);
    if (end == std::wstring_view::npos) break;
    const size_t next = text.compare(end, 2, L"\r\n") == 0 ? end + 2 : end + 1;
    text.remove_prefix(next);
    if (text.empty()) break;
  }
  return lines;
}

}  // namespace printing
