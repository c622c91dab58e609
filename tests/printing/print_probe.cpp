// Prints lot 1 of the shipped store on the system's default printer the
// way Ctrl+P does, through the real printer dialog, which a hook accepts
// as a user would. Writes the text it printed, as UTF-8, to the file named
// on the command line, for the test script to compare with the PDF.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "common/codepage.h"
#include "common/unique_handle.h"
#include "oracle/show_lot.h"
#include "printing/print_document.h"
#include "printing/print_rich_text.h"

namespace {

class TextOnly final : public oracle::LotView {
 public:
  std::wstring AppPath() const override { return VESHA_BIN_DIR; }
  void SetTextVisible(bool) override {}
  void SetText(std::wstring_view t) override { text = t; }
  void SetMenuBarVisible(bool) override {}
  std::wstring text;
};

class Host final : public printing::PrintHost {
 public:
  explicit Host(printing::PrinterPrompt& prompt) : dialog(prompt) {}
  printing::CommonDialog& dlgCommonDialog1() override { return dialog; }
  printing::CommonDialog dialog;
};

bool g_dialogSeen = false;

// Presses the default button of the printer dialog once it is up.
LRESULT CALLBACK AcceptDialog(int code, WPARAM wp, LPARAM lp) {
  wchar_t cls[16] = {};
  if (code == HCBT_ACTIVATE && ::GetClassNameW(reinterpret_cast<HWND>(wp), cls, 16) &&
      std::wstring(cls) == L"#32770") {
    g_dialogSeen = true;
    ::PostMessageW(reinterpret_cast<HWND>(wp), WM_COMMAND, IDOK, 0);
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

int Fail(const char* why) {
  std::fprintf(stderr, "print_probe: %s (error %lu)\n", why, ::GetLastError());
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return Fail("usage: print_probe <expected-text file>");
  TextOnly view;
  oracle::ShowLot(view, 1);
  if (view.text.empty()) return Fail("lot 1 has no text");
  const win::unique_hwnd parent(
      ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr));
  printing::GdiTextPrinter printer;
  printing::RichTextBox box(printer);
  if (!box.Create(parent.get(), 1, {L"宋体", 900, FW_NORMAL, GB2312_CHARSET}))
    return Fail("the rich-text box could not be created");
  box.SetText(view.text);
  printing::SystemPrinterPrompt prompt;
  Host host(prompt);
  host.dialog.SetOwner(parent.get());
  const win::unique_hhook hook(::SetWindowsHookExW(WH_CBT, &AcceptDialog, nullptr, ::GetCurrentThreadId()));
  printing::PrintRichText(host, box);
  if (!g_dialogSeen) return Fail("no printer dialog came up");
  if (!(std::ofstream(argv[1], std::ios::binary) << win::ToUtf8(box.Text()))) return Fail("cannot write the text");
  return 0;
}
