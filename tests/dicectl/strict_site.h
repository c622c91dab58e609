#pragma once
// A control's client site that does only what a container must: it logs
// every call the control makes on it, with its arguments, and answers as a
// plain host window would. It offers the client and in-place site alone,
// so a control asking for more shows in the log. The test checks that the
// control let go of it.
#include <ole2.h>

#include "strict/strict_object.h"

namespace dicectl_tests {

class StrictSite final : public StrictObject<IOleClientSite, IOleInPlaceSite> {
 public:
  // frame may be null: a site without a frame window.
  StrictSite(CallLog& log, HWND window, const RECT& pos, IOleInPlaceFrame* frame)
      : StrictObject(log, ""), window_(window), pos_(pos), frame_(frame) {}

  // CanInPlaceActivate's answer.
  HRESULT canActivate = S_OK;

  // IOleClientSite: the host keeps nothing, so there is nowhere to save to.
  STDMETHODIMP SaveObject() override { return Answer("SaveObject()", S_OK); }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override { return Refuse("GetMoniker()", moniker); }
  STDMETHODIMP GetContainer(IOleContainer** c) override { return Refuse("GetContainer()", c, E_NOINTERFACE); }
  STDMETHODIMP ShowObject() override { return Answer("ShowObject()", S_OK); }
  STDMETHODIMP OnShowWindow(BOOL show) override {
    return Answer(std::string("OnShowWindow(") + Bool(show) + ")", S_OK);
  }
  STDMETHODIMP RequestNewObjectLayout() override { return Answer("RequestNewObjectLayout()", E_NOTIMPL); }

  // IOleWindow and IOleInPlaceSite.
  STDMETHODIMP GetWindow(HWND* hwnd) override { return Give("GetWindow()", window_, hwnd); }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return Answer("ContextSensitiveHelp()", E_NOTIMPL); }
  STDMETHODIMP CanInPlaceActivate() override { return Answer("CanInPlaceActivate()", canActivate); }
  STDMETHODIMP OnInPlaceActivate() override { return Answer("OnInPlaceActivate()", S_OK); }
  STDMETHODIMP OnUIActivate() override { return Answer("OnUIActivate()", S_OK); }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override;
  STDMETHODIMP Scroll(SIZE) override { return Answer("Scroll()", E_NOTIMPL); }
  STDMETHODIMP OnUIDeactivate(BOOL undoable) override {
    return Answer(std::string("OnUIDeactivate(") + Bool(undoable) + ")", S_OK);
  }
  STDMETHODIMP OnInPlaceDeactivate() override { return Answer("OnInPlaceDeactivate()", S_OK); }
  STDMETHODIMP DiscardUndoState() override { return Answer("DiscardUndoState()", S_OK); }
  STDMETHODIMP DeactivateAndUndo() override { return Answer("DeactivateAndUndo()", S_OK); }
  STDMETHODIMP OnPosRectChange(LPCRECT pos) override;

 private:
  IUnknown* Find(REFIID iid) override;

  HWND window_;
  RECT pos_;
  IOleInPlaceFrame* frame_;
};

}  // namespace dicectl_tests
