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

STDMETHODIMP StrictFrame::ContextSensitiveHelp(BOOL) {
  log_.Add("Frame.ContextSensitiveHelp()");
  return E_NOTIMPL;
}

STDMETHODIMP StrictFrame::GetBorder(LPRECT) {
  log_.Add("Frame.GetBorder()");
  return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP StrictFrame::RequestBorderSpace(LPCBORDERWIDTHS) {
  log_.Add("Frame.RequestBorderSpace()");
  return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP StrictFrame::SetBorderSpace(LPCBORDERWIDTHS) {
  log_.Add("Frame.SetBorderSpace()");
  return OLE_E_INVALIDRECT;
}

STDMETHODIMP StrictFrame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) {
  log_.Add(std::string("Frame.SetActiveObject(") + (object ? "object" : "null") + "," + (name ? "name" : "null") + ")");
  return S_OK;
}

STDMETHODIMP StrictFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
  log_.Add("Frame.InsertMenus()");
  return E_NOTIMPL;
}

STDMETHODIMP StrictFrame::SetMenu(HMENU, HOLEMENU, HWND) {
  log_.Add("Frame.SetMenu()");
  return S_OK;
}

STDMETHODIMP StrictFrame::RemoveMenus(HMENU) {
  log_.Add("Frame.RemoveMenus()");
  return S_OK;
}

STDMETHODIMP StrictFrame::SetStatusText(LPCOLESTR) {
  log_.Add("Frame.SetStatusText()");
  return S_OK;
}

STDMETHODIMP StrictFrame::EnableModeless(BOOL enable) {
  log_.Add(std::string("Frame.EnableModeless(") + (enable ? "TRUE" : "FALSE") + ")");
  return S_OK;
}

STDMETHODIMP StrictFrame::TranslateAccelerator(LPMSG, WORD) {
  log_.Add("Frame.TranslateAccelerator()");
  return S_FALSE;
}

}  // namespace dicectl_tests
