#pragma once
// Stand-ins for the printer dialog and the text printer, recording what
// they were asked.
#include <windows.h>

#include <string>
#include <vector>

#include "printing/print_document.h"
#include "printing/printer_prompt.h"

namespace testing_support {

// Answers the printer dialog as a user would: the flags it was opened with
// are kept, and the answer says what the user chose.
class FakePrinterPrompt final : public printing::PrinterPrompt {
 public:
  printing::DialogResult ShowPrinter(PRINTDLGW& pd) override {
    flagsSeen.push_back(pd.Flags);
    if (answer != printing::DialogResult::Accepted) return answer;
    pd.Flags = (pd.Flags & ~static_cast<DWORD>(PD_SELECTION)) | (chooseSelection ? PD_SELECTION : 0);
    // Any DC does: the recorded text printer never draws on it.
    pd.hDC = ::CreateCompatibleDC(nullptr);
    return answer;
  }
  printing::DialogResult answer = printing::DialogResult::Accepted;
  bool chooseSelection = false;
  std::vector<DWORD> flagsSeen;
};

class RecordingTextPrinter final : public printing::TextPrinter {
 public:
  bool PrintText(HDC printer, std::wstring_view text, const win::FontDescription& font) override {
    printed.emplace_back(text);
    dcs.push_back(printer);
    faces.push_back(font.face);
    return printer != nullptr;
  }
  std::vector<std::wstring> printed;
  std::vector<HDC> dcs;
  std::vector<std::wstring> faces;
};

}  // namespace testing_support
