#pragma once
// The frame window of a strict container: it logs every call a UI-active
// control makes on it ("Frame." before each) and offers no menus, tools
// or border space.
#include <ole2.h>

#include "strict/strict_object.h"

namespace dicectl_tests {

class StrictFrame final : public StrictObject<IOleInPlaceFrame> {
 public:
  StrictFrame(CallLog& log, HWND window) : StrictObject(log, "Frame."), window_(window) {}

  STDMETHODIMP GetWindow(HWND* hwnd) override { return Give("GetWindow()", window_, hwnd); }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return Answer("ContextSensitiveHelp()", E_NOTIMPL); }
  STDMETHODIMP GetBorder(LPRECT) override { return Answer("GetBorder()", INPLACE_E_NOTOOLSPACE); }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override {
    return Answer("RequestBorderSpace()", INPLACE_E_NOTOOLSPACE);
  }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return Answer("SetBorderSpace()", OLE_E_INVALIDRECT); }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override {
    return Answer(std::string("SetActiveObject(") + (object ? "object" : "null") + "," + (name ? "name" : "null") + ")",
                  S_OK);
  }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return Answer("InsertMenus()", E_NOTIMPL); }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return Answer("SetMenu()", S_OK); }
  STDMETHODIMP RemoveMenus(HMENU) override { return Answer("RemoveMenus()", S_OK); }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return Answer("SetStatusText()", S_OK); }
  STDMETHODIMP EnableModeless(BOOL on) override {
    return Answer(std::string("EnableModeless(") + Bool(on) + ")", S_OK);
  }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return Answer("TranslateAccelerator()", S_FALSE); }

 private:
  IUnknown* Find(REFIID iid) override {
    const bool offered = iid == IID_IUnknown || iid == IID_IOleWindow || iid == IID_IOleInPlaceUIWindow ||
                         iid == IID_IOleInPlaceFrame;
    return offered ? this : nullptr;
  }

  HWND window_;
};

}  // namespace dicectl_tests
