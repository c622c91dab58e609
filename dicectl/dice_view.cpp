#include "dicectl/dice_view.h"

#include "common/com_call.h"
#include "dicectl/dice.h"

namespace dicectl {

void DiceView::Changed() {
  if (!sink_ || !(aspects_ & DVASPECT_CONTENT)) return;
  // A one-time advise goes after its first notice.
  const auto sink = sink_;
  if (advf_ & ADVF_ONLYONCE) sink_.reset();
  sink->OnViewChange(DVASPECT_CONTENT, -1);
}

STDMETHODIMP DiceView::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                            BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
  return win::ComCall([&] {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc || !bounds) return E_INVALIDARG;
    const RECT r{bounds->left, bounds->top, bounds->right, bounds->bottom};
    dice_.ImgDice().Draw(dc, r);
    return S_OK;
  });
}

STDMETHODIMP DiceView::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) {
  return win::ComCall([&] {
    if (!colors) return E_POINTER;
    *colors = nullptr;
    return S_FALSE;
  });
}

STDMETHODIMP DiceView::Freeze(DWORD, LONG, void*, DWORD* freeze) {
  return win::ComCall([&] {
    if (!freeze) return E_POINTER;
    *freeze = 0;
    return E_NOTIMPL;
  });
}
STDMETHODIMP DiceView::Unfreeze(DWORD) {
  return win::ComCall([&] { return E_NOTIMPL; });
}

STDMETHODIMP DiceView::SetAdvise(DWORD aspects, DWORD advf, IAdviseSink* sink) {
  return win::ComCall([&] {
    sink_ = win::com_ptr<IAdviseSink>(sink);
    aspects_ = aspects;
    advf_ = advf;
    return S_OK;
  });
}

STDMETHODIMP DiceView::GetAdvise(DWORD* aspects, DWORD* advf, IAdviseSink** sink) {
  return win::ComCall([&] {
    if (aspects) *aspects = aspects_;
    if (advf) *advf = advf_;
    if (sink) *sink = win::com_ptr<IAdviseSink>(sink_).detach();
    return S_OK;
  });
}

STDMETHODIMP DiceView::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return win::ComCall([&] {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    *size = dice_.Size().Himetric();
    return S_OK;
  });
}

}  // namespace dicectl
