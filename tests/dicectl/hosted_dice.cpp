#include "strict/hosted_dice.h"

#include <ocidl.h>

#include "common/twips.h"
#include "dicectl/dice_ids.h"
#include "dicectl/dice_size.h"
#include "dicectl/dice_window.h"

namespace dicectl_tests {
namespace {

constexpr int kHostSide = 200;
constexpr int kPlaceLeft = 10;
constexpr int kPlaceTop = 20;

HWND MakeHost() {
  return ::CreateWindowExW(0, L"STATIC", L"strict host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                           kHostSide, kHostSide, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

HMODULE DiceLibrary() { return ::GetModuleHandleW(L"tumbix.ocx"); }

RECT HostedDice::Place() {
  const int side = win::TwipsToPixelsX(dicectl::kDesignSizeTwips);
  return {kPlaceLeft, kPlaceTop, kPlaceLeft + side, kPlaceTop + side};
}

HostedDice::HostedDice() : host(MakeHost()), frame(log, host.get()), site(log, host.get(), Place(), &frame) {
  object = NewDice<IOleObject>();
  if (!object) return;
  object->SetClientSite(&site);
  if (const auto persist = object.query<IPersistStreamInit>()) persist->InitNew();
}

HostedDice::~HostedDice() {
  if (!object) return;
  object->Close(OLECLOSE_NOSAVE);
  object->SetClientSite(nullptr);
}

HRESULT HostedDice::DoVerb(LONG verb) {
  const RECT place = Place();
  return object->DoVerb(verb, nullptr, &site, 0, host.get(), &place);
}

HWND HostedDice::Window() const {
  HWND hwnd = nullptr;
  if (const auto window = object.query<IOleWindow>()) window->GetWindow(&hwnd);
  return hwnd;
}

void HostedDice::Tick() const { ::SendMessageW(Window(), WM_TIMER, dicectl::DiceWindow::kTimer1, 0); }

void HostedDice::Click() const {
  const LPARAM inside = MAKELPARAM(1, 1);
  ::SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
  ::SendMessageW(Window(), WM_LBUTTONUP, 0, inside);
}

}  // namespace dicectl_tests
