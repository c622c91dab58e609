#include "remote/dialogs.h"
#include "remote/input.h"
#include "remote/process_windows.h"
#include "soak/episodes.h"

namespace soak {
namespace {

constexpr ULONGLONG kDialogTimeoutMs = 10000;
// Now and then the text goes to the PDF printer; mostly the dialog is
// cancelled, as printing is slow.
constexpr double kPrintChance = 0.15;
constexpr double kBeginChance = 0.5;

}  // namespace

void DrawLot(Session& s) {
  const std::wstring before = s.TextViewShown() ? s.ShownText() : L"";
  s.Choose(app::form1::IDM_fdfdfdf);
  s.CheckSomeLotShown(before);
  if (!s.MenuBarShown()) throw remote::Failure("a draw left the menu bar hidden");
}

void BackToBoard(Session& s) {
  if (s.TextViewShown() && !s.Chance(kBeginChance))
    s.ReturnToBoard();
  else
    s.Choose(app::form1::IDM_mnuBEGin);
  // The chosen command arrives after the menu has closed.
  if (!remote::WaitFor(kDialogTimeoutMs, [&] { return !s.TextViewShown(); }))
    throw remote::Failure("the text view stays after going back to the board");
}

void PrintText(Session& s) { PrintText(s, s.Chance(kPrintChance)); }

void PrintText(Session& s, bool print) {
  if (!s.TextViewShown()) return;
  s.Step("Ctrl+P in the text view");
  // A click in the text puts the keyboard there.
  remote::Click(s.TextPoint());
  remote::Press('P', VK_CONTROL);
  HWND dialog = nullptr;
  remote::WaitFor(kDialogTimeoutMs, [&] { return (dialog = remote::FindPrinterDialog(s.program().pid())) != nullptr; });
  if (!dialog) throw remote::Failure("Ctrl+P brought no printer dialog within " + remote::Seconds(kDialogTimeoutMs));
  s.Step(print ? "printer dialog: print" : "printer dialog: cancel");
  remote::PressButton(dialog, print ? IDOK : IDCANCEL);
  s.AwaitGone(dialog, "the printer dialog");
  ++(print ? s.tally().prints : s.tally().printsCancelled);
}

void WarmUp(Session& s) {
  DrawLot(s);
  PrintText(s, true);
  PrintText(s, false);
  BackToBoard(s);
  EmptyCharacterTest(s);
  CharacterTest(s);
  DiceCast(s);
  DiceCast(s);
  ReadWindow(s, true);
  ReadWindow(s, false);
  BoardKeys(s);
  DoubleClickBoard(s);
  ResizeMain(s);
  s.Check();
}

}  // namespace soak
