#pragma once
// The frame window of a strict container: it logs every call a UI-active
// control makes on it ("Frame." before each) and offers no menus, tools
// or border space.
#include <ole2.h>

#include "strict/call_log.h"

namespace dicectl_tests {

class StrictFrame final : public IOleInPlaceFrame {
 public:
  StrictFrame(CallLog& log, HWND window) noexcept : log_(log), window_(window) {}
  StrictFrame(const StrictFrame&) = delete;
  StrictFrame& operator=(const StrictFrame&) = delete;

  LONG HeldByOthers() const noexcept { return refs_.Others(); }

  // IUnknown.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return refs_.Add(); }
  STDMETHODIMP_(ULONG) Release() override { return refs_.Release(); }

  // IOleWindow.
  STDMETHODIMP GetWindow(HWND* hwnd) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return log_.Answer("Frame.ContextSensitiveHelp()", E_NOTIMPL); }

  // IOleInPlaceUIWindow.
  STDMETHODIMP GetBorder(LPRECT) override { return log_.Answer("Frame.GetBorder()", INPLACE_E_NOTOOLSPACE); }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override {
    return log_.Answer("Frame.RequestBorderSpace()", INPLACE_E_NOTOOLSPACE);
  }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override {
    return log_.Answer("Frame.SetBorderSpace()", OLE_E_INVALIDRECT);
  }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override {
    return log_.Answer(
        std::string("Frame.SetActiveObject(") + (object ? "object" : "null") + "," + (name ? "name" : "null") + ")",
        S_OK);
  }

  // IOleInPlaceFrame.
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override {
    return log_.Answer("Frame.InsertMenus()", E_NOTIMPL);
  }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return log_.Answer("Frame.SetMenu()", S_OK); }
  STDMETHODIMP RemoveMenus(HMENU) override { return log_.Answer("Frame.RemoveMenus()", S_OK); }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return log_.Answer("Frame.SetStatusText()", S_OK); }
  STDMETHODIMP EnableModeless(BOOL enable) override {
    return log_.Answer(std::string("Frame.EnableModeless(") + Bool(enable) + ")", S_OK);
  }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override {
    return log_.Answer("Frame.TranslateAccelerator()", S_FALSE);
  }

 private:
  CallLog& log_;
  HWND window_;
  RefCount refs_;
};

}  // namespace dicectl_tests
