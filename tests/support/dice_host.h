#pragma once
// Hosting the registered dice control in tests: a host window with a
// control site, the events and notices it hears with their times, the face
// the control shows, and a site for its property page.
#include <ocidl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/ole_control_site.h"
#include "common/com_ptr.h"
#include "common/unique_handle.h"

namespace testing_support {

// Milliseconds on a monotonic clock.
double NowMs();

// Dispatches messages until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

struct HeardEvent {
  DISPID id;
  short argument;  // EndDice's DiceNum, else 0
  double atMs;
};

class DiceHost {
 public:
  // A visible host window with one Dice at left, top, width x height twips.
  explicit DiceHost(int left = 0, int top = 0, int width = 600, int height = 600);
  DiceHost(const DiceHost&) = delete;
  DiceHost& operator=(const DiceHost&) = delete;
  ~DiceHost();

  bool ok() const { return static_cast<bool>(site_); }
  app::OleControlSite& site() const { return *site_.get(); }
  IDispatch* dice() const { return site_->Control(); }

  HRESULT Run();
  // The control's size as the control reports it, in twips.
  SIZE ExtentTwips() const;
  // A left click on the face, as the mouse makes it.
  void Click();
  // The face on screen: 1 to 6, or 0 when it matches no face picture.
  int FaceShown() const;

  bool Ended() const;
  const std::vector<HeardEvent>& events() const { return events_; }
  const std::vector<DISPID>& changes() const { return changes_; }

 private:
  win::unique_hwnd host_;
  win::com_ptr<app::OleControlSite> site_;
  std::vector<HeardEvent> events_;
  std::vector<DISPID> changes_;
};

// A library's own answer whether it may be unloaded: S_OK once none of its
// objects lives; E_FAIL when it has no such entry.
HRESULT LibraryCanUnload(HMODULE library);

// A left click on a hosted die's face, as the mouse makes it.
void ClickFace(const app::OleControlSite& site);

// A colour bitmap of its own size in a memory DC, filled with one colour.
struct Canvas {
  Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
  std::vector<COLORREF> Pixels() const;

  int width, height;
  win::unique_hdc dc{::CreateCompatibleDC(nullptr)};
  win::unique_window_dc screen{nullptr};
  win::unique_hbitmap bitmap{::CreateCompatibleBitmap(screen.get(), width, height)};
  win::select_guard keep = win::select(dc.get(), bitmap.get());
};

// The face a control draws through IViewObject: 1 to 6, 0 for none of them.
int FaceOf(IUnknown* control);

// A property page's site that records the status changes it is told.
class PageSite final : public IPropertyPageSite {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP OnStatusChange(DWORD flags) override;
  STDMETHODIMP GetLocaleID(LCID* lcid) override;
  STDMETHODIMP GetPageContainer(IUnknown** container) override;
  STDMETHODIMP TranslateAccelerator(MSG* msg) override;

  std::vector<DWORD> statusChanges;
};

}  // namespace testing_support
