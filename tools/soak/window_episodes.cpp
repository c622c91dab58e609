#include <array>
#include <variant>

#include "app/frmSaizi_ids.h"
#include "app/frmtt_ids.h"
#include "app/window_classes.h"
#include "dicectl/dice_interface.h"
#include "common/codepage.h"
#include "remote/dialogs.h"
#include "remote/input.h"
#include "remote/process_windows.h"
#include "soak/episodes.h"
#include "soak/expected_lot.h"

namespace soak {
namespace {

namespace classes = app::window_classes;

constexpr ULONGLONG kTypedTimeoutMs = 2000;
constexpr int kMostTyped = 4;  // one more than the box takes
constexpr double kValidCharacterChance = 0.75;
// Not Chinese: letters, a digit, a blank, a quote, and a Thai letter that
// code page 936 cannot write.
constexpr wchar_t kNotChinese[] = {L'a', L'Z', L'7', L' ', L'\'', L'\x0E01'};
constexpr double kCancelChance = 0.15;
constexpr double kCloseChance = 0.1;
constexpr double kAgainChance = 0.2;
constexpr DWORD kSecondWindowMs = 1000;
constexpr int kMostCasts = 4;
constexpr double kDieClickChance = 0.3;
constexpr int kLongestWaitMs = 4000;
constexpr int kLongestReadMs = 1500;
using app::frmSaizi_ids::kCastButtonIds;
using app::frmSaizi_ids::kSumBoxIds;

// Types one character and waits until the box has taken it or the window
// speaks up; false when the box refused it (it was full). A character may
// replace the same selected text, which changes nothing to see but is
// checked all the same.
bool TypeOne(Session& s, HWND box, wchar_t c) {
  const std::wstring before = remote::TextOf(box);
  remote::Type(box, std::wstring(1, c));
  return remote::WaitFor(kTypedTimeoutMs, [&] {
    return remote::TextOf(box) != before || remote::FindMessageBox(s.program().pid());
  });
}

// The window's own way out: Cancel, or its close box.
void Leave(Session& s, HWND window, int cancelId, const char* what) {
  if (s.Chance(kCloseChance)) {
    s.Step(std::string("close box of ") + what);
    ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  } else {
    s.Step(std::string("Cancel in ") + what);
    s.Press(::GetDlgItem(window, cancelId));
  }
  s.AwaitGone(window, what);
}

// Opening a window's command again shows the same window, never a second.
// From the board, by the popup menu: the menu bar's keys would reach the
// open window, which has the focus.
void OpenAgain(Session& s, MenuId item, const wchar_t* className, const char* what) {
  if (s.TextViewShown()) return;
  s.Choose(item);
  // Time for a second window to come, if one would.
  ::Sleep(kSecondWindowMs);
  const size_t count = remote::TopLevelOf(s.program().pid(), className).size();
  if (count != 1) throw remote::Failure(std::string(what) + ": " + std::to_string(count) + " windows after its command again");
}

void TypeCharacters(Session& s, HWND box) {
  const int count = s.Pick(kMostTyped + 1);
  for (int i = 0; i < count; ++i) {
    const bool chinese = s.Chance(kValidCharacterChance);
    const auto& known = s.store().Characters();
    const wchar_t c = chinese ? known[s.Pick(static_cast<int>(known.size()))]
                              : kNotChinese[s.Pick(static_cast<int>(std::size(kNotChinese)))];
    s.Step("type '" + win::ToUtf8(std::wstring(1, c)) + "' into the character box");
    if (TypeOne(s, box, c) && !chinese) s.ExpectMessageBox("a character that is not Chinese");
    s.Check();
  }
}

// A sum as a person types it: mostly one that two dice can show, the
// smallest and the largest as often as a tester tries edges, now and then
// an empty box, a letter, a sum too small or a lone point.
std::wstring SumToType(Session& s) {
  enum Kind { Empty, Letter, TooSmall, Point, Smallest, Largest, AnyValid };
  constexpr int kKinds = 10;
  switch (s.Pick(kKinds)) {
    case Empty:
      return L"";
    case Letter:
      return L"x" + std::to_wstring(kSmallestDiceSum);
    case TooSmall:
      return std::to_wstring(kSmallestDiceSum - 1);
    case Point:
      return L".";
    case Smallest:
      return std::to_wstring(kSmallestDiceSum);
    case Largest:
      return std::to_wstring(kLargestDiceSum);
    default:
      return std::to_wstring(kSmallestDiceSum +
                             s.Pick(kLargestDiceSum - kSmallestDiceSum + 1));
  }
}

void TypeSum(Session& s, HWND box, const std::wstring& sum) {
  for (wchar_t c : sum) {
    s.Step("type '" + win::ToUtf8(std::wstring(1, c)) + "' into a sum box");
    const bool digit = (c >= L'0' && c <= L'9') || c == L'.';
    if (!TypeOne(s, box, c)) continue;
    if (digit) continue;
    s.ExpectMessageBox("a sum that is not a number");
    // The window queues a Backspace that takes the letter out again.
    if (!remote::WaitFor(kTypedTimeoutMs, [&] { return remote::TextOf(box).find(c) == std::wstring::npos; }))
      throw remote::Failure("the letter stays in the sum box after its message");
  }
}

// Presses OK. With a lot the window closes and the text view shows the
// lot without the menu bar; true then. Without one the window stays.
bool AfterOk(Session& s, HWND window, int okId, const std::int16_t* lot, const char* what) {
  s.Press(::GetDlgItem(window, okId));
  if (!lot) return false;
  s.AwaitGone(window, what);
  s.CheckLotShown(*lot);
  if (s.MenuBarShown()) throw remote::Failure(std::string(what) + " left the menu bar up after its lot");
  return true;
}

void Cast(Session& s, HWND window) {
  const int casts = s.Pick(kMostCasts + 1);
  for (int i = 0; i < casts; ++i) {
    const int which = s.Pick(static_cast<int>(kCastButtonIds.size()));
    s.Step("cast button " + std::to_string(which + 1));
    s.Press(::GetDlgItem(window, kCastButtonIds[which]));
    ++s.tally().rolls;
    const auto dice = remote::ChildrenOfClass(window, dicectl::kDiceWindowClass);
    if (!dice.empty() && s.Chance(kDieClickChance)) {
      s.Step("click on a rolling die");
      RECT r{};
      ::GetWindowRect(dice[s.Pick(static_cast<int>(dice.size()))], &r);
      remote::Click({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    ::Sleep(s.Pick(kLongestWaitMs));
    s.Check();
  }
}

}  // namespace

void CharacterTest(Session& s) {
  s.Choose(app::form1::IDM_MNUCeZi);
  HWND window = s.AwaitWindow(classes::kFrmtt, "the character test");
  ++s.tally().windows;
  if (s.Chance(kAgainChance)) OpenAgain(s, app::form1::IDM_MNUCeZi, classes::kFrmtt, "the character test");
  HWND box = ::GetDlgItem(window, app::frmtt_ids::IDC_txtZi);
  TypeCharacters(s, box);
  if (s.Chance(kCancelChance)) return Leave(s, window, app::frmtt_ids::IDC_Command2, "the character test");

  const std::wstring typed = remote::TextOf(box);
  s.Step("OK in the character test with '" + win::ToUtf8(typed) + "'");
  const auto expected = ExpectedLotOfCharacters(s.store(), typed);
  const auto* lot = std::get_if<std::int16_t>(&expected);
  if (AfterOk(s, window, app::frmtt_ids::IDC_Command1, lot, "the character test")) return;
  const std::wstring message = s.ExpectMessageBox("characters that give no lot");
  const auto& refused = std::get<NoLotFor>(expected);
  if (refused.zi && message.find(refused.zi) == std::wstring::npos)
    throw remote::Failure("the refusal does not name the character '" + win::ToUtf8(std::wstring(1, refused.zi)) + "'");
  Leave(s, window, app::frmtt_ids::IDC_Command2, "the character test");
}

void EmptyCharacterTest(Session& s) {
  s.Choose(app::form1::IDM_MNUCeZi);
  HWND window = s.AwaitWindow(classes::kFrmtt, "the character test");
  ++s.tally().windows;
  s.Step("OK in the empty character test");
  s.Press(::GetDlgItem(window, app::frmtt_ids::IDC_Command1));
  s.ExpectMessageBox("an empty character test");
  Leave(s, window, app::frmtt_ids::IDC_Command2, "the character test");
}

void DiceCast(Session& s) {
  s.Choose(app::form1::IDM_MnuZhSAI);
  HWND window = s.AwaitWindow(classes::kFrmSaizi, "the dice window");
  ++s.tally().windows;
  if (s.Chance(kAgainChance)) OpenAgain(s, app::form1::IDM_MnuZhSAI, classes::kFrmSaizi, "the dice window");
  Cast(s, window);
  std::array<std::wstring, kDiceCasts> sums;
  for (size_t i = 0; i < sums.size(); ++i) {
    HWND box = ::GetDlgItem(window, kSumBoxIds[i]);
    TypeSum(s, box, SumToType(s));
    sums[i] = remote::TextOf(box);
  }
  if (s.Chance(kCancelChance)) return Leave(s, window, app::frmSaizi_ids::IDC_Command2, "the dice window");

  s.Step("OK in the dice window with " + win::ToUtf8(sums[0] + L", " + sums[1] + L", " + sums[2]));
  const std::int16_t expected = ExpectedLotOfSums(sums);
  const std::int16_t* lot = expected ? &expected : nullptr;
  if (AfterOk(s, window, app::frmSaizi_ids::IDC_Command1, lot, "the dice window")) return;
  s.ExpectMessageBox("sums that give no lot");
  Leave(s, window, app::frmSaizi_ids::IDC_Command2, "the dice window");
}

void ReadWindow(Session& s) { ReadWindow(s, s.Chance(1.0 / 2)); }

void ReadWindow(Session& s, bool about) {
  const MenuId item = about ? app::form1::IDM_mnUabout : app::form1::IDM_MnuSUO;
  const wchar_t* className = about ? classes::kFrmAbout : classes::kFrmsuom;
  const char* what = about ? "the About window" : "the instructions";
  s.Choose(item);
  HWND window = s.AwaitWindow(className, what);
  ++s.tally().windows;
  if (s.Chance(kAgainChance)) OpenAgain(s, item, className, what);
  ::Sleep(s.Pick(kLongestReadMs));
  s.Step(std::string("close box of ") + what);
  ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  s.AwaitGone(window, what);
}

}  // namespace soak
