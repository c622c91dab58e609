#include "support/form_harness.h"

#include <map>

namespace testing_support {
namespace {

// The actions After scheduled, by their timer.
std::map<UINT_PTR, std::function<void()>>& ScheduledActions() {
  static std::map<UINT_PTR, std::function<void()>> actions;
  return actions;
}

// The steps RunLoaded runs once the board loop is up.
struct LoopSteps {
  const std::function<void()>* steps;
  app::Form1* form;
};
LoopSteps g_loopSteps{};

void CALLBACK RunSteps(HWND, UINT, UINT_PTR id, DWORD) {
  // Start-up processes events too, before the loop: wait for the loop.
  if (!g_loopSteps.form->m_bShuffling()) return;
  ::KillTimer(nullptr, id);
  (*g_loopSteps.steps)();
  // Steps that scheduled more close the window themselves.
  HWND h = g_loopSteps.form->hwnd();
  if (ScheduledActions().empty() && h) ::PostMessageW(h, WM_CLOSE, 0, 0);
}

void CALLBACK RunAction(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  auto node = ScheduledActions().extract(id);
  if (!node.empty()) node.mapped()();
}

}  // namespace

void FormHarness::After(UINT milliseconds, std::function<void()> action) {
  ScheduledActions()[::SetTimer(nullptr, 0, milliseconds, &RunAction)] = std::move(action);
}

FormHarness::FormHarness(const std::vector<StoreLot>& lots, const std::vector<StoreChar>& chars)
    : services{random, messages, printer, textPrinter, clock, keys, screen, shell, dir.AppPath()} {
  WriteStore(dir.File(L"veshalib.mdb"), lots, chars);
  form = std::make_unique<app::Form1>(services);
  form->Create();
}

FormHarness::FormHarness(std::wstring appPath)
    : services{random, messages, printer, textPrinter, clock, keys, screen, shell, std::move(appPath)} {
  form = std::make_unique<app::Form1>(services);
  form->Create();
}

void FormHarness::RunLoaded(const std::function<void()>& steps) {
  g_loopSteps = {&steps, form.get()};
  ::SetTimer(nullptr, 0, 1, &RunSteps);
  form->Form_Load();
}

void FormHarness::Command(int id) { ::SendMessageW(form->hwnd(), WM_COMMAND, id, 0); }

bool FormHarness::TextViewShown() const {
  return (::GetWindowLongW(form->maintxt(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void FormHarness::Type(HWND control, std::wstring_view text) {
  for (wchar_t c : text) ::SendMessageW(control, WM_CHAR, c, 1);
}

void FormHarness::Click(HWND control) {
  wchar_t cls[16] = {};
  ::GetClassNameW(control, cls, 16);
  if (::lstrcmpiW(cls, L"Button") == 0) {
    ::SendMessageW(control, BM_CLICK, 0, 0);
    return;
  }
  // A label with SS_NOTIFY answers the mouse itself.
  const LPARAM at = MAKELPARAM(1, 1);
  ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  if (::IsWindow(control)) ::SendMessageW(control, WM_LBUTTONUP, 0, at);
}

}  // namespace testing_support
