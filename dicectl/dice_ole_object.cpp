#include "dicectl/dice_ole_object.h"

#include "dicectl/dice.h"
#include "dicectl/tumbix.h"

namespace dicectl {

STDMETHODIMP DiceOleObject::SetClientSite(IOleClientSite* site) {
  site_ = win::com_ptr<IOleClientSite>(site);
  return S_OK;
}

STDMETHODIMP DiceOleObject::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = win::com_ptr<IOleClientSite>(site_).detach();
  return S_OK;
}

STDMETHODIMP DiceOleObject::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

// Nothing of the control is saved on its own: the container saves it
// through persistence, so every save option closes the same way.
STDMETHODIMP DiceOleObject::Close(DWORD) {
  dice_.InPlace().InPlaceDeactivate();
  if (adviseHolder_) adviseHolder_->SendOnClose();
  return S_OK;
}

STDMETHODIMP DiceOleObject::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

STDMETHODIMP DiceOleObject::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP DiceOleObject::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

STDMETHODIMP DiceOleObject::GetClipboardData(DWORD, IDataObject** data) {
  if (data) *data = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP DiceOleObject::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT pos) {
  if (site && !site_) site_ = win::com_ptr<IOleClientSite>(site);
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
      return dice_.InPlace().Activate(false, pos);
    case OLEIVERB_UIACTIVATE:
      return dice_.InPlace().Activate(true, pos);
    case OLEIVERB_HIDE:
      return dice_.InPlace().InPlaceDeactivate();
    default:
      return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
  }
}

STDMETHODIMP DiceOleObject::EnumVerbs(IEnumOLEVERB** verbs) { return ::OleRegEnumVerbs(CLSID_Dice, verbs); }

STDMETHODIMP DiceOleObject::Update() { return S_OK; }
STDMETHODIMP DiceOleObject::IsUpToDate() { return S_OK; }

STDMETHODIMP DiceOleObject::GetUserClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = CLSID_Dice;
  return S_OK;
}

STDMETHODIMP DiceOleObject::GetUserType(DWORD form, LPOLESTR* type) {
  return ::OleRegGetUserType(CLSID_Dice, form, type);
}

STDMETHODIMP DiceOleObject::SetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  dice_.UserControl_Resize(ToTwips(*size));
  return S_OK;
}

STDMETHODIMP DiceOleObject::GetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  *size = ToHimetric(dice_.Size());
  return S_OK;
}

STDMETHODIMP DiceOleObject::Advise(IAdviseSink* sink, DWORD* connection) {
  if (!adviseHolder_) {
    const HRESULT hr = ::CreateOleAdviseHolder(adviseHolder_.put());
    if (FAILED(hr)) return hr;
  }
  return adviseHolder_->Advise(sink, connection);
}

STDMETHODIMP DiceOleObject::Unadvise(DWORD connection) {
  return adviseHolder_ ? adviseHolder_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

STDMETHODIMP DiceOleObject::EnumAdvise(IEnumSTATDATA** advise) {
  if (!advise) return E_POINTER;
  *advise = nullptr;
  return adviseHolder_ ? adviseHolder_->EnumAdvise(advise) : S_OK;
}

STDMETHODIMP DiceOleObject::GetMiscStatus(DWORD, DWORD* status) {
  if (!status) return E_POINTER;
  *status = kDiceMiscStatus;
  return S_OK;
}

STDMETHODIMP DiceOleObject::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// The die has no mnemonics and no ambient property it depends on.
STDMETHODIMP DiceOleObject::GetControlInfo(CONTROLINFO* info) {
  if (!info) return E_POINTER;
  if (info->cb < sizeof(CONTROLINFO)) return E_INVALIDARG;
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

STDMETHODIMP DiceOleObject::OnMnemonic(MSG*) { return S_OK; }
STDMETHODIMP DiceOleObject::OnAmbientPropertyChange(DISPID) { return S_OK; }

STDMETHODIMP DiceOleObject::FreezeEvents(BOOL freeze) {
  if (freeze)
    ++frozen_;
  else if (frozen_ > 0)
    --frozen_;
  return S_OK;
}

}  // namespace dicectl
