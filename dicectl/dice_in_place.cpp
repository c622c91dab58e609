#include "dicectl/dice_in_place.h"

#include "common/com_call.h"
#include "dicectl/dice.h"

namespace dicectl {

HRESULT DiceInPlace::Activate(bool uiActivate, LPCRECT pos) {
  if (!site_) {
    const HRESULT hr = InPlaceActivate(pos);
    if (FAILED(hr)) return hr;
  }
  if (uiActivate && !uiActive_) UIActivate();
  return S_OK;
}

HRESULT DiceInPlace::InPlaceActivate(LPCRECT pos) {
  IOleClientSite* client = dice_.OleObject().ClientSite();
  if (!client) return E_UNEXPECTED;
  auto site = win::com_ptr<IOleClientSite>(client).query<IOleInPlaceSite>();
  if (!site) return E_NOINTERFACE;
  if (site->CanInPlaceActivate() != S_OK) return E_FAIL;
  HRESULT hr = site->OnInPlaceActivate();
  if (FAILED(hr)) return hr;

  HWND parent = nullptr;
  RECT posRect{};
  RECT clip{};
  OLEINPLACEFRAMEINFO frameInfo{};
  frameInfo.cb = sizeof frameInfo;
  hr = site->GetWindow(&parent);
  if (SUCCEEDED(hr)) hr = site->GetWindowContext(frame_.put(), doc_.put(), &posRect, &clip, &frameInfo);
  if (FAILED(hr)) {
    frame_.reset();
    doc_.reset();
    site->OnInPlaceDeactivate();
    return hr;
  }
  site_ = std::move(site);
  pos_ = pos ? *pos : posRect;
  dice_.Window().PlaceIn(parent, ControlRect());
  SetObjectRects(&pos_, &clip);
  client->ShowObject();
  return S_OK;
}

void DiceInPlace::UIActivate() {
  uiActive_ = true;
  site_->OnUIActivate();
  IOleInPlaceActiveObject* self = this;
  if (frame_) frame_->SetActiveObject(self, nullptr);
  if (doc_) doc_->SetActiveObject(self, nullptr);
}

RECT DiceInPlace::ControlRect() const { return dice_.Size().PixelRectAt(pos_.left, pos_.top); }

void DiceInPlace::SizeChanged() {
  if (!site_) return;
  const RECT wanted = ControlRect();
  dice_.Window().Move(wanted);
  if (::EqualRect(&wanted, &pos_)) return;
  pos_ = wanted;
  site_->OnPosRectChange(&wanted);
}

STDMETHODIMP DiceInPlace::GetWindow(HWND* hwnd) {
  return win::ComCall([&] {
    if (!hwnd) return E_POINTER;
    *hwnd = site_ ? dice_.Window().hwnd() : nullptr;
    return site_ ? S_OK : E_FAIL;
  });
}

STDMETHODIMP DiceInPlace::ContextSensitiveHelp(BOOL) {
  return win::ComCall([&] { return E_NOTIMPL; });
}

STDMETHODIMP DiceInPlace::InPlaceDeactivate() {
  return win::ComCall([&] {
    if (!site_) return S_OK;
    UIDeactivate();
    dice_.Window().Park();
    const auto site = std::move(site_);
    frame_.reset();
    doc_.reset();
    site->OnInPlaceDeactivate();
    return S_OK;
  });
}

STDMETHODIMP DiceInPlace::UIDeactivate() {
  return win::ComCall([&] {
    if (!uiActive_) return S_OK;
    uiActive_ = false;
    if (frame_) frame_->SetActiveObject(nullptr, nullptr);
    if (doc_) doc_->SetActiveObject(nullptr, nullptr);
    site_->OnUIDeactivate(FALSE);
    return S_OK;
  });
}

STDMETHODIMP DiceInPlace::SetObjectRects(LPCRECT pos, LPCRECT) {
  return win::ComCall([&] {
    if (!pos) return E_POINTER;
    if (!site_) return OLE_E_NOT_INPLACEACTIVE;
    pos_ = *pos;
    const SIZE offered{pos->right - pos->left, pos->bottom - pos->top};
    if (dice_.Size().Shows(offered))
      dice_.Window().Move(ControlRect());
    else
      dice_.UserControl_Resize(DiceSize::FromPixels(offered));
    return S_OK;
  });
}

STDMETHODIMP DiceInPlace::ReactivateAndUndo() {
  return win::ComCall([&] { return INPLACE_E_NOTUNDOABLE; });
}

STDMETHODIMP DiceInPlace::TranslateAccelerator(LPMSG) {
  return win::ComCall([&] { return S_FALSE; });
}
STDMETHODIMP DiceInPlace::OnFrameWindowActivate(BOOL) {
  return win::ComCall([&] { return S_OK; });
}
STDMETHODIMP DiceInPlace::OnDocWindowActivate(BOOL) {
  return win::ComCall([&] { return S_OK; });
}
STDMETHODIMP DiceInPlace::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
  return win::ComCall([&] { return S_OK; });
}
STDMETHODIMP DiceInPlace::EnableModeless(BOOL) {
  return win::ComCall([&] { return S_OK; });
}

}  // namespace dicectl
