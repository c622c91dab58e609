#include "app/frmsplash.h"

#include <string>

#include "app/controls.h"
#include "app/program_info.h"
#include "common/font_description.h"

namespace app {
namespace {

constexpr int kClientWidth = 4230;  // twips
constexpr int kClientHeight = 2520;
const RECT kFrameBox = TwipsBox(120, 60, 3990, 2340);
const RECT kTitleBox = TwipsBox(240, 360, 3750, 660);
const RECT kNoticeBox = TwipsBox(480, 1260, 3270, 900);
// A bordered window without a caption; never on the taskbar.
constexpr DWORD kStyle = WS_POPUP | WS_BORDER;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
const win::FontDescription kTitleFont{L"隶书", 2175, FW_BOLD, GB2312_CHARSET};
constexpr int kFrameId = 301;
constexpr int kTitleId = 302;
constexpr int kNoticeId = 303;

}  // namespace

void frmsplash::Form_Load() {
  const RECT r = CentredWindowRect(kStyle, kExStyle, kClientWidth, kClientHeight);
  if (!CreateWnd(kExStyle, L"", kStyle, r.left, r.top, r.right - r.left, r.bottom - r.top, owner_))
    return;
  titleFont_ = win::CreateScreenFont(kTitleFont);
  textFont_ = win::CreateScreenFont(win::kChineseUiFont);
  const std::wstring title(kDisplayTitle), notice(kSplashNotice);
  CreateControl(hwnd(), L"BUTTON", L"", BS_GROUPBOX, kFrameId, kFrameBox, textFont_.get());
  CreateControl(hwnd(), L"STATIC", title.c_str(), SS_CENTER, kTitleId, kTitleBox, titleFont_.get());
  CreateControl(hwnd(), L"STATIC", notice.c_str(), SS_LEFT, kNoticeId, kNoticeBox, textFont_.get());
  // Above every window that is not itself topmost; the result is not needed.
  ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void frmsplash::ShowNonModal() {
  if (!hwnd()) return;
  ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  ::UpdateWindow(hwnd());
}

LRESULT frmsplash::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefaultProc(msg, wp, lp); }

}  // namespace app

