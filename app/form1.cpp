#include "app/form1.h"

#include <windowsx.h>
#include <commctrl.h>

#include "app/form1_ids.h"
#include "app/message_pump.h"
#include "app/ui_font.h"
#include "common/twips.h"
#include "common/window_text.h"
#include "oracle/lot_numbers.h"
#include "oracle/show_lot.h"

namespace app {
namespace {

using namespace form1;

// Window geometry at start-up, in twips.
constexpr int kFormHeight = 9120;
constexpr int kFormLeft = -60;
constexpr int kFormTop = -60;
constexpr int kFormWidth = 12120;
// The text view reaches a little below the client area, hiding its border.
constexpr int kMaintxtExtraHeight = 20;

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr DWORD kMaintxtStyle =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;

constexpr WPARAM kKeyP = 'P';
// Shift state bits of a key event.
constexpr int vbShiftMask = 1;
constexpr int vbCtrlMask = 2;
constexpr int vbAltMask = 4;

constexpr UINT_PTR kMaintxtSubclassId = 1;
// WM_CONTEXTMENU's position when the keyboard asked for the menu.
constexpr LPARAM kFromKeyboard = -1;
constexpr auto kSplashTime = std::chrono::seconds(1);
constexpr std::wstring_view kNothingToPrint = L"没有可打印的内容";

win::unique_hmenu BuildMenuBar() {
  win::unique_hmenu bar(::CreateMenu());
  HMENU popup = ::CreatePopupMenu();
  for (const MenuItem& item : kMnupopupItems) {
    if (item.id == 0)
      ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    else
      ::AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(item.id), item.caption);
  }
  // The bar owns the popup from here on and destroys it with itself.
  ::AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup), kMnupopupCaption);
  return bar;
}

int ShiftState(KeyState& keys) {
  int shift = 0;
  if (keys.Held(VK_SHIFT)) shift |= vbShiftMask;
  if (keys.Held(VK_CONTROL)) shift |= vbCtrlMask;
  if (keys.Held(VK_MENU)) shift |= vbAltMask;
  return shift;
}

RECT WindowRect(HWND h) {
  RECT r{};
  ::GetWindowRect(h, &r);
  return r;
}

struct Bounds {
  int left, top, width, height;
};

