#include "strict/strict_site.h"

#include <string>

#include "common/com_ptr.h"

namespace dicectl_tests {

IUnknown* StrictSite::Find(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) return static_cast<IOleClientSite*>(this);
  if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) return static_cast<IOleInPlaceSite*>(this);
  return nullptr;
}

STDMETHODIMP StrictSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                          LPOLEINPLACEFRAMEINFO info) {
  Log("GetWindowContext()");
  if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
  *frame = win::com_ptr<IOleInPlaceFrame>(frame_).detach();
  // The frame is the document window too.
  *doc = nullptr;
  *pos = pos_;
  ::GetClientRect(window_, clip);
  *info = {.cb = info->cb, .fMDIApp = FALSE, .hwndFrame = window_, .haccel = nullptr, .cAccelEntries = 0};
  return S_OK;
}

// The host grants the rectangle asked for.
STDMETHODIMP StrictSite::OnPosRectChange(LPCRECT pos) {
  if (!pos) return Answer("OnPosRectChange(null)", E_POINTER);
  Log("OnPosRectChange(" + std::to_string(pos->left) + "," + std::to_string(pos->top) + "," +
      std::to_string(pos->right) + "," + std::to_string(pos->bottom) + ")");
  pos_ = *pos;
  return S_OK;
}

}  // namespace dicectl_tests
