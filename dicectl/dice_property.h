#pragma once
// The property page DiceProperty, captioned "通用": it shows the first
// selected control's HalfChance and Resizeable and writes them back on
// Apply, late-bound through the control's IDispatch.
#include <ocidl.h>

#include <vector>

#include "common/com_object.h"
#include "common/com_ptr.h"
#include "dicectl/dice_property_window.h"
#include "dicectl/module.h"
#include "dicectl/tumbix.h"
#include "dicectl/type_info_dispatch.h"

namespace dicectl {

class DiceProperty final : public win::ComObject<DiceProperty, IPropertyPage, DualDispatch<_DiceProperty>>,
                           private DicePropertyWindow::Owner {
 public:
  static HRESULT Create(REFIID iid, void** out);
  static win::InterfaceList<DiceProperty> Interfaces() noexcept;

  // IPropertyPage.
  STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
  STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
  STDMETHODIMP Deactivate() override;
  STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
  STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
  STDMETHODIMP Show(UINT command) override;
  STDMETHODIMP Move(LPCRECT rect) override;
  STDMETHODIMP IsPageDirty() override;
  STDMETHODIMP Apply() override;
  STDMETHODIMP Help(LPCOLESTR helpDir) override;
  STDMETHODIMP TranslateAccelerator(MSG* msg) override;

 private:
  static constexpr int kNoEntry = -1;

  DiceProperty();
  ~DiceProperty() override;

  void PropertyPage_SelectionChanged();
  HRESULT PropertyPage_ApplyChanges();
  // Sets the changed flag, through which the frame enables Apply.
  void MarkChanged();

  // DicePropertyWindow::Owner.
  void Combo1_Click(int listIndex) override;
  void Combo1_Change() override;
  void Option1_Click() override;
  void Option2_Click() override;

  ModuleLock lock_;
  win::com_ptr<IPropertyPageSite> site_;
  std::vector<win::com_ptr<IUnknown>> objects_;
  DicePropertyWindow window_;
  // What the controls show, kept while the page's window is not up.
  int combo1Index_ = kNoEntry;
  bool option1_ = false;  // Option2 is selected when the page is created
  bool changed_ = false;
};

}  // namespace dicectl
