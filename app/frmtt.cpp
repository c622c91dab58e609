#include "frmtt.h"

#include <optional>
#include <string>
#include <vector>

#include "codepage.h"
#include "controls.h"
#include "dao_engine.h"
#include "frmtt_ids.h"
#include "lot_numbers.h"
#include "numbers.h"
#include "module1.h"
#include "ui_font.h"
#include "window_text.h"

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

constexpr std::wstring_view kConnect = L"; pwd= 52804163 ";
constexpr std::wstring_view kInputChinese = L"请输入中文";
constexpr std::wstring_view kIncomplete = L"数据没填全";
constexpr std::wstring_view kStoreUnreadable =
    L"签库无法打开，请确认程序目录中有完好的 veshalib.mdb 文件。";

std::wstring Missing(wchar_t zi) {
  return std::wstring(L"字库中尚无") + L"“" + zi + L"”" + L"字，请通知作者";
}

std::wstring BadStrokeCount(wchar_t zi) {
  return std::wstring(L"字库中“") + zi + L"”字的笔画数无法读取，请通知作者";
}

// The character goes between single quotes with a quote doubled, so no
// typed text can change the query's shape.
std::wstring StrokeQuery(wchar_t zi) {
  const std::wstring literal = zi == L'\'' ? L"''" : std::wstring(1, zi);
  return std::wstring(L"SELECT bh ") + L"FROM hanzi WHERE  Zi=" + L"'" + literal + L"'" +
         L"  ORDER BY clng(bh) ";
}

}  // namespace

frmtt::frmtt(HWND owner, oracle::LotView& mainForm, Services& services)
    : owner_(owner), mainForm_(mainForm), services_(services) {}

frmtt::~frmtt() { DestroyWnd(); }

void frmtt::Form_Load() {
  if (!CreateCentred(owner_, kCaption, kStyle, kClientWidth, kClientHeight)) return;
  font_ = win::CreateScreenFont(kChineseUiFont);
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
  const std::wstring text = win::WindowText(txtZi_);
  if (text.empty()) {
    services_.messages.Show(hwnd(), kIncomplete);
    return;
  }
  auto ws = dao::DBEngine().Workspaces(0);
  std::optional<dao::Database> db;
  if (ws) {
    auto opened = ws.value()->OpenDatabase(services_.appPath + std::wstring(oracle::kStoreFileName),
                                           false, false, kConnect);
    if (opened) db.emplace(std::move(opened).value());
  }
  if (!db) {
    services_.messages.Show(hwnd(), kStoreUnreadable);
    return;
  }

  std::vector<std::uint64_t> strokes;
  const size_t length = text.size();
  for (size_t i = 0; i < length; ++i) {
    const wchar_t zi = text[i];
    auto rs = db->OpenRecordset(StrokeQuery(zi), dao::dbOpenSnapshot);
    if (!rs) {
      services_.messages.Show(hwnd(), BadStrokeCount(zi));
      return;
    }
    if (rs->AtEOF()) {
      services_.messages.Show(hwnd(), Missing(zi));
      return;
    }
    auto field = rs->Fields(L"bh");
    const auto bh = field ? field->AsString() : std::nullopt;
    // A count too long for 64 bits is as unreadable as one with a letter in it.
    const auto count = bh ? num::ParseCount(*bh) : std::nullopt;
    if (!count) {
      services_.messages.Show(hwnd(), BadStrokeCount(zi));
      return;
    }
    strokes.push_back(*count);
    rs->Close();
  }
  ws.value()->Close();

  oracle::ShowLot(mainForm_, oracle::LotOfStrokeCounts(strokes));
  mainForm_.SetMnupopupVisible(false);
  Unload();
}

void frmtt::Command2_Click() { Unload(); }

void frmtt::Unload() { DestroyWnd(); }

}  // namespace app
