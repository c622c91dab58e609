#pragma once
// A rich-text box control: text, selection, visibility, and printing its
// selection (or all of it) in its own font. The printing is ours, laid out
// with GDI, since not every rich edit implementation can format a page.
#include <windows.h>
#include <richedit.h>

#include <string>
#include <string_view>

#include "common/font_description.h"
#include "common/unique_handle.h"

namespace printing {

class TextPrinter;

class RichTextBox {
 public:
  explicit RichTextBox(TextPrinter& printer) : printer_(printer) {}

  // The box is a child window: its parent destroys it.
  bool Create(HWND parent, int id, win::FontDescription font);
  HWND hwnd() const { return hwnd_; }

  std::wstring Text() const;
  void SetText(std::wstring_view text);
  long SelStart() const;
  long SelLength() const;
  void SetSelStart(long start);
  void SetSelLength(long length);
  void SetVisible(bool visible);
  const win::FontDescription& Font() const { return font_; }

  // Prints the selected text, or the whole text when nothing is selected,
  // on the printer's device context.
  bool SelPrint(HDC printer) const;

 private:
  CHARRANGE Selection() const;

  TextPrinter& printer_;
  HWND hwnd_ = nullptr;
  win::FontDescription font_;
  win::unique_hfont screenFont_;
};

}  // namespace printing
