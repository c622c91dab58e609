#include "app/frmsuom.h"

#include <algorithm>
#include <string>

#include "app/controls.h"
#include "app/ui_font.h"
#include "common/twips.h"

namespace app {
namespace {

constexpr int kClientWidth = 6600;  // twips, the window's first size
constexpr int kClientHeight = 4800;
// The box keeps this much of the window's outer size free.
constexpr int kFreeHeight = 650;
constexpr int kFreeWidth = 130;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr int kTxtsMId = 401;
constexpr wchar_t kCaption[] = L"说明";
constexpr wchar_t kLineBreak[] = L"\r\n";

constexpr std::wstring_view kParagraphOne =
    L"     一、本签谱依《易经》六十四卦三百八十四爻之义编成签诗，排为字盘以供占测。"
    L"所问之事，小至一身之荣辱、一家之兴衰，大至两军之胜负、一国之存亡，无所不包，"
    L"故而声名远播，世代相传。";
constexpr std::wstring_view kParagraphTwo =
    L"     二、这完全是一个娱乐性的软件，供大家在茶余饭后消遣用，千万不可将其作为营生，更不能以此指导你的行为。";
constexpr std::wstring_view kLastParagraph =
    L"     八、用法简介：要打印文本的内容请按住Ctrl键不放再按P键,从文本窗口回到主界面请双击一下。";

// The instructions as the box shows them.
std::wstring InstructionsText() {
  std::wstring text;
  text += kLineBreak;  // an empty line first
  text += std::wstring(kParagraphOne) + kLineBreak;
  text += std::wstring(kParagraphTwo) + kLineBreak;
  text += kLastParagraph;
  return text;
}

}  // namespace

void frmsuom::Form_Load() {
  if (!CreateCentred(owner_, kCaption, kStyle, kClientWidth, kClientHeight)) return;
  font_ = win::CreateScreenFont(kReadingFont);
  background_.reset(::CreateSolidBrush(::GetSysColor(COLOR_WINDOW)));
  txtsM_ = CreateControl(hwnd(), L"EDIT", L"",
                         WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                         kTxtsMId, TwipsBox(0, 0, 0, 0), font_.get(), WS_EX_CLIENTEDGE);
  ::SetWindowTextW(txtsM_, InstructionsText().c_str());
  SetFirstFocus(txtsM_);
  Form_Resize();
}

void frmsuom::Form_Resize() {
  if (!txtsM_) return;
  RECT outer{};
  ::GetWindowRect(hwnd(), &outer);
  // A window smaller than the free margins gives the box no size, never a
  // negative one.
  const int height = std::max(0, win::PixelsToTwipsY(outer.bottom - outer.top) - kFreeHeight);
  const int width = std::max(0, win::PixelsToTwipsX(outer.right - outer.left) - kFreeWidth);
  ::MoveWindow(txtsM_, 0, 0, win::TwipsToPixelsX(width), win::TwipsToPixelsY(height), TRUE);
}

LRESULT frmsuom::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (auto handled = HandleDialogMessage(msg, wp)) return *handled;
  switch (msg) {
    case WM_SIZE:
      Form_Resize();
      return 0;
    case WM_CTLCOLORSTATIC:
      // Read-only, yet a page to read: the usual white, not grey.
      if (reinterpret_cast<HWND>(lp) == txtsM_) {
        ::SetBkColor(reinterpret_cast<HDC>(wp), ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(background_.get());
      }
      break;
    default:
      break;
  }
  return DefaultProc(msg, wp, lp);
}

}  // namespace app
