#include "strict/strict_frame.h"

#include <string>

#include "common/com_ptr.h"

namespace dicectl_tests {

STDMETHODIMP StrictFrame::QueryInterface(REFIID iid, void** out) {
  log_.Add("Frame.QueryInterface(" + IidName(iid) + ")");
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleWindow || iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
    return win::HandOut(static_cast<IOleInPlaceFrame*>(this), out);
  return E_NOINTERFACE;
}

STDMETHODIMP StrictFrame::GetWindow(HWND* hwnd) {
  log_.Add("Frame.GetWindow()");
  if (!hwnd) return E_POINTER;
  *hwnd = window_;
  return S_OK;
}

}  // namespace dicectl_tests
