// Drives a running vesha from outside, as a person or a test harness
// would: through window messages and what the screen shows, never through
// the program's code.
//
//   vesha_probe dice [PROGRAM]   open the dice window, cast, close the program
//   vesha_probe close [PROGRAM]  close the program
//
// PROGRAM, the full path of the running vesha.exe, tells copies apart.
// Each step is printed; exit code 0 when all passed, 1 when one failed,
// 2 for a wrong command line.
#include <windows.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/form1_ids.h"
#include "app/frmSaizi_ids.h"
#include "app/window_classes.h"
#include "common/unique_handle.h"
#include "dicectl/dice_interface.h"
#include "remote/running_program.h"
#include "remote/process_windows.h"

namespace {

namespace classes = app::window_classes;

using remote::ChildrenOfClass;
using remote::FocusIn;
using remote::Seconds;
using remote::WaitFor;

constexpr int kPassed = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

constexpr int kDice = 2;
using app::frmSaizi_ids::kCastButtonIds;

constexpr ULONGLONG kWindowTimeoutMs = 10000;
// A roll left alone lasts under four seconds.
constexpr ULONGLONG kRollTimeoutMs = 15000;
constexpr DWORD kPollMs = 50;
constexpr UINT kSendTimeoutMs = 5000;
// How long the dice are watched while rolling, and how long a stopped
// face must stay.
constexpr ULONGLONG kRollWatchMs = 1500;
constexpr DWORD kSettleMs = 500;
// A die rolling for the watch changes face dozens of times.
constexpr int kMinFaceChanges = 3;


[[noreturn]] void Fail(const std::string& why) { throw remote::Failure(why); }

void Step(const std::string& line) { std::printf("%s\n", line.c_str()); }

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH] = {};
  const DWORD n = ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return n && n < MAX_PATH ? full : path;
}

// A die is read as a person reads it, by its pips: the faces put them on
// a 3 x 3 grid, so the pip count is how many of these points differ from
// the face's ground. Fractions of the die's side.
struct Spot {
  double x, y;
};
constexpr double kLow = 0.275, kMid = 0.5, kHigh = 0.725;
constexpr Spot kPipSpots[] = {{kLow, kLow}, {kHigh, kLow}, {kLow, kMid},  {kMid, kMid},
                              {kHigh, kMid}, {kLow, kHigh}, {kHigh, kHigh}};
// No face has a pip here.
constexpr Spot kGroundSpot = {kMid, kLow};
constexpr int kMinFace = 1;
constexpr int kMaxFace = 6;

