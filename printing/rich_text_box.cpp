#include "printing/rich_text_box.h"

#include <richedit.h>

#include "printing/print_document.h"

namespace printing {
namespace {

constexpr UINT kUnicodeCodePage = 1200;

// The rich edit library stays loaded for the life of the program.
bool LoadRichEdit() {
  static const win::unique_hmodule library(::LoadLibraryW(L"riched20.dll"));
  return static_cast<bool>(library);
}

}  // namespace

bool RichTextBox::Create(HWND parent, int id, win::FontDescription font) {
  if (!LoadRichEdit()) return false;
  font_ = std::move(font);
  hwnd_ = ::CreateWindowExW(0, RICHEDIT_CLASSW, L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            ::GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  screenFont_ = win::CreateScreenFont(font_);
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(screenFont_.get()), TRUE);
  return true;
}

// Paragraphs end in a bare "\r" here, the unit in which the selection counts.
std::wstring RichTextBox::Text() const {
  GETTEXTLENGTHEX len{GTL_NUMCHARS | GTL_PRECISE, kUnicodeCodePage};
  const auto n = static_cast<size_t>(::SendMessageW(hwnd_, EM_GETTEXTLENGTHEX,
                                                    reinterpret_cast<WPARAM>(&len), 0));
  std::wstring text(n + 1, L'\0');
  GETTEXTEX get{};
  get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  get.flags = GT_DEFAULT;
  get.codepage = kUnicodeCodePage;
  const auto copied = static_cast<size_t>(::SendMessageW(hwnd_, EM_GETTEXTEX,
                                                         reinterpret_cast<WPARAM>(&get),
                                                         reinterpret_cast<LPARAM>(text.data())));
  text.resize(std::min(copied, n));
  return text;
}

void RichTextBox::SetText(std::wstring_view text) {
  const std::wstring copy(text);
  ::SetWindowTextW(hwnd_, copy.c_str());
}

CHARRANGE RichTextBox::Selection() const {
  CHARRANGE range{};
  ::SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

long RichTextBox::SelStart() const { return Selection().cpMin; }
long RichTextBox::SelLength() const {
  const CHARRANGE r = Selection();
  return r.cpMax - r.cpMin;
}

void RichTextBox::SetSelStart(long start) {
  CHARRANGE range{start, start};
  ::SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void RichTextBox::SetSelLength(long length) {
  const long start = SelStart();
  CHARRANGE range{start, start + length};
  ::SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void RichTextBox::SetVisible(bool visible) { ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

bool RichTextBox::SelPrint(HDC printer) const {
  const std::wstring text = Text();
  const CHARRANGE r = Selection();
  if (r.cpMax <= r.cpMin) return printer_.PrintText(printer, text, font_);
  const auto start = std::min(static_cast<size_t>(r.cpMin), text.size());
  const auto end = std::min(static_cast<size_t>(r.cpMax), text.size());
  return printer_.PrintText(printer, std::wstring_view(text).substr(start, end - start), font_);
}

}  // namespace printing
