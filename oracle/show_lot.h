#pragma once
// Showing a lot: the oracle store read, the text unscrambled and put into
// the window's text view, with the menu bar.
#include <cstdint>

#include "oracle/lot_view.h"

namespace oracle {

// A stored text far longer than any lot's counts as unreadable.
// Any step that fails is passed over and the next one runs, so the text
// view always ends visible, empty after a failure, and the menu bar shown.
void ShowLot(LotView& form, const std::int16_t& lot);

}  // namespace oracle
