// Prints a lot of the shipped store on the system's default printer the
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
  if (code == HCBT_ACTIVATE) {
    wchar_t cls[16] = {};
    ::GetClassNameW(reinterpret_cast<HWND>(wp), cls, 16);
    if (std::wstring(cls) == L"#32770") {
      g_dialogSeen = true;
      ::PostMessageW(reinterpret_cast<HWND>(wp), WM_COMMAND, IDOK, 0);
    }
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: print_probe <lot> <expected-text file>\n");
    return 2;
  }
  TextOnly view;
  const auto lot = static_cast<std::int16_t>(std::wcstol(argv[1], nullptr, 10));
  oracle::ShowLot(view, lot);
  if (view.text.empty()) {
    std::fprintf(stderr, "print_probe: lot %d has no text\n", lot);
    return 1;
  }

  win::unique_hwnd parent(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr,
                                            nullptr, nullptr, nullptr));
  printing::GdiTextPrinter printer;
  printing::RichTextBox box(printer);
  if (!box.Create(parent.get(), 1, {L"宋体", 900, FW_NORMAL, GB2312_CHARSET})) {
    std::fprintf(stderr, "print_probe: the rich-text box could not be created (error %lu)\n", ::GetLastError());
    return 1;
  }
  box.SetText(view.text);

  printing::SystemPrinterPrompt prompt;
  Host host(prompt);
  host.dialog.SetOwner(parent.get());
  const win::unique_hhook hook(
      ::SetWindowsHookExW(WH_CBT, &AcceptDialog, nullptr, ::GetCurrentThreadId()));
  printing::PrintRichText(host, box);
  if (!g_dialogSeen) {
    std::fprintf(stderr, "print_probe: no printer dialog came up\n");
    return 1;
  }
  if (!(std::ofstream(argv[2], std::ios::binary) << win::ToUtf8(box.Text()))) {
    std::fprintf(stderr, "print_probe: cannot write %ls\n", argv[2]);
    return 1;
  }
  return 0;
}
