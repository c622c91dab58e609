// Time of showing a lot on the main window from the shipped store.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/form1.h"
#include "oracle/show_lot.h"
#include "support/fakes.h"

int main() {
  constexpr int kCalls = 1000;
  testing_support::FakeRandom random;
  testing_support::RecordingMessages messages;
  testing_support::FakePrinterPrompt printer;
  testing_support::RecordingTextPrinter textPrinter;
  app::SystemFrameClock clock;
  testing_support::FakeKeys keys;
  testing_support::FakeShell shell;
  app::Services services{random, messages, printer, textPrinter, clock, keys, shell, VESHA_BIN_DIR};
  app::Form1 form(services);
  if (!form.Create()) return 1;
  ::ShowWindow(form.hwnd(), SW_SHOW);

  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  std::vector<double> ms;
  for (int i = 0; i < kCalls; ++i) {
    const auto lot = static_cast<std::int16_t>(i % oracle::kLotCount + 1);
    ::QueryPerformanceCounter(&start);
    oracle::ShowLot(form, lot);
    ::QueryPerformanceCounter(&end);
    ms.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                 static_cast<double>(frequency.QuadPart));
  }
  std::sort(ms.begin(), ms.end());
  std::printf("ShowLot over %d calls: median %.2f ms, 99th percentile %.2f ms\n", kCalls,
              ms[ms.size() / 2], ms[ms.size() * 99 / 100]);
  return 0;
}
