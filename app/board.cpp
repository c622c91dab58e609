#include "app/board.h"

#include "common/numbers.h"
#include "common/twips.h"

namespace app {
namespace {

constexpr wchar_t kTileFile[] = L"\\bck_001.bmp";
constexpr wchar_t kShipFile[] = L"\\m_sh.bmp";
constexpr wchar_t kLargeFile[] = L"\\a_large.bmp";
constexpr wchar_t kMediumFile[] = L"\\a_med.bmp";
constexpr wchar_t kSmallFile[] = L"\\a_small.bmp";

// Direction components: (r x 8 - 4) x 2, so -8 to 8 pixels a frame.
constexpr double kDirSpan = 8;
constexpr double kDirShift = 4;
constexpr double kDirScale = 2;

constexpr int kKeyLeft = VK_LEFT;    // 37
constexpr int kKeyRight = VK_RIGHT;  // 39
constexpr int kKeySpace = VK_SPACE;  // 32

}  // namespace

long Wrapped(long pos, long dir, long size, long extent) {
  if (dir < 0 && pos < -size) return extent + size;
  if (dir >= 0 && pos > extent) return -size;
  return pos;
}

SIZE PixelExtent(const sprites::RenderObject& surface) {
  const win::TwipsPerPixel tpp = win::ScreenTwipsPerPixel();
  return {surface.ScaleWidth() / tpp.x, surface.ScaleHeight() / tpp.y};
}

long Board::Round(double value) const { return num::ToLong(value).value_or(0); }

void Board::LoadSheet(std::shared_ptr<sprites::cSpriteBitmaps>& sheet, const std::wstring& path,
                      long across, long down, COLORREF transparent) {
  sheet = std::make_shared<sprites::cSpriteBitmaps>();
  // A missing file leaves an empty sheet, whose sprites draw nothing.
  sheet->CreateFromFile(path, across, down, L"", transparent);
}

void Board::NewSprite(const std::shared_ptr<sprites::cSpriteBitmaps>& sheet,
                      std::unique_ptr<sprites::cSprite>& sprite) {
  sprite = std::make_unique<sprites::cSprite>(screen_);
  sprite->SpriteData(sheet);
  sprite->Create(formDC_);
}

void Board::ScatterSprite(sprites::cSprite& sprite) {
  while (sprite.XDir() == 0 && sprite.YDir() == 0) {
    sprite.XDir(Round((random_.Rnd() * kDirSpan - kDirShift) * kDirScale));
    sprite.YDir(Round((random_.Rnd() * kDirSpan - kDirShift) * kDirScale));
  }
  const SIZE extent = PixelExtent(*form_);
  sprite.X(Round(random_.Rnd() * (extent.cx / 2)));
  sprite.Y(Round(random_.Rnd() * (extent.cy / 2)));
  sprite.Active(true);
}

void Board::AddAsteroids(std::shared_ptr<sprites::cSpriteBitmaps>& sheet, const std::wstring& path,
                         int count) {
  LoadSheet(sheet, path, 1, 1, kTransparentGreen);
  for (int i = 0; i < count; ++i) {
    m_cAsteroids.emplace_back();
    NewSprite(sheet, m_cAsteroids.back());
    ScatterSprite(*m_cAsteroids.back());
  }
}

void Board::SetUp(const std::wstring& appPath, sprites::RenderObject& form, SIZE screen) {
  form_ = &form;
  screen_ = screen;
  formDC_ = form.hDC();
  m_cTile = std::make_unique<sprites::cTile>();
  m_cTile->Initialise(form);
  m_cTile->FileName(appPath + kTileFile);
  LoadSheet(m_cShipSheet, appPath + kShipFile, kShipCells, 1, kTransparentGreen);
  NewSprite(m_cShipSheet, m_cShip);
  AddAsteroids(m_cLargeSheet, appPath + kLargeFile, kLargeAsteroids);
  AddAsteroids(m_cMedSheet, appPath + kMediumFile, kMediumAsteroids);
  AddAsteroids(m_cSmallSheet, appPath + kSmallFile, kSmallAsteroids);

  m_cStage = std::make_unique<sprites::cBitmap>();
  m_cStage->CreateAtSize(screen.cx, screen.cy);
  m_cTile->TileDC(m_cStage->hDC(), screen.cx, screen.cy);
}

void Board::Start(SIZE windowExtent) {
  extent_ = windowExtent;
  if (m_cShip) {
    m_cShip->X((extent_.cx - m_cShip->Width()) / 2);
    m_cShip->Y((extent_.cy - m_cShip->Height()) / 2);
    m_cShip->Cell(1);
  }
  bSpaceHeld_ = false;
}

void Board::ShowStage(HDC window) const {
  if (IsSetUp()) m_cStage->RenderBitmap(window, 0, 0, SRCCOPY);
}

void Board::ShowStage(HDC window, const RECT& area) const {
  if (!IsSetUp()) return;
  ::BitBlt(window, area.left, area.top, area.right - area.left, area.bottom - area.top, m_cStage->hDC(), area.left,
           area.top, SRCCOPY);
}

// Left and Right turn the ship a heading a frame; space jumps once a press.
void Board::SteerShipByKeys() {
  if (keys_.Pressed(kKeyLeft)) {
    m_cShip->Cell(m_cShip->Cell() >= kShipCells ? 1 : m_cShip->Cell() + 1);
  } else if (keys_.Pressed(kKeyRight)) {
    m_cShip->Cell(m_cShip->Cell() <= 1 ? kShipCells : m_cShip->Cell() - 1);
  }
  if (!keys_.Pressed(kKeySpace)) {
    bSpaceHeld_ = false;
  } else if (!bSpaceHeld_) {
    bSpaceHeld_ = true;
    m_cShip->X(Round(random_.Rnd() * extent_.cx));
    m_cShip->Y(Round(random_.Rnd() * extent_.cy));
  }
}

void Board::Frame(HDC window) {
  if (!IsSetUp()) return;
  HDC stage = m_cStage->hDC();
  // Every background is saved after all are erased and before any is
  // drawn, so each saved area is clean stage.
  for (auto& a : m_cAsteroids)
    if (a->Active()) a->RestoreBackground(stage);
  m_cShip->RestoreBackground(stage);

  for (auto& a : m_cAsteroids) {
    if (!a->Active()) continue;
    a->IncrementPosition();
    a->X(Wrapped(a->X(), a->XDir(), a->Width(), extent_.cx));
    a->Y(Wrapped(a->Y(), a->YDir(), a->Height(), extent_.cy));
    a->StoreBackground(stage, a->X(), a->Y());
  }
  SteerShipByKeys();
  m_cShip->StoreBackground(stage, m_cShip->X(), m_cShip->Y());

  // The ship over the asteroids, smaller asteroids over larger ones.
  for (auto& a : m_cAsteroids)
    if (a->Active()) a->TransparentDraw(stage, a->X(), a->Y(), 1, false);
  m_cShip->TransparentDraw(stage, m_cShip->X(), m_cShip->Y(), m_cShip->Cell(), false);

  for (auto& a : m_cAsteroids)
    if (a->Active()) a->StageToScreen(window, stage);
  m_cShip->StageToScreen(window, stage);
}

}  // namespace app
