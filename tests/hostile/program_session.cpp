#include "hostile/program_session.h"

#include <algorithm>

#include "app/form1_ids.h"
#include "app/frmSaizi_ids.h"
#include "app/frmtt_ids.h"
#include "app/window_classes.h"
#include "remote/dialogs.h"
#include "remote/input.h"
#include "remote/process_windows.h"

namespace hostile {
namespace {

namespace classes = app::window_classes;

// A locked store is retried for about a second and a half before it is
// given up; a board or store that hangs the program takes far longer.
constexpr ULONGLONG kAnswerTimeoutMs = 5000;
constexpr ULONGLONG kWindowTimeoutMs = 10000;

void PostClick(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }

}  // namespace

bool ProgramSession::Answers() const {
  return remote::Answers(program_.main(), static_cast<UINT>(kAnswerTimeoutMs));
}

std::optional<std::wstring> ProgramSession::TakeMessage() const {
  const auto box = remote::FindMessageBox(program_.pid());
  if (!box) return std::nullopt;
  remote::PressButton(box->hwnd, IDOK);
  return box->text;
}

std::optional<std::wstring> ProgramSession::Shown() const {
  HWND view = program_.Control(app::form1::IDC_maintxt);
  if (!view || !::IsWindowVisible(view)) return std::nullopt;
  return remote::TextOf(view);
}

Outcome ProgramSession::Await(const wchar_t* windowClass) {
  Outcome outcome;
  remote::WaitFor(kWindowTimeoutMs, [&] {
    outcome.message = TakeMessage();
    if (outcome.message) return true;
    return windowClass ? program_.Window(windowClass) == nullptr : Shown().has_value();
  });
  // A message came from a window that stays open; it is closed here.
  if (windowClass) {
    if (HWND window = program_.Window(windowClass)) ::PostMessageW(window, WM_CLOSE, 0, 0);
    remote::WaitFor(kWindowTimeoutMs, [&] { return program_.Window(windowClass) == nullptr; });
  }
  // Answers() lets the handler that showed the text finish first.
  if (Answers()) outcome.shown = Shown();
  return outcome;
}

Outcome ProgramSession::Draw() {
  program_.Command(app::form1::IDM_fdfdfdf);
  return Await(nullptr);
}

Outcome ProgramSession::CharacterTest(std::wstring_view characters) {
  program_.Command(app::form1::IDM_MNUCeZi);
  HWND window = nullptr;
  if (!remote::WaitFor(kWindowTimeoutMs, [&] { return (window = program_.Window(classes::kFrmtt)); }))
    return {};
  remote::Type(::GetDlgItem(window, app::frmtt_ids::IDC_txtZi), characters);
  PostClick(::GetDlgItem(window, app::frmtt_ids::IDC_Command1));
  return Await(classes::kFrmtt);
}

DiceOutcome ProgramSession::Dice(const std::array<std::wstring_view, 3>& sums) {
  using namespace app::frmSaizi_ids;
  program_.Command(app::form1::IDM_MnuZhSAI);
  DiceOutcome outcome;
  HWND window = nullptr;
  outcome.opened = remote::WaitFor(kWindowTimeoutMs, [&] { return (window = program_.Window(classes::kFrmSaizi)); });
  if (!outcome.opened) return outcome;
  outcome.castsEnabled = std::ranges::all_of(kCastButtonIds,
                                             [&](int id) { return ::IsWindowEnabled(::GetDlgItem(window, id)) != 0; });
  // Without the dice a message comes once the window shows.
  if (!outcome.castsEnabled)
    remote::WaitFor(kWindowTimeoutMs, [&] { return (outcome.openingMessage = TakeMessage()).has_value(); });
  for (size_t i = 0; i < sums.size(); ++i) remote::Type(::GetDlgItem(window, kSumBoxIds[i]), sums[i]);
  PostClick(::GetDlgItem(window, IDC_Command1));
  outcome.typed = Await(classes::kFrmSaizi);
  return outcome;
}

}  // namespace hostile
