#pragma once
// The main window's board: the tiled stage, the ship and 56 asteroids, set
// up once at start-up and stepped one frame at a time by the board loop.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/key_state.h"
#include "app/random_source.h"
#include "sprites/c_bitmap.h"
#include "sprites/c_sprite.h"
#include "sprites/c_sprite_bitmaps.h"
#include "sprites/c_tile.h"
#include "sprites/render_object.h"

namespace app {

inline constexpr COLORREF kTransparentGreen = 0x0000FF00;
inline constexpr long kShipCells = 12;
inline constexpr int kLargeAsteroids = 8;
inline constexpr int kMediumAsteroids = 16;
inline constexpr int kSmallAsteroids = 32;

// A surface's extent in pixels: its size in twips divided, truncating, by
// the display's twips per pixel.
SIZE PixelExtent(const sprites::RenderObject& surface);

// The wrap rule of one axis: a sprite that has left the extent on the side
// it moves to comes back one sprite size beyond the other side.
long Wrapped(long pos, long dir, long size, long extent);

class Board {
 public:
  Board(RandomSource& random, KeyState& keys) : random_(random), keys_(keys) {}
  Board(const Board&) = delete;
  Board& operator=(const Board&) = delete;

  // Loads the art from the program directory; whatever is missing is simply
  // not drawn. The stage is the screen's size, so no resize of the window
  // ever needs a new one.
  void SetUp(const std::wstring& appPath, sprites::RenderObject& form, SIZE screen);
  bool IsSetUp() const { return m_cStage != nullptr; }

  // At each start of the loop: the window's extent for this run, the ship
  // centred on it at its first heading.
  void Start(SIZE windowExtent);
  // Erase, move with wrap, keys, store, draw, present.
  void Frame(HDC window);

  // The stage onto a window: all of it when the loop starts, or the area a
  // repaint asks for.
  void ShowStage(HDC window) const;
  void ShowStage(HDC window, const RECT& area) const;

  // What there is to look at; only once set up.
  const sprites::cSprite& Ship() const { return *m_cShip; }
  const std::vector<std::unique_ptr<sprites::cSprite>>& Asteroids() const { return m_cAsteroids; }
  const sprites::cBitmap& Stage() const { return *m_cStage; }

 private:
  std::unique_ptr<sprites::cTile> m_cTile;
  std::shared_ptr<sprites::cSpriteBitmaps> m_cShipSheet;
  std::unique_ptr<sprites::cSprite> m_cShip;
  std::shared_ptr<sprites::cSpriteBitmaps> m_cLargeSheet;
  std::shared_ptr<sprites::cSpriteBitmaps> m_cMedSheet;
  std::shared_ptr<sprites::cSpriteBitmaps> m_cSmallSheet;
  std::vector<std::unique_ptr<sprites::cSprite>> m_cAsteroids;
  std::unique_ptr<sprites::cBitmap> m_cStage;

  static void LoadSheet(std::shared_ptr<sprites::cSpriteBitmaps>& sheet, const std::wstring& path,
                        long across, long down, COLORREF transparent);
  void NewSprite(const std::shared_ptr<sprites::cSpriteBitmaps>& sheet,
                 std::unique_ptr<sprites::cSprite>& sprite);
  void ScatterSprite(sprites::cSprite& sprite);
  void AddAsteroids(std::shared_ptr<sprites::cSpriteBitmaps>& sheet, const std::wstring& path,
                    int count);
  void SteerShipByKeys();
  long Round(double value) const;

  RandomSource& random_;
  KeyState& keys_;
  sprites::RenderObject* form_ = nullptr;
  HDC formDC_ = nullptr;
  SIZE screen_{};
  SIZE extent_{};
  bool bSpaceHeld_ = false;
};

}  // namespace app
