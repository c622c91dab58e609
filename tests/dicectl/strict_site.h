#pragma once
// A control's client site that does only what a container must: it logs
// every call the control makes on it, with its arguments, and answers as a
// plain host window would. It offers the interfaces a control site may be
// asked for (client, in-place and control site, ambient properties), so a
// control that calls more than it should shows in the log. It lives on the
// test's stack; the test checks that the control let go of it.
#include <ocidl.h>

#include <string>

#include "strict/call_log.h"

namespace dicectl_tests {

class StrictSite final : public IOleClientSite, public IOleInPlaceSite, public IOleControlSite, public IDispatch {
 public:
  // frame may be null: a site without a frame window.
  StrictSite(CallLog& log, HWND window, const RECT& pos, IOleInPlaceFrame* frame) noexcept
      : log_(log), window_(window), pos_(pos), frame_(frame) {}
  StrictSite(const StrictSite&) = delete;
  StrictSite& operator=(const StrictSite&) = delete;

  LONG HeldByOthers() const noexcept { return refs_.Others(); }
  // CanInPlaceActivate's answer.
  HRESULT canActivate = S_OK;

  // IUnknown.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return refs_.Add(); }
  STDMETHODIMP_(ULONG) Release() override { return refs_.Release(); }

  // IOleClientSite.
  // The host keeps nothing: there is nowhere to save to.
  STDMETHODIMP SaveObject() override { return log_.Answer("SaveObject()", S_OK); }
  STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  STDMETHODIMP GetContainer(IOleContainer** container) override;
  STDMETHODIMP ShowObject() override { return log_.Answer("ShowObject()", S_OK); }
  STDMETHODIMP OnShowWindow(BOOL show) override {
    return log_.Answer(std::string("OnShowWindow(") + Bool(show) + ")", S_OK);
  }
  STDMETHODIMP RequestNewObjectLayout() override { return log_.Answer("RequestNewObjectLayout()", E_NOTIMPL); }

  // IOleWindow and IOleInPlaceSite.
  STDMETHODIMP GetWindow(HWND* hwnd) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enter) override {
    return log_.Answer(std::string("ContextSensitiveHelp(") + Bool(enter) + ")", E_NOTIMPL);
  }
  STDMETHODIMP CanInPlaceActivate() override { return log_.Answer("CanInPlaceActivate()", canActivate); }
  STDMETHODIMP OnInPlaceActivate() override { return log_.Answer("OnInPlaceActivate()", S_OK); }
  STDMETHODIMP OnUIActivate() override { return log_.Answer("OnUIActivate()", S_OK); }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override;
  STDMETHODIMP Scroll(SIZE extent) override {
    return log_.Answer("Scroll(" + std::to_string(extent.cx) + "," + std::to_string(extent.cy) + ")", E_NOTIMPL);
  }
  STDMETHODIMP OnUIDeactivate(BOOL undoable) override {
    return log_.Answer(std::string("OnUIDeactivate(") + Bool(undoable) + ")", S_OK);
  }
  STDMETHODIMP OnInPlaceDeactivate() override { return log_.Answer("OnInPlaceDeactivate()", S_OK); }
  STDMETHODIMP DiscardUndoState() override { return log_.Answer("DiscardUndoState()", S_OK); }
  STDMETHODIMP DeactivateAndUndo() override { return log_.Answer("DeactivateAndUndo()", S_OK); }
  STDMETHODIMP OnPosRectChange(LPCRECT pos) override;

  // IOleControlSite.
  STDMETHODIMP OnControlInfoChanged() override { return log_.Answer("OnControlInfoChanged()", S_OK); }
  STDMETHODIMP LockInPlaceActive(BOOL lock) override {
    return log_.Answer(std::string("LockInPlaceActive(") + Bool(lock) + ")", S_OK);
  }
  STDMETHODIMP GetExtendedControl(IDispatch** control) override;
  STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return log_.Answer("TransformCoords()", E_NOTIMPL); }
  STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return log_.Answer("TranslateAccelerator()", S_FALSE); }
  STDMETHODIMP OnFocus(BOOL gotFocus) override {
    return log_.Answer(std::string("OnFocus(") + Bool(gotFocus) + ")", S_OK);
  }
  STDMETHODIMP ShowPropertyFrame() override { return log_.Answer("ShowPropertyFrame()", E_NOTIMPL); }

  // IDispatch: ambient properties, of which this host has none.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return log_.Answer("GetIDsOfNames()", E_NOTIMPL);
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return log_.Answer("Invoke(" + std::to_string(id) + ")", DISP_E_MEMBERNOTFOUND);
  }

 private:
  CallLog& log_;
  HWND window_;
  RECT pos_;
  IOleInPlaceFrame* frame_;
  RefCount refs_;
};

}  // namespace dicectl_tests
