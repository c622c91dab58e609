#include "app/frmSaizi.h"

#include <string>
#include <variant>

#include "app/controls.h"
#include "app/frmSaizi_ids.h"
#include "app/resource_ids.h"
#include "common/font_description.h"
#include "common/window_text.h"
#include "dicectl/dice_interface.h"
#include "oracle/show_lot.h"

namespace app {
namespace {

using namespace frmSaizi_ids;
using dicectl::kDiceProgId;
using dicectl::kDispidEndDice;
using dicectl::kDispidRun;

constexpr int kClientWidth = 4905;  // twips
constexpr int kClientHeight = 3495;
constexpr POINT kFrameOrigin = {360, 1020};
const RECT kFrameBox = TwipsBox(360, 1020, 4095, 1305);
const std::array<RECT, 3> kBoxes = {TwipsBox(660, 390, 465, 345, kFrameOrigin),
                                    TwipsBox(1755, 390, 465, 345, kFrameOrigin),
                                    TwipsBox(2970, 390, 465, 345, kFrameOrigin)};
const std::array<RECT, 3> kCastButtons = {TwipsBox(405, 840, 855, 315, kFrameOrigin),
                                          TwipsBox(1575, 840, 915, 315, kFrameOrigin),
                                          TwipsBox(2745, 840, 975, 315, kFrameOrigin)};
const RECT kCommand1Box = TwipsBox(960, 2520, 705, 405);
const RECT kCommand2Box = TwipsBox(2820, 2520, 705, 405);
const RECT kLabel1Box = TwipsBox(60, 3000, 4815, 435);
constexpr OleControlSite::Placement kDice1At = {1320, 120, 735, 735};
constexpr OleControlSite::Placement kDice2At = {2670, 120, 735, 735};
constexpr COLORREF kLabel1Colour = 0x0040C0;
constexpr int kIconSide = 32;

// Before the first change the boxes take the width of a sum; after it,
// more may be typed and the filter cuts it back.
constexpr std::array<int, 3> kFirstMaxLength = {2, 2, 3};
constexpr int kFilteredMaxLength = 8;
constexpr size_t kKeptCharacters = 2;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr wchar_t kCaption[] = L"掷骰";
constexpr wchar_t kInstruction[] = L"两枚骰子掷三次，第一、第二、第三次的点数和分别输入到上面的三个框中。";
constexpr std::array<const wchar_t*, 3> kCastCaptions = {L"首次掷", L"二次掷", L"三次掷"};

constexpr std::wstring_view kDigitsOnly = L"请您输入数字";
constexpr std::wstring_view kIncomplete = L"数据没填全！";
constexpr std::wstring_view kTooSmall = L"不对吧";
constexpr std::wstring_view kNotANumber = L"点数和应当是数字，请重新输入。";
constexpr UINT kNoDiceNotice = WM_APP;
constexpr std::wstring_view kNoDice =
    L"骰子控件 tumbix.ocx 无法加载，请重新安装本程序。"
    L"您仍可用真骰子掷三次，把每次的点数和输入到框中。";

std::wstring_view RefusalMessage(oracle::DiceRefusal refused) {
  switch (refused) {
    case oracle::DiceRefusal::Incomplete:
      return kIncomplete;
    case oracle::DiceRefusal::NotANumber:
      return kNotANumber;
    case oracle::DiceRefusal::TooSmall:
      break;
  }
  return kTooSmall;
}

bool IsSumCharacter(wchar_t c) { return c == L'.' || (c >= L'0' && c <= L'9'); }

// What the focused box reads once this handler has returned: one
// Backspace keystroke.
void QueueBackspace() {
  HWND focused = ::GetFocus();
  if (!focused) return;
  const LPARAM keystroke = 1 | static_cast<LPARAM>(::MapVirtualKeyW(VK_BACK, MAPVK_VK_TO_VSC)) << 16;
  ::PostMessageW(focused, WM_CHAR, VK_BACK, keystroke);
}

}  // namespace

frmSaizi::frmSaizi(HWND owner, oracle::LotView& mainForm, Services& services)
    : owner_(owner), mainForm_(mainForm), services_(services) {}

frmSaizi::~frmSaizi() { DestroyWnd(); }

HICON frmSaizi::ClassIcon() {
  // Shared: the system keeps it for as long as the program runs.
  return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_frmSaizi), IMAGE_ICON,
                                         kIconSide, kIconSide, LR_SHARED));
}

void frmSaizi::Form_Load() {
  if (!CreateCentred(owner_, kCaption, kStyle, kClientWidth, kClientHeight)) return;
  CreateControls();
  LoadDice();
  SetFirstFocus(txts1());
}

