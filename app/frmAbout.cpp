#include "app/frmAbout.h"

#include <string>

#include "app/controls.h"
#include "app/program_info.h"
#include "common/font_description.h"
#include "common/twips.h"
#include "common/version_info.h"
#include "common/window_text.h"

namespace app {
namespace {

constexpr int kClientWidth = 5700;  // twips
constexpr int kClientHeight = 3120;
const RECT kTitleBox = TwipsBox(360, 240, 4980, 420);
const RECT kVersionBox = TwipsBox(360, 720, 4980, 300);
const RECT kMailCaptionBox = TwipsBox(360, 1140, 720, 300);
const RECT kMailBox = TwipsBox(1080, 1140, 4200, 300);
const RECT kLinkCaptionBox = TwipsBox(360, 1500, 720, 300);
const RECT kLinkBox = TwipsBox(1080, 1500, 4200, 300);
const RECT kSeparatorBox = TwipsBox(360, 1980, 4980, 15);
const RECT kDisclaimerBox = TwipsBox(360, 2160, 4980, 780);

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr wchar_t kCaption[] = L"关于";
const win::FontDescription kTitleFont{L"宋体", 1400, FW_BOLD, GB2312_CHARSET};
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr COLORREF kRuleGrey = RGB(128, 128, 128);
constexpr COLORREF kRuleWhite = RGB(255, 255, 255);

enum ControlId : int {
  IDC_Title = 501,
  IDC_lblVersion,
  IDC_MailCaption,
  IDC_lblMailTo,
  IDC_LinkCaption,
  IDC_lblLink,
  IDC_lblDisclaimer,
};

// The mouse pointer of the whole screen while the shell is asked.
void SetPointer(LPCWSTR cursor) { ::SetCursor(::LoadCursorW(nullptr, cursor)); }

}  // namespace

void frmAbout::Form_Load() {
  if (!CreateCentred(owner_, kCaption, kStyle, kClientWidth, kClientHeight)) return;
  font_ = win::CreateScreenFont(win::kChineseUiFont);
  titleFont_ = win::CreateScreenFont(kTitleFont);
  LOGFONTW underlined{};
  ::GetObjectW(font_.get(), sizeof underlined, &underlined);
  underlined.lfUnderline = TRUE;
  linkFont_.reset(::CreateFontIndirectW(&underlined));

  HWND h = hwnd();
  const std::wstring title(kDisplayTitle), mail(kMailAddress), home(kHomePage);
  CreateControl(h, L"STATIC", title.c_str(), SS_LEFT, IDC_Title, kTitleBox, titleFont_.get());
  lblVersion_ = CreateControl(h, L"STATIC", L"", SS_LEFT, IDC_lblVersion, kVersionBox, font_.get());
  CreateControl(h, L"STATIC", L"信箱：", SS_LEFT, IDC_MailCaption, kMailCaptionBox, font_.get());
  lblMailTo_ = CreateControl(h, L"STATIC", mail.c_str(), SS_LEFT | SS_NOTIFY, IDC_lblMailTo, kMailBox,
                             linkFont_.get());
  CreateControl(h, L"STATIC", L"主页：", SS_LEFT, IDC_LinkCaption, kLinkCaptionBox, font_.get());
  lblLink_ = CreateControl(h, L"STATIC", home.c_str(), SS_LEFT | SS_NOTIFY, IDC_lblLink, kLinkBox,
                           linkFont_.get());
  lblDisclaimer_ = CreateControl(h, L"STATIC", L"", SS_LEFT, IDC_lblDisclaimer, kDisclaimerBox, font_.get());

  const std::wstring disclaimer = std::wstring(kLegalNotice) + std::wstring(kGameOnlyNotice);
  ::SetWindowTextW(lblDisclaimer_, disclaimer.c_str());
  std::wstring version = L"V";
  if (const auto v = win::ModuleVersion(nullptr))
    version += std::to_wstring(v->major) + L"." + std::to_wstring(v->minor) + L"." +
               std::to_wstring(v->revision);
  ::SetWindowTextW(lblVersion_, version.c_str());
}

void frmAbout::ExecuteLink(const std::wstring& link) {
  SetPointer(IDC_WAIT);
  const ShellAnswer answer = services_.shell.Open(link);
  if (answer.result == 0) {
    SetPointer(IDC_ARROW);
    services_.messages.Show(hwnd(), L"Error Opening Link to " + link + L"\r\n" + L"\r\n" +
                                        std::to_wstring(answer.lastError),
                            L"frmAbout::ExecuteLink");
  }
  SetPointer(IDC_ARROW);
}

void frmAbout::lblLink_Click() {
  ExecuteLink(win::WindowText(lblLink_));
  DestroyWnd();
}

void frmAbout::lblMailTo_Click() {
  // The address itself, not what the label happens to show.
  ExecuteLink(L"mailto:" + std::wstring(kMailAddress));
  DestroyWnd();
}

void frmAbout::PaintSeparator(HDC dc) const {
  const RECT px = win::TwipsRect(kSeparatorBox.left, kSeparatorBox.top,
                                 kSeparatorBox.right - kSeparatorBox.left, 0);
  const win::unique_hpen grey(::CreatePen(PS_SOLID, 1, kRuleGrey));
  const win::unique_hpen white(::CreatePen(PS_SOLID, 1, kRuleWhite));
  {
    const auto keep = win::select(dc, grey.get());
    ::MoveToEx(dc, px.left, px.top, nullptr);
    ::LineTo(dc, px.right, px.top);
  }
  const auto keep = win::select(dc, white.get());
  ::MoveToEx(dc, px.left, px.top + 1, nullptr);
  ::LineTo(dc, px.right, px.top + 1);
}

LRESULT frmAbout::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (auto handled = HandleDialogMessage(msg, wp)) return *handled;
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd(), &ps);
      PaintSeparator(dc);
      ::EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      if (IsLink(reinterpret_cast<HWND>(lp))) return ColouredLabel(reinterpret_cast<HDC>(wp), kLinkColour);
      break;
    case WM_SETCURSOR:
      if (IsLink(reinterpret_cast<HWND>(wp))) {
        SetPointer(IDC_HAND);
        return TRUE;
      }
      break;
    case WM_COMMAND:
      if (HIWORD(wp) == STN_CLICKED && LOWORD(wp) == IDC_lblLink) {
        lblLink_Click();
      } else if (HIWORD(wp) == STN_CLICKED && LOWORD(wp) == IDC_lblMailTo) {
        lblMailTo_Click();
      }
      return 0;
    default:
      break;
  }
  return DefaultProc(msg, wp, lp);
}

}  // namespace app
