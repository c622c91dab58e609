#include "support/dice_host.h"

#include <algorithm>

#include "common/twips.h"
#include "dicectl/dice_ids.h"

namespace testing_support {
namespace {

constexpr int kFaceSide = 40;
constexpr int kHostSide = 400;

// The control's pictures, as the library holds them.
HMODULE DiceLibrary() { return ::GetModuleHandleW(L"tumbix.ocx"); }

}  // namespace

Canvas::Canvas(int width, int height, COLORREF fill) : width(width), height(height) {
  const RECT all{0, 0, width, height};
  const win::unique_hbrush brush(::CreateSolidBrush(fill));
  ::FillRect(dc.get(), &all, brush.get());
}

std::vector<COLORREF> Canvas::Pixels() const {
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(::GetPixel(dc.get(), x, y));
  return pixels;
}

double NowMs() {
  LARGE_INTEGER now, frequency;
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const double end = NowMs() + timeoutMs;
  while (!done()) {
    if (NowMs() > end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  return true;
}

DiceHost::DiceHost(int left, int top, int width, int height)
    : host_(::CreateWindowExW(0, L"STATIC", L"dice host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                              kHostSide, kHostSide, nullptr, nullptr, nullptr, nullptr)) {
  site_ = app::OleControlSite::Create(
      host_.get(), dicectl::kDiceProgId, {left, top, width, height},
      [this](DISPID id, const DISPPARAMS& params) {
        const short argument = params.cArgs == 1 && V_VT(&params.rgvarg[0]) == VT_I2 ? V_I2(&params.rgvarg[0]) : 0;
        events_.push_back({id, argument, NowMs()});
      },
      [this](DISPID id) { changes_.push_back(id); });
}

DiceHost::~DiceHost() {
  if (site_) site_->Close();
}

HRESULT DiceHost::Run() { return site_->InvokeMethod(dicectl::kDispidRun); }

SIZE DiceHost::ExtentTwips() const {
  SIZEL extent{};
  site_->Object()->GetExtent(DVASPECT_CONTENT, &extent);
  return {win::HimetricToTwips(extent.cx), win::HimetricToTwips(extent.cy)};
}

HRESULT LibraryCanUnload(HMODULE library) {
  using CanUnload = HRESULT(STDAPICALLTYPE*)();
  const auto entry =
      reinterpret_cast<CanUnload>(reinterpret_cast<void*>(::GetProcAddress(library, "DllCanUnloadNow")));
  return entry ? entry() : E_FAIL;
}

void ClickFace(const app::OleControlSite& site) {
  HWND face = site.Window();
  const LPARAM at = MAKELPARAM(kFaceSide / 4, kFaceSide / 4);
  ::SendMessageW(face, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(face, WM_LBUTTONUP, 0, at);
}

void DiceHost::Click() { ClickFace(site()); }

int DiceHost::FaceShown() const { return FaceOf(site_->Object()); }

bool DiceHost::Ended() const {
  return std::any_of(events_.begin(), events_.end(), [](const HeardEvent& e) { return e.id == dicectl::kDispidEndDice; });
}

int FaceOf(IUnknown* control) {
  win::com_ptr<IViewObject> view;
  if (FAILED(control->QueryInterface(IID_IViewObject, view.put_void()))) return 0;
  const Canvas drawn(kFaceSide, kFaceSide);
  const RECTL bounds{0, 0, kFaceSide, kFaceSide};
  view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, drawn.dc.get(), &bounds, nullptr, nullptr, 0);
  const auto shown = drawn.Pixels();
  for (int face = dicectl::kFirstFace; face <= dicectl::kLastFace; ++face) {
    const Canvas expected(kFaceSide, kFaceSide);
    const win::unique_hbitmap picture(static_cast<HBITMAP>(
        ::LoadImageW(DiceLibrary(), MAKEINTRESOURCEW(face), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    const win::unique_hdc source(::CreateCompatibleDC(nullptr));
    const auto keep = win::select(source.get(), picture.get());
    ::BitBlt(expected.dc.get(), 0, 0, kFaceSide, kFaceSide, source.get(), 0, 0, SRCCOPY);
    if (expected.Pixels() == shown) return face;
  }
  return 0;
}

STDMETHODIMP PageSite::QueryInterface(REFIID iid, void** out) {
  *out = iid == IID_IUnknown || iid == IID_IPropertyPageSite ? static_cast<IPropertyPageSite*>(this) : nullptr;
  return *out ? S_OK : E_NOINTERFACE;
}

STDMETHODIMP PageSite::OnStatusChange(DWORD flags) {
  statusChanges.push_back(flags);
  return S_OK;
}

STDMETHODIMP PageSite::GetLocaleID(LCID* lcid) {
  *lcid = ::GetUserDefaultLCID();
  return S_OK;
}

STDMETHODIMP PageSite::GetPageContainer(IUnknown** container) {
  *container = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP PageSite::TranslateAccelerator(MSG*) { return S_FALSE; }

}  // namespace testing_support
