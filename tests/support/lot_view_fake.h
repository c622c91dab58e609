#pragma once
// A window as the oracle sees it, recording what showing a lot does.
#include <string>
#include <utility>
#include <vector>

#include "oracle/lot_view.h"

namespace testing_support {

// Records what showing a lot does to a window, in order.
class RecordingLotView final : public oracle::LotView {
 public:
  explicit RecordingLotView(std::wstring appPath) : appPath_(std::move(appPath)) {}
  std::wstring AppPath() const override { return appPath_; }
  void SetTextVisible(bool v) override { calls.push_back(v ? L"show text" : L"hide text"); }
  void SetText(std::wstring_view t) override {
    text = t;
    calls.push_back(L"text");
  }
  void SetMenuBarVisible(bool v) override { calls.push_back(v ? L"show menu" : L"hide menu"); }

  std::wstring text = L"earlier lot";
  std::vector<std::wstring> calls;

 private:
  std::wstring appPath_;
};

// What every showing of a lot does, whatever the store holds.
inline const std::vector<std::wstring> kLotShown = {L"show text", L"text", L"show menu"};

}  // namespace testing_support