// In tab order: the frame, the boxes, the label, Cancel, OK, the casts.
void frmSaizi::CreateControls() {
  font_ = win::CreateScreenFont(win::kChineseUiFont);
  HWND h = hwnd();
  CreateControl(h, L"BUTTON", L"", BS_GROUPBOX, IDC_Frame1, kFrameBox, font_.get());
  for (int i = 0; i < kCasts; ++i) {
    boxes_[i] = CreateControl(h, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, kSumBoxIds[i], kBoxes[i], font_.get(),
                              WS_EX_CLIENTEDGE);
    ::SendMessageW(boxes_[i], EM_SETLIMITTEXT, kFirstMaxLength[i], 0);
  }
  label1_ = CreateControl(h, L"STATIC", kInstruction, SS_LEFT, IDC_Label1, kLabel1Box, font_.get());
  command2_ = CreateControl(h, L"BUTTON", L"取消", WS_TABSTOP | BS_PUSHBUTTON, IDC_Command2, kCommand2Box,
                            font_.get());
  command1_ = CreateControl(h, L"BUTTON", L"确定", WS_TABSTOP | BS_PUSHBUTTON, IDC_Command1, kCommand1Box,
                            font_.get());
  for (int i = 0; i < kCasts; ++i)
    casts_[i] = CreateControl(h, L"BUTTON", kCastCaptions[i], WS_TABSTOP | BS_PUSHBUTTON, kCastButtonIds[i],
                              kCastButtons[i], font_.get());
}

// Without the dice the window still takes sums cast by hand; the user is
// told why the cast buttons are off, and what mends it, once the window
// shows, so the message stands over it.
void frmSaizi::LoadDice() {
  dice1_ = OleControlSite::Create(hwnd(), kDiceProgId, kDice1At, nullptr);
  dice2_ = OleControlSite::Create(hwnd(), kDiceProgId, kDice2At, [this](DISPID id, const DISPPARAMS&) {
    if (id == kDispidEndDice) Dice2_EndDice();
  });
  if (dice1_ && dice2_) return;
  Form_Unload();
  for (HWND cast : casts_) ::EnableWindow(cast, FALSE);
  ::PostMessageW(hwnd(), kNoDiceNotice, 0, 0);
}

LRESULT frmSaizi::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) Form_Unload();
  if (auto handled = HandleDialogMessage(msg, wp)) return *handled;
  switch (msg) {
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      const int code = HIWORD(wp);
      if (code == EN_CHANGE && id >= IDC_txts1 && id <= IDC_Txts3) {
        Txts_Change(boxes_[id - IDC_txts1]);
      } else if (code == BN_CLICKED && id >= IDC_Command3 && id <= IDC_Command5) {
        Cast(static_cast<std::int16_t>(id - IDC_Command3 + 1));
      } else if (code == BN_CLICKED && id == IDC_Command1) {
        Command1_Click();
      } else if (code == BN_CLICKED && id == IDC_Command2) {
        Command2_Click();
      }
      return 0;
    }
    case kNoDiceNotice:
      services_.messages.Show(hwnd(), kNoDice);
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lp) == label1_) return ColouredLabel(reinterpret_cast<HDC>(wp), kLabel1Colour);
      break;
    default:
      break;
  }
  return DefaultProc(msg, wp, lp);
}

// Command3_Click, Command4_Click and Command5_Click. A die still rolling
// goes on rolling; the focus goes where the last press says.
void frmSaizi::Cast(std::int16_t castIndex) {
  if (dice1_) dice1_->InvokeMethod(kDispidRun);
  if (dice2_) dice2_->InvokeMethod(kDispidRun);
  CastIndex_ = castIndex;
}

void frmSaizi::Dice2_EndDice() {
  if (CastIndex_ >= 1 && CastIndex_ <= kCasts) ::SetFocus(boxes_[CastIndex_ - 1]);
}

// txts1_Change, Txts2_Change and Txts3_Change.
void frmSaizi::Txts_Change(HWND box) {
  if (cutting_) return;
  std::wstring text = win::WindowText(box);
  if (text.size() > kKeptCharacters) {
    // The cut text is checked below, once; the caret stays at the end,
    // where the user was typing, so a Backspace removes what was typed.
    text.resize(kKeptCharacters);
    cutting_ = true;
    ::SetWindowTextW(box, text.c_str());
    cutting_ = false;
    ::SendMessageW(box, EM_SETSEL, text.size(), text.size());
  }
  ::SendMessageW(box, EM_SETLIMITTEXT, kFilteredMaxLength, 0);
  for (wchar_t c : text) {
    if (IsSumCharacter(c)) continue;
    services_.messages.Show(hwnd(), kDigitsOnly);
    ::SetFocus(box);
    QueueBackspace();
  }
}

void frmSaizi::Command1_Click() {
  std::array<std::wstring, kCasts> entries;
  for (int i = 0; i < kCasts; ++i) entries[i] = win::WindowText(boxes_[i]);
  const auto result = oracle::LotOfDiceEntries(entries);
  if (const auto* refused = std::get_if<oracle::DiceRefusal>(&result)) {
    services_.messages.Show(hwnd(), RefusalMessage(*refused));
    return;
  }
  oracle::ShowLot(mainForm_, std::get<std::int16_t>(result));
  mainForm_.SetMenuBarVisible(false);
  Unload();
}

void frmSaizi::Command2_Click() { Unload(); }

// The dice go before their window does.
void frmSaizi::Form_Unload() {
  for (auto* dice : {&dice1_, &dice2_}) {
    if (*dice) (*dice)->Close();
    dice->reset();
  }
}

void frmSaizi::Unload() { DestroyWnd(); }

}  // namespace app
