#pragma once
// What showing a lot needs of the main window.
#include <string>
#include <string_view>

namespace oracle {

class LotView {
 public:
  virtual ~LotView() = default;
  // The program directory, without a trailing backslash.
  virtual std::wstring AppPath() const = 0;
  virtual void SetMaintxtVisible(bool visible) = 0;
  virtual void SetMaintxtText(std::wstring_view text) = 0;
  virtual void SetMnupopupVisible(bool visible) = 0;
};

}  // namespace oracle
