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

const char* Bool(BOOL b) { return b ? "TRUE" : "FALSE"; }

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

// The host keeps nothing: there is nowhere to save to.
STDMETHODIMP StrictSite::SaveObject() {
  log_.Add("SaveObject()");
  return S_OK;
}

STDMETHODIMP StrictSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  log_.Add("GetMoniker()");
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP StrictSite::GetContainer(IOleContainer** container) {
  log_.Add("GetContainer()");
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP StrictSite::ShowObject() {
  log_.Add("ShowObject()");
  return S_OK;
}

STDMETHODIMP StrictSite::OnShowWindow(BOOL show) {
  log_.Add(std::string("OnShowWindow(") + Bool(show) + ")");
  return S_OK;
}

STDMETHODIMP StrictSite::RequestNewObjectLayout() {
  log_.Add("RequestNewObjectLayout()");
  return E_NOTIMPL;
}

STDMETHODIMP StrictSite::GetWindow(HWND* hwnd) {
  log_.Add("GetWindow()");
  if (!hwnd) return E_POINTER;
  *hwnd = window_;
  return S_OK;
}

STDMETHODIMP StrictSite::ContextSensitiveHelp(BOOL enter) {
  log_.Add(std::string("ContextSensitiveHelp(") + Bool(enter) + ")");
  return E_NOTIMPL;
}

STDMETHODIMP StrictSite::CanInPlaceActivate() {
  log_.Add("CanInPlaceActivate()");
  return canActivate;
}

STDMETHODIMP StrictSite::OnInPlaceActivate() {
  log_.Add("OnInPlaceActivate()");
  return S_OK;
}

STDMETHODIMP StrictSite::OnUIActivate() {
  log_.Add("OnUIActivate()");
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

STDMETHODIMP StrictSite::Scroll(SIZE extent) {
  log_.Add("Scroll(" + std::to_string(extent.cx) + "," + std::to_string(extent.cy) + ")");
  return E_NOTIMPL;
}

STDMETHODIMP StrictSite::OnUIDeactivate(BOOL undoable) {
  log_.Add(std::string("OnUIDeactivate(") + Bool(undoable) + ")");
  return S_OK;
}

STDMETHODIMP StrictSite::OnInPlaceDeactivate() {
  log_.Add("OnInPlaceDeactivate()");
  return S_OK;
}

STDMETHODIMP StrictSite::DiscardUndoState() {
  log_.Add("DiscardUndoState()");
  return S_OK;
}

STDMETHODIMP StrictSite::DeactivateAndUndo() {
  log_.Add("DeactivateAndUndo()");
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

STDMETHODIMP StrictSite::OnControlInfoChanged() {
  log_.Add("OnControlInfoChanged()");
  return S_OK;
}

STDMETHODIMP StrictSite::LockInPlaceActive(BOOL lock) {
  log_.Add(std::string("LockInPlaceActive(") + Bool(lock) + ")");
  return S_OK;
}

STDMETHODIMP StrictSite::GetExtendedControl(IDispatch** control) {
  log_.Add("GetExtendedControl()");
  if (control) *control = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP StrictSite::TransformCoords(POINTL*, POINTF*, DWORD) {
  log_.Add("TransformCoords()");
  return E_NOTIMPL;
}

STDMETHODIMP StrictSite::TranslateAccelerator(MSG*, DWORD) {
  log_.Add("TranslateAccelerator()");
  return S_FALSE;
}

STDMETHODIMP StrictSite::OnFocus(BOOL gotFocus) {
  log_.Add(std::string("OnFocus(") + Bool(gotFocus) + ")");
  return S_OK;
}

STDMETHODIMP StrictSite::ShowPropertyFrame() {
  log_.Add("ShowPropertyFrame()");
  return E_NOTIMPL;
}

STDMETHODIMP StrictSite::GetTypeInfoCount(UINT* count) {
  log_.Add("GetTypeInfoCount()");
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP StrictSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  log_.Add("GetTypeInfo()");
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP StrictSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  log_.Add("GetIDsOfNames()");
  return E_NOTIMPL;
}

STDMETHODIMP StrictSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  log_.Add("Invoke(" + std::to_string(id) + ")");
  return DISP_E_MEMBERNOTFOUND;
}

}  // namespace dicectl_tests
