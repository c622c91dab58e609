#include "printing/common_dialog.h"

namespace printing {

DialogResult CommonDialog::ShowPrinter() {
  dc_.reset();
  PRINTDLGW pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner_;
  pd.Flags = static_cast<DWORD>(Flags);
  pd.hDevMode = devMode_.release();
  pd.hDevNames = devNames_.release();
  pd.nCopies = 1;
  const DialogResult result = prompt_.ShowPrinter(pd);
  devMode_.reset(pd.hDevMode);
  devNames_.reset(pd.hDevNames);
  win::unique_hdc dc(pd.hDC);
  switch (result) {
    case DialogResult::Accepted:
      Flags = static_cast<long>(pd.Flags);
      dc_ = std::move(dc);
      return result;
    case DialogResult::Cancelled:
      // Without CancelError a cancelled dialog simply returns, with no DC.
      return CancelError ? result : DialogResult::Accepted;
    case DialogResult::Failed:
      break;
  }
  return DialogResult::Failed;
}

}  // namespace printing
