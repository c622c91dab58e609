#pragma once
// One registered Dice control in a window of the test's own, through a
// strict site and frame that log into one CallLog. The control's timer is
// ticked and its face clicked by hand, so events come when the test says.
#include <ole2.h>

#include "common/com_ptr.h"
#include "common/unique_handle.h"
#include "dicectl/tumbix.h"
#include "strict/call_log.h"
#include "strict/strict_frame.h"
#include "strict/strict_site.h"

namespace dicectl_tests {

// A new control by its class, as a container creates it; null when the
// library is not registered.
template <class I>
win::com_ptr<I> NewDice() {
  win::com_ptr<I> dice;
  ::CoCreateInstance(CLSID_Dice, nullptr, CLSCTX_INPROC_SERVER, __uuidof(I), dice.put_void());
  return dice;
}

// The library CoCreateInstance loaded, once a control was created.
HMODULE DiceLibrary();

class HostedDice {
 public:
  // The control's place in the host window, in pixels: its design size.
  static RECT Place();

  // Created and given the site first, as its misc status asks; not active.
  HostedDice();
  HostedDice(const HostedDice&) = delete;
  HostedDice& operator=(const HostedDice&) = delete;
  // Closes the control and takes the site back, as a container does.
  ~HostedDice();

  bool ok() const { return static_cast<bool>(object); }
  HRESULT DoVerb(LONG verb);
  // The control's window; null while it is not active in place.
  HWND Window() const;
  // One tick of Timer1, and a click on the face.
  void Tick() const;
  void Click() const;

  CallLog log;
  win::unique_hwnd host;
  StrictFrame frame;
  StrictSite site;
  win::com_ptr<IOleObject> object;
};

}  // namespace dicectl_tests
