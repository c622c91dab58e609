#pragma once
// In-place activation of the Dice control: the container's in-place site,
// the control's window placed in the container's window, and the rectangle
// the container gives it.
#include <ole2.h>

#include "common/com_object.h"
#include "common/com_ptr.h"

namespace dicectl {

class Dice;

class DiceInPlace final : public win::ComPart<IOleInPlaceObject, IOleInPlaceActiveObject> {
 public:
  DiceInPlace(IUnknown& outer, Dice& dice) noexcept : ComPart(outer), dice_(dice) {}

  // DoVerb's activation; pos, when given, is the container's rectangle.
  HRESULT Activate(bool uiActivate, LPCRECT pos);
  bool Active() const noexcept { return static_cast<bool>(site_); }
  // The control's size changed: resize the window and tell the container.
  void SizeChanged();

  // IOleWindow.
  STDMETHODIMP GetWindow(HWND* hwnd) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;

  // IOleInPlaceObject.
  STDMETHODIMP InPlaceDeactivate() override;
  STDMETHODIMP UIDeactivate() override;
  STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) override;
  STDMETHODIMP ReactivateAndUndo() override;

  // IOleInPlaceActiveObject.
  STDMETHODIMP TranslateAccelerator(LPMSG msg) override;
  STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
  STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
  STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
  STDMETHODIMP EnableModeless(BOOL enable) override;

 private:
  HRESULT InPlaceActivate(LPCRECT pos);
  void UIActivate();
  RECT ControlRect() const;

  Dice& dice_;
  win::com_ptr<IOleInPlaceSite> site_;
  win::com_ptr<IOleInPlaceFrame> frame_;
  win::com_ptr<IOleInPlaceUIWindow> doc_;
  RECT pos_{};
  bool uiActive_ = false;
};

}  // namespace dicectl