// Changes some of a top-level window's outer bounds, keeping the others.
template <class Change>
void ChangeBounds(HWND h, Change change) {
  const RECT r = WindowRect(h);
  Bounds b{r.left, r.top, r.right - r.left, r.bottom - r.top};
  change(b);
  ::SetWindowPos(h, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

Form1::Form1(Services& services)
    : services_(services),
      txtother_(services.textPrinter),
      dlgCommonDialog1_(services.printer),
      pacer_(services.clock),
      board_(services.random, services.keys) {}

Form1::~Form1() { DestroyWnd(); }

bool Form1::Create() {
  if (!CreateWnd(0, L"", kFormStyle, 0, 0, 0, 0)) return false;
  dlgCommonDialog1_.SetOwner(hwnd());
  return true;
}

void Form1::CreateControls() {
  menuBar_ = BuildMenuBar();
  maintxt_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", kMaintxtStyle, 0, 0, 0, 0, hwnd(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_maintxt)),
                               ::GetModuleHandleW(nullptr), nullptr);
  maintxtFont_ = win::CreateScreenFont(kReadingFont);
  ::SendMessageW(maintxt_, WM_SETFONT, reinterpret_cast<WPARAM>(maintxtFont_.get()), FALSE);
  // An edit control's default limit is 32K characters; a lot text has no limit.
  ::SendMessageW(maintxt_, EM_SETLIMITTEXT, 0, 0);
  ::SetWindowSubclass(maintxt_, &Form1::MaintxtProc, kMaintxtSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
  txtother_.Create(hwnd(), IDC_txtother, win::kChineseUiFont);
}

void Form1::Form_Load() {
  HWND h = hwnd();
  // Height, Left, Top, Width, one at a time, each size change resizing.
  ChangeBounds(h, [](Bounds& b) { b.height = win::TwipsToPixelsY(kFormHeight); });
  ChangeBounds(h, [](Bounds& b) { b.left = win::TwipsToPixelsX(kFormLeft); });
  ChangeBounds(h, [](Bounds& b) { b.top = win::TwipsToPixelsY(kFormTop); });
  ChangeBounds(h, [](Bounds& b) { b.width = win::TwipsToPixelsX(kFormWidth); });

  services_.random.Randomize();

  ::MoveWindow(maintxt_, 0, 0, win::TwipsToPixelsX(ScaleWidth()),
               win::TwipsToPixelsY(ScaleHeight() + kMaintxtExtraHeight), TRUE);
  txtother_.SetVisible(false);
  SetTextVisible(false);

  ShowSplash();
  // The window may have been closed while the splash was up.
  if (!hwnd()) return;
  board_.SetUp(services_.appPath, *this, services_.screen.SizeInPixels());

  ::ShowWindow(h, SW_SHOW);
  ::UpdateWindow(h);
  ToggleShuffle();
}

LRESULT Form1::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      CreateControls();
      return 0;
    case WM_SIZE:
      Form_Resize();
      return 0;
    case WM_ERASEBKGND:
      if (!board_.IsSetUp()) break;
      return 1;  // the stage covers everything
    case WM_PAINT:
      Form_Paint();
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      Form_MouseUp({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case WM_CONTEXTMENU:
      if (Form_ContextMenu(lp)) return 0;
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      // The Application key opens the menu when it is released. Wine's
      // default handling ignores the key and Windows' would ask for the
      // menu again, so it never gets there.
      if (wp != VK_APPS) break;
      if (msg == WM_KEYUP) Form_ContextMenu(kFromKeyboard);
      return 0;
    case WM_COMMAND:
      if (lp == 0 && OnCommand(LOWORD(wp))) return 0;
      break;
    case WM_CLOSE:
      Unload();
      return 0;
    case WM_DESTROY:
      // A window destroys the menu it carries; the bar is ours to free.
      ::SetMenu(hwnd(), nullptr);
      return 0;
    default:
      break;
  }
  return DefaultProc(msg, wp, lp);
}

bool Form1::OnCommand(int id) {
  switch (id) {
    case IDM_mnuBEGin:
      mnuBEGin_Click();
      return true;
    case IDM_fdfdfdf:
      fdfdfdf_Click();
      return true;
    case IDM_MNUCeZi:
      MNUCeZi_Click();
      return true;
    case IDM_MnuZhSAI:
      MnuZhSAI_Click();
      return true;
    case IDM_MnuSUO:
      MnuSUO_Click();
      return true;
    case IDM_mnUabout:
      mnUabout_Click();
      return true;
    case IDM_MnuTuiCH:
      MnuTuiCH_Click();
      return true;
    default:
      return false;
  }
}

int Form1::ScaleWidth() const {
  RECT r{};
  ::GetClientRect(hwnd(), &r);
  return win::PixelsToTwipsX(r.right);
}

int Form1::ScaleHeight() const {
  RECT r{};
  ::GetClientRect(hwnd(), &r);
  return win::PixelsToTwipsY(r.bottom);
}

// The board's stage is its picture: what a repaint asks for comes from
// there, so a board uncovered by the text view shows at once.
void Form1::Form_Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd(), &ps);
  board_.ShowStage(dc, ps.rcPaint);
  ::EndPaint(hwnd(), &ps);
}

void Form1::Form_Resize() {
  if (!maintxt_) return;
  const RECT r = WindowRect(maintxt_);
  ::MoveWindow(maintxt_, 0, 0, win::TwipsToPixelsX(ScaleWidth()), r.bottom - r.top, TRUE);
}

void Form1::Form_MouseUp(POINT clientPoint) { OpenMnupopup(clientPoint); }

// Shift+F10 and the Application key ask with no position: the menu opens
// at the board's centre. A position from elsewhere (a pen, a touch) opens
// it there when it lies on the board; the frame keeps its system menu.
bool Form1::Form_ContextMenu(LPARAM at) {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  if (at == kFromKeyboard) {
    OpenMnupopup({client.right / 2, client.bottom / 2});
    return true;
  }
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  ::ScreenToClient(hwnd(), &point);
  if (!::PtInRect(&client, point)) return false;
  OpenMnupopup(point);
  return true;
}

