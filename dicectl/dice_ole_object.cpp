#include "dicectl/dice_ole_object.h"

#include "common/com_call.h"
#include "dicectl/dice.h"
#include "dicectl/tumbix.h"

namespace dicectl {

STDMETHODIMP DiceOleObject::SetClientSite(IOleClientSite* site) {
  return win::ComCall([&] {
    site_ = win::com_ptr<IOleClientSite>(site);
    return S_OK;
  });
}

STDMETHODIMP DiceOleObject::GetClientSite(IOleClientSite** site) {
  return win::ComCall([&] {
    if (!site) return E_POINTER;
    *site = win::com_ptr<IOleClientSite>(site_).detach();
    return S_OK;
  });
}

STDMETHODIMP DiceOleObject::SetHostNames(LPCOLESTR, LPCOLESTR) {
  return win::ComCall([&] { return S_OK; });
}

// Nothing of the control is saved on its own: the container saves it
// through persistence, so every save option closes the same way.
STDMETHODIMP DiceOleObject::Close(DWORD) {
  return win::ComCall([&] {
    dice_.InPlace().InPlaceDeactivate();
    if (adviseHolder_) adviseHolder_->SendOnClose();
    return S_OK;
  });
}

STDMETHODIMP DiceOleObject::SetMoniker(DWORD, IMoniker*) {
  return win::ComCall([&] { return E_NOTIMPL; });
}

STDMETHODIMP DiceOleObject::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  return win::ComCall([&] {
    if (!moniker) return E_POINTER;
    *moniker = nullptr;
    return E_NOTIMPL;
  });
}

STDMETHODIMP DiceOleObject::InitFromData(IDataObject*, BOOL, DWORD) {
  return win::ComCall([&] { return E_NOTIMPL; });
}

STDMETHODIMP DiceOleObject::GetClipboardData(DWORD, IDataObject** data) {
  return win::ComCall([&] {
    if (!data) return E_POINTER;
    *data = nullptr;
    return E_NOTIMPL;
  });
}

// A positive verb the die does not know is its primary verb, reported as
// such; a negative one it does not know is refused.
STDMETHODIMP DiceOleObject::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT pos) {
  return win::ComCall([&] {
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
        break;
    }
    if (verb < 0) return E_NOTIMPL;
    const HRESULT hr = dice_.InPlace().Activate(false, pos);
    return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
  });
}

// The die has no verbs of its own for a container's menu, and the standard
// ones DoVerb takes are never listed. Said here rather than read from the
// registry, whose answer depends on the platform and on how the control
// was registered, if at all: a missing key there is no registry error here.
STDMETHODIMP DiceOleObject::EnumVerbs(IEnumOLEVERB** verbs) {
  return win::ComCall([&] {
    if (!verbs) return E_POINTER;
    *verbs = nullptr;
    return OLEOBJ_E_NOVERBS;
  });
}

STDMETHODIMP DiceOleObject::Update() {
  return win::ComCall([&] { return S_OK; });
}
STDMETHODIMP DiceOleObject::IsUpToDate() {
  return win::ComCall([&] { return S_OK; });
}

STDMETHODIMP DiceOleObject::GetUserClassID(CLSID* clsid) {
  return win::ComCall([&] {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_Dice;
    return S_OK;
  });
}

STDMETHODIMP DiceOleObject::GetUserType(DWORD form, LPOLESTR* type) {
  return win::ComCall([&] {
    if (!type) return E_POINTER;
    *type = nullptr;
    return ::OleRegGetUserType(CLSID_Dice, form, type);
  });
}

STDMETHODIMP DiceOleObject::SetExtent(DWORD aspect, SIZEL* size) {
  return win::ComCall([&] {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    dice_.UserControl_Resize(DiceSize::FromHimetric(*size));
    return S_OK;
  });
}

STDMETHODIMP DiceOleObject::GetExtent(DWORD aspect, SIZEL* size) {
  return win::ComCall([&] {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    *size = dice_.Size().Himetric();
    return S_OK;
  });
}

// A null sink is refused here: the platform's holder may take it and
// report a connection to nothing.
STDMETHODIMP DiceOleObject::Advise(IAdviseSink* sink, DWORD* connection) {
  return win::ComCall([&] {
    if (!connection) return E_POINTER;
    *connection = 0;
    if (!sink) return E_INVALIDARG;
    const HRESULT hr = MakeAdviseHolder();
    return FAILED(hr) ? hr : adviseHolder_->Advise(sink, connection);
  });
}

STDMETHODIMP DiceOleObject::Unadvise(DWORD connection) {
  return win::ComCall([&] { return adviseHolder_ ? adviseHolder_->Unadvise(connection) : OLE_E_NOCONNECTION; });
}

// Success comes with an enumerator, an empty one before any advise.
STDMETHODIMP DiceOleObject::EnumAdvise(IEnumSTATDATA** advise) {
  return win::ComCall([&] {
    if (!advise) return E_POINTER;
    *advise = nullptr;
    const HRESULT hr = MakeAdviseHolder();
    return FAILED(hr) ? hr : adviseHolder_->EnumAdvise(advise);
  });
}

STDMETHODIMP DiceOleObject::GetMiscStatus(DWORD, DWORD* status) {
  return win::ComCall([&] {
    if (!status) return E_POINTER;
    *status = kDiceMiscStatus;
    return S_OK;
  });
}

STDMETHODIMP DiceOleObject::SetColorScheme(LOGPALETTE*) {
  return win::ComCall([&] { return E_NOTIMPL; });
}

// The die has no mnemonics and no ambient property it depends on.
STDMETHODIMP DiceOleObject::GetControlInfo(CONTROLINFO* info) {
  return win::ComCall([&] {
    if (!info) return E_POINTER;
    if (info->cb < sizeof(CONTROLINFO)) return E_INVALIDARG;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
  });
}

STDMETHODIMP DiceOleObject::OnMnemonic(MSG*) {
  return win::ComCall([&] { return S_OK; });
}
STDMETHODIMP DiceOleObject::OnAmbientPropertyChange(DISPID) {
  return win::ComCall([&] { return S_OK; });
}

HRESULT DiceOleObject::MakeAdviseHolder() {
  return adviseHolder_ ? S_OK : ::CreateOleAdviseHolder(adviseHolder_.put());
}

STDMETHODIMP DiceOleObject::FreezeEvents(BOOL freeze) {
  return win::ComCall([&] {
    if (freeze)
      ++frozen_;
    else if (frozen_ > 0)
      --frozen_;
    return S_OK;
  });
}

}  // namespace dicectl
