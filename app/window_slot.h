#pragma once
// A secondary window that exists at most once: showing it again brings the
// same window forward; a window that has unloaded itself is made anew.
#include <windows.h>

#include <memory>
#include <utility>

namespace app {

template <class T>
class WindowSlot {
 public:
  template <class... Args>
  T& Show(Args&&... args) {
    if (!Loaded()) {
      window_.reset();
      window_ = std::make_unique<T>(std::forward<Args>(args)...);
      window_->Form_Load();
    }
    window_->ShowNonModal();
    return *window_;
  }

  bool Loaded() const { return window_ && window_->hwnd(); }
  T* get() const { return Loaded() ? window_.get() : nullptr; }

  // Called by the main window as it closes; never from inside T.
  void Unload() { window_.reset(); }

 private:
  std::unique_ptr<T> window_;
};

}  // namespace app