void Form1::OpenMnupopup(POINT clientPoint) {
  POINT screen = clientPoint;
  ::ClientToScreen(hwnd(), &screen);
  ::TrackPopupMenu(mnupopup(), TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, hwnd(), nullptr);
}

void Form1::Form_QueryUnload() {
  if (m_bShuffling_) ToggleShuffle();
}

// The secondary windows, in the order they are unloaded.
void Form1::Form_Unload() {
  frmAbout_.Unload();
  frmSaizi_.Unload();
  frmsplash_.Unload();
  frmsuom_.Unload();
  frmtt_.Unload();
}

void Form1::Unload() {
  if (!hwnd()) return;
  Form_QueryUnload();
  Form_Unload();
  DestroyWnd();
}

void Form1::maintxt_DblClick() { SetTextVisible(false); }

void Form1::maintxt_KeyDown(WPARAM keyCode, int shift) {
  if (keyCode != kKeyP || !(shift & vbCtrlMask)) return;
  const std::wstring text = win::WindowText(maintxt_);
  if (text.empty()) {
    services_.messages.Show(hwnd(), kNothingToPrint);
    return;
  }
  txtother_.SetText(text);
  printing::PrintRichText(*this, txtother_);
}

void Form1::mnuBEGin_Click() {
  SetMenuBarVisible(false);
  SetTextVisible(false);
}

void Form1::fdfdfdf_Click() {
  services_.random.Randomize();
  const std::int16_t lot = oracle::LotOfDraw(services_.random.Rnd());
  oracle::ShowLot(*this, lot);
}

void Form1::MNUCeZi_Click() { frmtt_.Show(hwnd(), *this, services_); }
void Form1::MnuZhSAI_Click() { frmSaizi_.Show(hwnd(), *this, services_); }

void Form1::MnuSUO_Click() { frmsuom_.Show(hwnd()); }

void Form1::mnUabout_Click() { frmAbout_.Show(hwnd(), services_); }

void Form1::MnuTuiCH_Click() { Unload(); }

// About a second, answering events meanwhile; the clock is monotonic, so
// midnight or a clock change cannot stretch or cut the wait.
void Form1::ShowSplash() {
  frmsplash_.Show(hwnd());
  FrameClock& clock = services_.clock;
  const auto start = clock.Now();
  for (auto now = start; now - start < kSplashTime; now = clock.Now()) {
    DoEvents();
    clock.WaitForEvents(kSplashTime - (now - start));
  }
  DoEvents();
  frmsplash_.Unload();
}

void Form1::ToggleShuffle() {
  bRunning_ = !bRunning_;
  HDC dc = hDC();
  board_.Start(PixelExtent(*this));
  if (bRunning_) board_.ShowStage(dc);
  m_bShuffling_ = bRunning_;
  // The window may go while the loop waits in its event processing.
  const auto running = [this] { return bRunning_ && hwnd() != nullptr; };
  while (running()) {
    board_.Frame(dc);
    pacer_.ProcessEventsUntilNextFrame(&DoEvents, running);
  }
}

void Form1::SetTextVisible(bool visible) { ::ShowWindow(maintxt_, visible ? SW_SHOW : SW_HIDE); }

void Form1::SetText(std::wstring_view text) {
  const std::wstring copy(text);
  ::SetWindowTextW(maintxt_, copy.c_str());
}

void Form1::SetMenuBarVisible(bool visible) {
  HMENU wanted = visible ? menuBar_.get() : nullptr;
  // Re-attaching the same menu would still recompute and redraw the frame.
  if (::GetMenu(hwnd()) != wanted) ::SetMenu(hwnd(), wanted);
}

LRESULT CALLBACK Form1::MaintxtProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                    DWORD_PTR self) {
  auto* form = reinterpret_cast<Form1*>(self);
  switch (msg) {
    case WM_LBUTTONDBLCLK:
      form->maintxt_DblClick();
      break;
    case WM_KEYDOWN:
      // The key goes on to the text box whatever the handler did.
      form->maintxt_KeyDown(wp, ShiftState(form->services_.keys));
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(h, &Form1::MaintxtProc, kMaintxtSubclassId);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(h, msg, wp, lp);
}

}  // namespace app
