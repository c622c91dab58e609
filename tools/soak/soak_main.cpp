// Uses a running vesha as a person would, for a given time, in an order
// drawn from a seed, and fails on a crash, a hang, a message box no step
// caused, a shown lot text that is not the store's, or objects or memory
// that grow.
//
//   vesha_soak PROGRAM SECONDS SEED
//
// The same seed repeats the same steps. Exit code 0 when the run was
// clean, 1 when it failed (the screen then goes to vesha_soak_failure.bmp
// in the current folder), 2 for a wrong command line.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>

#include "remote/screen_shot.h"
#include "soak/episodes.h"

namespace {

constexpr int kClean = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr ULONGLONG kMsPerSecond = 1000;
constexpr ULONGLONG kSampleEveryMs = 5000;
constexpr ULONGLONG kProgressEveryMs = 60000;
constexpr int kDecimal = 10;
// In the folder the driver runs in.
constexpr wchar_t kFailureScreen[] = L"vesha_soak_failure.bmp";

struct Episode {
  void (*run)(soak::Session&);
  int weight;
};

// How often a person does each thing.
constexpr Episode kEpisodes[] = {
    {soak::DrawLot, 20},       {soak::BackToBoard, 8}, {soak::PrintText, 8},
    {soak::CharacterTest, 15}, {soak::DiceCast, 15},   {soak::ReadWindow, 8},
    {soak::BoardKeys, 10},     {soak::DoubleClickBoard, 4}, {soak::ResizeMain, 5},
};

const Episode& PickEpisode(soak::Session& s) {
  int total = 0;
  for (const auto& e : kEpisodes) total += e.weight;
  int n = s.Pick(total);
  for (const auto& e : kEpisodes) {
    if (n < e.weight) return e;
    n -= e.weight;
  }
  return kEpisodes[0];
}

void PrintTally(soak::Session& s, ULONGLONG ms) {
  const soak::Tally& t = s.tally();
  std::printf("%s: %d commands, %d lots shown, %d windows opened, %d dice rolls, %d prints (%d cancelled), "
              "%d message boxes, %d tries repeated, %zu samples\n",
              remote::Seconds(ms).c_str(), t.commands, t.lots, t.windows, t.rolls, t.prints, t.printsCancelled,
              t.messages, t.clicksAgain, s.usage().size());
}

void Run(soak::Session& s, ULONGLONG start, ULONGLONG durationMs) {
  ULONGLONG lastSample = start, lastProgress = start;
  s.Check();
  soak::WarmUp(s);
  s.Sample();
  while (::GetTickCount64() - start < durationMs) {
    PickEpisode(s).run(s);
    s.Check();
    const ULONGLONG now = ::GetTickCount64();
    if (now - lastSample >= kSampleEveryMs) {
      s.Sample();
      lastSample = now;
    }
    if (now - lastProgress >= kProgressEveryMs) {
      PrintTally(s, now - start);
      lastProgress = now;
    }
  }
  s.Choose(app::form1::IDM_MnuTuiCH);
  s.Step("exit from the menu");
  if (::WaitForSingleObject(s.program().process(), kSampleEveryMs) != WAIT_OBJECT_0)
    throw remote::Failure("the program did not end after its exit command");
  DWORD code = 0;
  ::GetExitCodeProcess(s.program().process(), &code);
  if (code != 0) throw remote::Failure("the program ended with exit code " + std::to_string(code));
  PrintTally(s, ::GetTickCount64() - start);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc != 4) {
    std::fprintf(stderr, "usage: vesha_soak PROGRAM SECONDS SEED\n");
    return kUsage;
  }
  const ULONGLONG seconds = std::wcstoull(argv[2], nullptr, kDecimal);
  const unsigned long long seed = std::wcstoull(argv[3], nullptr, kDecimal);
  std::printf("seed %llu, %llu s\n", seed, seconds);
  std::unique_ptr<soak::Session> session;
  ULONGLONG start = 0;
  try {
    session = std::make_unique<soak::Session>(argv[1], seed);
    std::printf("program up after %s\n", remote::Seconds(session->program().StartMs()).c_str());
    start = ::GetTickCount64();
    Run(*session, start, seconds * kMsPerSecond);
  } catch (const std::exception& e) {
    std::printf("FAILED: %s\n", e.what());
    if (remote::SaveScreen(kFailureScreen)) std::printf("the screen at the failure: %ls\n", kFailureScreen);
    if (session) {
      std::printf("last steps:\n%s", session->RecentSteps().c_str());
      // The tally says how far the run got.
      PrintTally(*session, ::GetTickCount64() - start);
      std::printf("%s", session->usage().Summary().c_str());
    }
    return kFailed;
  }
  std::printf("%s", session->usage().Summary().c_str());
  if (const auto grew = session->usage().Growth()) {
    std::printf("FAILED: %s\n", grew->c_str());
    return kFailed;
  }
  std::printf("clean\n");
  return kClean;
}
