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

STDMETHODIMP StrictFrame::ContextSensitiveHelp(BOOL) { return log_.Answer("Frame.ContextSensitiveHelp()", E_NOTIMPL); }

STDMETHODIMP StrictFrame::GetBorder(LPRECT) { return log_.Answer("Frame.GetBorder()", INPLACE_E_NOTOOLSPACE); }

STDMETHODIMP StrictFrame::RequestBorderSpace(LPCBORDERWIDTHS) {
  return log_.Answer("Frame.RequestBorderSpace()", INPLACE_E_NOTOOLSPACE);
}

STDMETHODIMP StrictFrame::SetBorderSpace(LPCBORDERWIDTHS) {
  return log_.Answer("Frame.SetBorderSpace()", OLE_E_INVALIDRECT);
}

STDMETHODIMP StrictFrame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) {
  return log_.Answer(
      std::string("Frame.SetActiveObject(") + (object ? "object" : "null") + "," + (name ? "name" : "null") + ")",
      S_OK);
}

STDMETHODIMP StrictFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
  return log_.Answer("Frame.InsertMenus()", E_NOTIMPL);
}

STDMETHODIMP StrictFrame::SetMenu(HMENU, HOLEMENU, HWND) { return log_.Answer("Frame.SetMenu()", S_OK); }

STDMETHODIMP StrictFrame::RemoveMenus(HMENU) { return log_.Answer("Frame.RemoveMenus()", S_OK); }

STDMETHODIMP StrictFrame::SetStatusText(LPCOLESTR) { return log_.Answer("Frame.SetStatusText()", S_OK); }

STDMETHODIMP StrictFrame::EnableModeless(BOOL enable) {
  return log_.Answer(std::string("Frame.EnableModeless(") + (enable ? "TRUE" : "FALSE") + ")", S_OK);
}

STDMETHODIMP StrictFrame::TranslateAccelerator(LPMSG, WORD) {
  return log_.Answer("Frame.TranslateAccelerator()", S_FALSE);
}

}  // namespace dicectl_tests