// One bit per pip spot covered. The screen is read, as another process's
// window DC gives no pixels under Wine: the die must be uncovered.
unsigned PipMask(HWND die) {
  RECT client{};
  ::GetClientRect(die, &client);
  POINT origin{};
  ::ClientToScreen(die, &origin);
  const win::unique_window_dc screen(nullptr);
  const win::unique_hdc copy(::CreateCompatibleDC(screen.get()));
  const win::unique_hbitmap picture(::CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
  const auto selected = win::select(copy.get(), picture.get());
  ::BitBlt(copy.get(), 0, 0, client.right, client.bottom, screen.get(), origin.x, origin.y, SRCCOPY);
  auto colour = [&](Spot s) {
    return ::GetPixel(copy.get(), static_cast<int>(s.x * client.right), static_cast<int>(s.y * client.bottom));
  };
  const COLORREF ground = colour(kGroundSpot);
  unsigned mask = 0;
  for (size_t i = 0; i < std::size(kPipSpots); ++i)
    if (colour(kPipSpots[i]) != ground) mask |= 1u << i;
  return mask;
}

int Face(unsigned pipMask) {
  const int pips = std::popcount(pipMask);
  if (pips < kMinFace || pips > kMaxFace)
    Fail("a die shows no face that can be read (" + std::to_string(pips) + " pips)");
  return pips;
}

HWND OpenDiceWindow(const remote::RunningProgram& p) {
  p.Command(app::form1::IDM_MnuZhSAI);
  HWND window = nullptr;
  WaitFor(kWindowTimeoutMs, [&] { return (window = p.Window(classes::kFrmSaizi)) != nullptr; });
  if (!window) Fail("the dice window did not open within " + Seconds(kWindowTimeoutMs));
  return window;
}

LONG ScreenLeft(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  return r.left;
}

std::vector<HWND> CheckDice(HWND window) {
  std::vector<HWND> dice;
  for (HWND die : ChildrenOfClass(window, dicectl::kDiceWindowClass)) {
    RECT r{};
    ::GetClientRect(die, &r);
    if (::IsWindowVisible(die) && r.right > 0 && r.bottom > 0) dice.push_back(die);
  }
  // Read left to right, as a person does.
  std::sort(dice.begin(), dice.end(), [](HWND a, HWND b) { return ScreenLeft(a) < ScreenLeft(b); });
  int enabled = 0;
  for (int id : kCastButtonIds) enabled += ::IsWindowEnabled(::GetDlgItem(window, id)) != 0;
  const std::string seen = std::to_string(dice.size()) + " dice, " + std::to_string(enabled) + " of " +
                           std::to_string(kCastButtonIds.size()) + " cast buttons enabled";
  if (dice.size() != kDice || enabled != static_cast<int>(kCastButtonIds.size()))
    Fail("dice window: " + seen +
         "; the dice control could not be created (is tumbix.ocx missing or unregistered?)");
  Step("dice window: open, " + seen);
  return dice;
}

using Masks = std::array<unsigned, kDice>;

Masks PipMasks(const std::vector<HWND>& dice) {
  Masks masks{};
  for (int i = 0; i < kDice; ++i) masks[i] = PipMask(dice[i]);
  return masks;
}

// The first cast: both dice roll, and when the second stops the window
// puts the focus in the first sum box, for the user to type the sum.
void Cast(HWND window, const std::vector<HWND>& dice) {
  HWND button = ::GetDlgItem(window, kCastButtonIds.front());
  HWND firstBox = ::GetDlgItem(window, app::frmSaizi_ids::IDC_txts1);
  DWORD_PTR ignored = 0;
  if (!::SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored))
    Fail("cast: the dice window does not answer a click");
  if (FocusIn(window) != button) Fail("cast: the click left the focus off the cast button");

  Masks shown = PipMasks(dice);
  std::array<int, kDice> changes{};
  const ULONGLONG start = ::GetTickCount64();
  while (::GetTickCount64() - start < kRollWatchMs) {
    ::Sleep(kPollMs);
    const Masks now = PipMasks(dice);
    for (int i = 0; i < kDice; ++i) changes[i] += now[i] != shown[i];
    shown = now;
  }
  const std::string rolled = "faces changed " + std::to_string(changes[0]) + " and " + std::to_string(changes[1]) +
                             " times in " + Seconds(kRollWatchMs);
  if (changes[0] < kMinFaceChanges || changes[1] < kMinFaceChanges)
    Fail("cast: the dice did not roll (" + rolled + ")");
  Step("cast: dice rolling (" + rolled + ")");

  if (!WaitFor(kRollTimeoutMs, [&] { return FocusIn(window) == firstBox; }))
    Fail("cast: the focus did not reach the first sum box within " + Seconds(kRollTimeoutMs) +
         "; the dice never stopped");
  // The first die may take its last tick just after the second.
  shown = PipMasks(dice);
  const bool settled = WaitFor(kRollTimeoutMs, [&] {
    ::Sleep(kSettleMs);
    const Masks now = PipMasks(dice);
    const bool still = now == shown;
    shown = now;
    return still;
  });
  if (!settled) Fail("cast: the dice go on rolling after the roll ended");
  const int first = Face(shown[0]);
  const int second = Face(shown[1]);
  Step("cast -> " + std::to_string(first) + " + " + std::to_string(second) + " = " + std::to_string(first + second) +
       ", focus on the first sum box");
}

void Report(const std::exception& e) { std::printf("FAILED: %s\n", e.what()); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const std::wstring mode = argc >= 2 ? argv[1] : L"";
  if (argc > 3 || (mode != L"dice" && mode != L"close")) {
    std::fprintf(stderr, "usage: vesha_probe dice|close [PROGRAM]\n");
    return kUsage;
  }
  const std::wstring program = argc == 3 ? FullPath(argv[2]) : L"";

  std::optional<remote::RunningProgram> p;
  try {
    p.emplace(remote::RunningProgram::AlreadyRunning{}, program);
    Step("main window: up after " + Seconds(p->StartMs()) + " (process " + std::to_string(p->pid()) + ")");
  } catch (const std::exception& e) {
    Report(e);
    return kFailed;
  }
  int result = kPassed;
  if (mode == L"dice") {
    try {
      const HWND window = OpenDiceWindow(*p);
      Cast(window, CheckDice(window));
    } catch (const std::exception& e) {
      Report(e);
      result = kFailed;
    }
  }
  // Closed even after a failure, so no test leaves the program running.
  try {
    p->Close();
    Step("program: closed, exit code 0");
  } catch (const std::exception& e) {
    Report(e);
    result = kFailed;
  }
  return result;
}
