// Time of showing a lot from the shipped store: the oracle's part (open the
// store, query, unscramble) on a view that only keeps the text, the
// window's part (the text view and the menu bar of the main window), and
// the two together as the program runs them.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "oracle/lot_numbers.h"
#include "oracle/show_lot.h"
#include "support/fakes.h"
#include "bench/timing.h"

namespace {

constexpr int kCalls = 1000;

std::int16_t LotOfCall(int i) { return static_cast<std::int16_t>(i % oracle::kLotCount + 1); }

constexpr double kMedian = 0.5;
constexpr double kNinetyNinth = 0.99;

// Times kCalls calls of step(i); prints the median and 99th percentile.
void Measure(const char* what, const std::function<void(int)>& step) {
  const std::vector<double> us = bench::TimesUs(kCalls, step);
  constexpr double kUsPerMs = 1000;
  std::printf("%s over %d calls: median %.2f ms, 99th percentile %.2f ms\n", what, kCalls,
              bench::Quantile(us, kMedian) / kUsPerMs, bench::Quantile(us, kNinetyNinth) / kUsPerMs);
}

}  // namespace

int main() {
  testing_support::RecordingLotView textOnly(VESHA_BIN_DIR);
  std::vector<std::wstring> texts(oracle::kLotCount + 1);
  Measure("ShowLot, the oracle's part (open, query, unscramble)", [&](int i) {
    oracle::ShowLot(textOnly, LotOfCall(i));
    texts[static_cast<size_t>(LotOfCall(i))] = textOnly.text;
  });
  if (texts[1].empty()) {
    std::fprintf(stderr, "showlot_bench: the store in %ls gave lot 1 no text\n", VESHA_BIN_DIR);
    return 1;
  }

  testing_support::FakeRandom random;
  testing_support::RecordingMessages messages;
  testing_support::FakePrinterPrompt printer;
  testing_support::RecordingTextPrinter textPrinter;
  app::SystemFrameClock clock;
  testing_support::FakeKeys keys;
  testing_support::FakeScreen screen;
  testing_support::FakeShell shell;
  app::Services services{random, messages, printer, textPrinter, clock, keys, screen, shell, VESHA_BIN_DIR};
  app::Form1 form(services);
  if (!form.Create()) {
    std::fprintf(stderr, "showlot_bench: the main window could not be created\n");
    return 1;
  }
  ::ShowWindow(form.hwnd(), SW_SHOW);
  Measure("ShowLot, the window's part (text view and menu bar)", [&](int i) {
    form.SetTextVisible(true);
    form.SetText(texts[static_cast<size_t>(LotOfCall(i))]);
    form.SetMenuBarVisible(true);
  });
  Measure("ShowLot on the main window, both parts", [&](int i) { oracle::ShowLot(form, LotOfCall(i)); });
  return 0;
}
