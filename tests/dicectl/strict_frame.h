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
  STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;

  // IOleInPlaceUIWindow.
  STDMETHODIMP GetBorder(LPRECT border) override;
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS widths) override;
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override;
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override;

  // IOleInPlaceFrame.
  STDMETHODIMP InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
  STDMETHODIMP SetMenu(HMENU shared, HOLEMENU descriptor, HWND activeObject) override;
  STDMETHODIMP RemoveMenus(HMENU shared) override;
  STDMETHODIMP SetStatusText(LPCOLESTR text) override;
  STDMETHODIMP EnableModeless(BOOL enable) override;
  STDMETHODIMP TranslateAccelerator(LPMSG msg, WORD id) override;

 private:
  CallLog& log_;
  HWND window_;
  RefCount refs_;
};

}  // namespace dicectl_tests
