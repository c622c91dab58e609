#include "strict/strict_site.h"

#include <olectl.h>

#include <string>

#include "common/com_ptr.h"

namespace dicectl_tests {
namespace {

std::string Rect(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

}  // namespace

STDMETHODIMP StrictSite::QueryInterface(REFIID iid, void** out) {
  log_.Add("QueryInterface(" + IidName(iid) + ")");
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) return win::HandOut(static_cast<IOleClientSite*>(this), out);
  if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
    return win::HandOut(static_cast<IOleInPlaceSite*>(this), out);
  if (iid == IID_IOleControlSite) return win::HandOut(static_cast<IOleControlSite*>(this), out);
  if (iid == IID_IDispatch) return win::HandOut(static_cast<IDispatch*>(this), out);
  return E_NOINTERFACE;
}

STDMETHODIMP StrictSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return log_.Answer("GetMoniker()", E_NOTIMPL);
}

STDMETHODIMP StrictSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return log_.Answer("GetContainer()", E_NOINTERFACE);
}

STDMETHODIMP StrictSite::GetWindow(HWND* hwnd) {
  log_.Add("GetWindow()");
  if (!hwnd) return E_POINTER;
  *hwnd = window_;
  return S_OK;
}

STDMETHODIMP StrictSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                          LPOLEINPLACEFRAMEINFO info) {
  log_.Add("GetWindowContext()");
  if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
  *frame = win::com_ptr<IOleInPlaceFrame>(frame_).detach();
  // The frame is the document window too.
  *doc = nullptr;
  *pos = pos_;
  ::GetClientRect(window_, clip);
  info->fMDIApp = FALSE;
  info->hwndFrame = window_;
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

// The host grants the rectangle asked for.
STDMETHODIMP StrictSite::OnPosRectChange(LPCRECT pos) {
  if (!pos) {
    log_.Add("OnPosRectChange(null)");
    return E_POINTER;
  }
  log_.Add("OnPosRectChange(" + Rect(*pos) + ")");
  pos_ = *pos;
  return S_OK;
}

STDMETHODIMP StrictSite::GetExtendedControl(IDispatch** control) {
  if (control) *control = nullptr;
  return log_.Answer("GetExtendedControl()", E_NOTIMPL);
}

STDMETHODIMP StrictSite::GetTypeInfoCount(UINT* count) {
  log_.Add("GetTypeInfoCount()");
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP StrictSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return log_.Answer("GetTypeInfo()", E_NOTIMPL);
}

}  // namespace dicectl_tests
