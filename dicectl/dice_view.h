#pragma once
// Drawing the Dice control into a container's device context, for a
// container that paints it itself (when it is not in-place active, when it
// prints), and telling the container's view sink that the face changed.
#include <ole2.h>

#include "common/com_object.h"
#include "common/com_ptr.h"

namespace dicectl {

class Dice;

class DiceView final : public win::ComPart<IViewObject2> {
 public:
  DiceView(IUnknown& outer, Dice& dice) noexcept : ComPart(outer), dice_(dice) {}

  // The picture or the size changed.
  void Changed();

  STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC targetDc, HDC dc,
                    LPCRECTL bounds, LPCRECTL window, BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR),
                    ULONG_PTR contArg) override;
  STDMETHODIMP GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC targetDc,
                           LOGPALETTE** colors) override;
  STDMETHODIMP Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
  STDMETHODIMP Unfreeze(DWORD freeze) override;
  STDMETHODIMP SetAdvise(DWORD aspects, DWORD advf, IAdviseSink* sink) override;
  STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* advf, IAdviseSink** sink) override;
  STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

 private:
  Dice& dice_;
  win::com_ptr<IAdviseSink> sink_;
  DWORD aspects_ = 0;
  DWORD advf_ = 0;
};

}  // namespace dicectl
