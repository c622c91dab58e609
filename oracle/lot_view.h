#pragma once
// What showing a lot needs of the window that shows it: where the store
// lies, a text view for the lot's text, and a menu bar to show with it.
#include <string>
#include <string_view>

namespace oracle {

class LotView {
 public:
  virtual ~LotView() = default;
  // The program directory, without a trailing backslash.
  virtual std::wstring AppPath() const = 0;
  virtual void SetTextVisible(bool visible) = 0;
  virtual void SetText(std::wstring_view text) = 0;
  virtual void SetMenuBarVisible(bool visible) = 0;
};

}  // namespace oracle
