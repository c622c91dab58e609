#include "app/frmtt.h"

#include <string>
#include <variant>

#include "app/controls.h"
#include "app/frmtt_ids.h"
#include "common/codepage.h"
#include "common/font_description.h"
#include "common/window_text.h"
#include "oracle/character_test.h"
#include "oracle/show_lot.h"

namespace app {
namespace {

using namespace frmtt_ids;

constexpr int kClientWidth = 3630;  // twips
constexpr int kClientHeight = 2055;
constexpr POINT kFrameOrigin = {450, 90};
const RECT kFrameBox = TwipsBox(450, 90, 2715, 1605);
const RECT kTxtZiBox = TwipsBox(390, 480, 2025, 345, kFrameOrigin);
const RECT kCommand1Box = TwipsBox(510, 1020, 795, 375, kFrameOrigin);
const RECT kCommand2Box = TwipsBox(1500, 1020, 795, 375, kFrameOrigin);
constexpr int kMaxCharacters = 3;
constexpr size_t kDoubleByte = 2;

// No WS_CLIPCHILDREN: the frame paints nothing inside, the window does.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr wchar_t kCaption[] = L"测字";
constexpr wchar_t kFrameCaption[] = L"请随意输入三个字";

constexpr std::wstring_view kInputChinese = L"请输入中文";
constexpr std::wstring_view kIncomplete = L"数据没填全";
constexpr std::wstring_view kStoreUnreadable =
    L"签库无法打开，请确认程序目录中有完好的 veshalib.mdb 文件。";

std::wstring RefusalMessage(const oracle::CharacterRefusal& refused) {
  switch (refused.why) {
    case oracle::CharacterRefusal::NoCharacters:
      return std::wstring(kIncomplete);
    case oracle::CharacterRefusal::StoreUnreadable:
      return std::wstring(kStoreUnreadable);
    case oracle::CharacterRefusal::CharacterMissing:
      return std::wstring(L"字库中尚无") + L"“" + refused.zi + L"”" + L"字，请通知作者";
    case oracle::CharacterRefusal::StrokeCountUnreadable:
      break;
  }
  return std::wstring(L"字库中“") + refused.zi + L"”字的笔画数无法读取，请通知作者";
}

}  // namespace

frmtt::frmtt(HWND owner, oracle::LotView& mainForm, Services& services)
    : owner_(owner), mainForm_(mainForm), services_(services) {}

frmtt::~frmtt() { DestroyWnd(); }

void frmtt::Form_Load() {
  if (!CreateCentred(owner_, kCaption, kStyle, kClientWidth, kClientHeight)) return;
  font_ = win::CreateScreenFont(win::kChineseUiFont);
  HWND h = hwnd();
  CreateControl(h, L"BUTTON", kFrameCaption, BS_GROUPBOX, IDC_Frame1, kFrameBox, font_.get());
  txtZi_ = CreateControl(h, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, IDC_txtZi, kTxtZiBox,
                         font_.get(), WS_EX_CLIENTEDGE);
  // The edit control's own limit holds for typing, pasting and input methods.
  ::SendMessageW(txtZi_, EM_SETLIMITTEXT, kMaxCharacters, 0);
  command1_ = CreateControl(h, L"BUTTON", L"确定", WS_TABSTOP | BS_PUSHBUTTON, IDC_Command1,
                            kCommand1Box, font_.get());
  command2_ = CreateControl(h, L"BUTTON", L"取消", WS_TABSTOP | BS_PUSHBUTTON, IDC_Command2,
                            kCommand2Box, font_.get());
  SetFirstFocus(txtZi_);
}

LRESULT frmtt::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (auto handled = HandleDialogMessage(msg, wp)) return *handled;
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == IDC_txtZi && HIWORD(wp) == EN_CHANGE) {
        txtZi_Change();
      } else if (HIWORD(wp) == BN_CLICKED && LOWORD(wp) == IDC_Command1) {
        Command1_Click();
      } else if (HIWORD(wp) == BN_CLICKED && LOWORD(wp) == IDC_Command2) {
        Command2_Click();
      }
      return 0;
    default:
      return DefaultProc(msg, wp, lp);
  }
}

void frmtt::txtZi_Change() {
  const std::wstring text = win::WindowText(txtZi_);
  if (text.empty()) return;
  const auto bytes = win::ToCodePage936(std::wstring_view(text).substr(text.size() - 1));
  if (bytes && bytes->size() == kDoubleByte) return;
  services_.messages.Show(hwnd(), kInputChinese);
  ::SendMessageW(txtZi_, EM_SETSEL, 0, static_cast<LPARAM>(text.size()));
}

void frmtt::Command1_Click() {
  const auto result = oracle::LotOfCharacters(services_.appPath, win::WindowText(txtZi_));
  if (const auto* refused = std::get_if<oracle::CharacterRefusal>(&result)) {
    services_.messages.Show(hwnd(), RefusalMessage(*refused));
    return;
  }
  oracle::ShowLot(mainForm_, std::get<std::int16_t>(result));
  mainForm_.SetMenuBarVisible(false);
  Unload();
}

void frmtt::Command2_Click() { Unload(); }

void frmtt::Unload() { DestroyWnd(); }

}  // namespace app
