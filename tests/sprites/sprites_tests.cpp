// The sprite engine on memory DCs, checked pixel by pixel.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <tuple>

#include "sprites/c_bitmap.h"
#include "sprites/c_sprite.h"
#include "sprites/c_sprite_bitmaps.h"
#include "sprites/c_tile.h"
#include "support/gui.h"
#include "support/memory_surface.h"
#include "support/pixels.h"
#include "support/temp_dir.h"

using namespace sprites;
using namespace testing_support;

namespace {

constexpr SIZE kScreen = {1024, 768};

// A red 10x10 square with a white centre pixel on the transparent colour.
COLORREF Square(int x, int y, COLORREF transparent) {
  if (x < 5 || x >= 15 || y < 5 || y >= 15) return transparent;
  return x == 10 && y == 10 ? kWhite : kRed;
}

// Pictures written into a folder of the test's own, and targets to draw on.
class SpritesTest : public ::testing::Test {
 protected:
  std::wstring Picture(const std::wstring& name, int w, int h, const PixelFn& colour) {
    const std::wstring path = dir.File(name);
    EXPECT_TRUE(WritePicture(path, w, h, colour));
    return path;
  }
  std::wstring SquareOn(COLORREF transparent) {
    return Picture(L"square.bmp", 20, 20, [=](int x, int y) { return Square(x, y, transparent); });
  }
  HDC Fresh(int w, int h, COLORREF fill) {
    MakeTarget(target, w, h, fill);
    return target.hDC();
  }
  COLORREF At(int x, int y) const { return Pixel(target.hDC(), x, y); }

  TempDir dir;
  cBitmap target;
};

// A load that fails frees the bitmap but keeps the last size; one that
// works takes the file's size, wherever the file lives.
TEST_F(SpritesTest, CBitmapLoadsFilesAtTheirSize) {
  cBitmap b;
  ASSERT_TRUE(b.CreateAtSize(5, 7));
  EXPECT_FALSE(b.CreateFromFile(dir.File(L"missing.bmp")));
  EXPECT_EQ(b.hDC(), nullptr);
  EXPECT_EQ(b.Width(), 5);

  ASSERT_TRUE(std::filesystem::create_directory(dir.File(L"签文目录")));
  ASSERT_TRUE(b.CreateFromFile(Picture(L"签文目录\\图.bmp", 30, 20, [](int x, int) { return x < 15 ? kRed : kBlue; })));
  EXPECT_EQ(b.Width(), 30);
  EXPECT_EQ(b.Height(), 20);
  EXPECT_EQ(Pixel(b.hDC(), 14, 3), kRed);
  EXPECT_EQ(Pixel(b.hDC(), 15, 3), kBlue);
}

TEST_F(SpritesTest, CBitmapRendersAtThePlaceGivenAndAnEmptyOneNotAtAll) {
  cBitmap source, empty;
  MakeTarget(source, 4, 4, kRed);
  const HDC dc = Fresh(10, 10, kBlue);
  source.RenderBitmap(dc, 2, 2);
  ASSERT_TRUE(empty.CreateAtSize(0, 0));
  empty.RenderBitmap(dc, 0, 0);
  EXPECT_EQ((std::vector{At(1, 1), At(2, 2), At(5, 5), At(6, 6), At(0, 0)}),
            (std::vector{kBlue, kRed, kRed, kBlue, kBlue}));
}

// Drawn through the work buffer or straight, the transparent colour is
// left out; with white as that colour, every white pixel is.
TEST_F(SpritesTest, ASheetLeavesOutItsTransparentColour) {
  for (COLORREF transparent : {kGreen, kWhite}) {
    cSpriteBitmaps sheet;
    ASSERT_TRUE(sheet.CreateFromFile(SquareOn(transparent), 1, 1, L"", transparent));
    for (bool viaBuffer : {true, false}) {
      sheet.TransparentDraw(Fresh(20, 20, kBlue), 0, 0, 1, viaBuffer);
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
          const COLORREF drawn = Square(x, y, kBlue);
          ASSERT_EQ(At(x, y), transparent == kWhite && drawn == kWhite ? kBlue : drawn) << x << "," << y;
        }
    }
  }
}

// 240 wide, 12 cells of 20 coloured by number; 100 wide, 12 cells of 8 and
// 4 columns left over that no cell draws.
TEST_F(SpritesTest, CellsOfAOneRowSheet) {
  cSpriteBitmaps sheet;
  ASSERT_TRUE(sheet.CreateFromFile(Picture(L"c.bmp", 240, 10, [](int x, int) { return RGB(x / 20 * 20, 100, 50); }),
                                   12, 1, L"", kGreen));
  const HDC dc = Fresh(40, 10, kBlack);
  sheet.TransparentDraw(dc, 0, 0, 12, false);
  sheet.TransparentDraw(dc, 20, 0, 1, false);
  EXPECT_EQ(At(19, 0), RGB(220, 100, 50));
  EXPECT_EQ(At(39, 5), RGB(0, 100, 50));
  for (long outside : {0L, 13L, -1L}) {
    sheet.TransparentDraw(Fresh(40, 10, kBlack), 0, 0, outside, true);
    sheet.TransparentDraw(target.hDC(), 0, 0, outside, false);
    EXPECT_EQ(At(5, 5), kBlack) << "cell " << outside << " draws nothing";
  }

  ASSERT_TRUE(sheet.CreateFromFile(Picture(L"r.bmp", 100, 4, [](int x, int) { return x >= 96 ? kBlue : kRed; }), 12,
                                   1, L"", kGreen));
  for (long cell = 1; cell <= 12; ++cell) {
    sheet.TransparentDraw(Fresh(8, 4, kBlack), 0, 0, cell, false);
    for (int x = 0; x < 8; ++x) ASSERT_NE(At(x, 0), kBlue) << cell;
  }
}

TEST_F(SpritesTest, SheetFailuresAreResultsNotCrashes) {
  cSpriteBitmaps sheet;
  EXPECT_FALSE(sheet.CreateFromFile(dir.File(L"none.bmp"), 1, 1, L"", kGreen));
  const std::wstring good = SquareOn(kGreen);
  EXPECT_FALSE(sheet.CreateFromFile(good, 1, 1, dir.File(L"nomask.bmp"), kGreen));
  EXPECT_FALSE(sheet.CreateFromFile(good, 0, 1, L"", kGreen)) << "no cells";
  sheet.TransparentDraw(Fresh(20, 20, kBlue), 0, 0, 1, true);
  EXPECT_EQ(At(6, 6), kBlue);
}

// A tile of 100 x 100 pixels marked at its top-left corner, drawn on a
// memory surface.
class TileTest : public SpritesTest {
 protected:
  static COLORREF Marked(int x, int y, COLORREF corner) { return x == 0 && y == 0 ? corner : kBlack; }
  std::wstring Marked(const std::wstring& name, COLORREF corner) {
    return Picture(name, 100, 100, [=](int x, int y) { return Marked(x, y, corner); });
  }
  // The copies a tiling makes on the surface, fresh at this size.
  int Copies(const std::function<void()>& tile, SIZE size, COLORREF corner = kRed) {
    MakeTarget(surface.window, size.cx, size.cy, kBlue);
    tile();
    int n = 0;
    for (int y = 0; y < size.cy; y += 100)
      for (int x = 0; x < size.cx; x += 100) n += Pixel(surface.hDC(), x, y) == corner;
    return n;
  }

  MemorySurface surface{400, 400};
  cTile tile;
};

TEST_F(TileTest, TilesRowByRowWithInclusiveBounds) {
  tile.Initialise(surface);
  tile.FileName(Marked(L"t.bmp", kRed));
  for (const auto& [width, height, copies] : {std::tuple{250L, 120L, 6}, std::tuple{200L, 200L, 9},
                                              std::tuple{-1L, 100L, 0}})
    EXPECT_EQ(Copies([&] { tile.TileDC(surface.hDC(), width, height); }, {400, 400}), copies) << width;
}

TEST_F(TileTest, FileNameLoadsOncePerNameAndKeepsOnlyGoodNames) {
  const std::wstring a = Marked(L"a.bmp", kRed);
  tile.FileName(a);
  EXPECT_EQ(tile.FileName(), L"") << "nothing loads before Initialise";
  tile.Initialise(surface);
  tile.FileName(a);
  EXPECT_EQ(tile.FileName(), a);

  Marked(L"a.bmp", kGreen);  // the file changes on disk
  tile.FileName(a);
  const auto tileOne = [&] { tile.TileDC(surface.hDC(), 0, 0); };
  EXPECT_EQ(Copies(tileOne, {100, 100}), 1) << "the same name is not loaded again";
  tile.FileName(dir.File(L"A.BMP"));
  EXPECT_EQ(Copies(tileOne, {100, 100}, kGreen), 1) << "another case is another name";

  tile.FileName(dir.File(L"missing.bmp"));
  EXPECT_EQ(tile.FileName(), dir.File(L"A.BMP")) << "a failed name is not stored";
  EXPECT_EQ(Copies(tileOne, {100, 100}, kGreen), 0) << "an empty picture draws nothing, and returns";
}

// A red 32 x 32 sprite on a blue stage.
class SpriteTest : public SpritesTest {
 protected:
  void SetUp() override {
    sheet = std::make_shared<cSpriteBitmaps>();
    ASSERT_TRUE(sheet->CreateFromFile(Picture(L"s.bmp", 32, 32, [](int, int) { return kRed; }), 1, 1, L"", kGreen));
    sprite.SpriteData(sheet);
    sprite.Create(nullptr);
    MakeTarget(stage, 300, 300, kBlue);
  }
  // Draws at one place, then at the next, as two frames do.
  void Moves(POINT from, POINT to) {
    sprite.TransparentDraw(stage.hDC(), from.x, from.y, 1, false);
    sprite.TransparentDraw(stage.hDC(), to.x, to.y, 1, false);
  }
  // Copies the change to a black screen; whether each point was copied.
  std::vector<bool> Copied(std::initializer_list<POINT> points) {
    sprite.StageToScreen(Fresh(300, 300, kBlack), stage.hDC());
    std::vector<bool> copied;
    for (POINT p : points) copied.push_back(At(p.x, p.y) != kBlack);
    return copied;
  }

  std::shared_ptr<cSpriteBitmaps> sheet;
  cSprite sprite{kScreen};
  cBitmap stage;
};

// Not yet drawn, a sprite was last a screen off, so its first copy to the
// screen is its cell alone.
TEST_F(SpriteTest, StartsAScreenOffAndMovesUnlessItWouldOverflow) {
  EXPECT_EQ(sprite.PreviousX(), -kScreen.cx);
  EXPECT_EQ(sprite.PreviousY(), -kScreen.cy);
  sprite.X(5);
  sprite.XDir(3);
  sprite.YDir(-2);
  EXPECT_TRUE(sprite.IncrementPosition());
  EXPECT_EQ(sprite.X(), 8);
  EXPECT_EQ(sprite.Y(), -2);
  EXPECT_EQ(sprite.PreviousX(), -kScreen.cx) << "moving is not drawing";
  sprite.X(LONG_MAX);
  EXPECT_FALSE(sprite.IncrementPosition());
  EXPECT_EQ(sprite.X(), LONG_MAX);
}

// Restoring puts back only a stored area, and at the place drawn last.
TEST_F(SpriteTest, RestoreGoesToTheDrawnPlaceOnceSomethingIsStored) {
  Moves({10, 10}, {10, 10});
  sprite.RestoreBackground(stage.hDC());
  EXPECT_EQ(Pixel(stage.hDC(), 12, 12), kRed);
  sprite.StoreBackground(stage.hDC(), 200, 200);  // clean blue
  sprite.Create(nullptr);
  sprite.RestoreBackground(stage.hDC());
  EXPECT_EQ(Pixel(stage.hDC(), 12, 12), kRed) << "a new buffer holds nothing stored";

  sprite.StoreBackground(stage.hDC(), 200, 200);
  sprite.TransparentDraw(stage.hDC(), 50, 50, 1, false);
  ASSERT_EQ(Pixel(stage.hDC(), 60, 60), kRed);
  sprite.RestoreBackground(stage.hDC());
  EXPECT_EQ(Pixel(stage.hDC(), 60, 60), kBlue);
}

// Up to 24 pixels in all, one rectangle over both places; beyond, the two
// cells alone.
TEST_F(SpriteTest, TheChangeIsCopiedAsOneRectangleOrTwoCells) {
  Moves({100, 100}, {90, 110});
  EXPECT_FALSE(sprite.BltInTwo());
  // One copy at (90, 100) of 42 x 42.
  EXPECT_EQ(Copied({{90, 100}, {131, 141}, {132, 141}, {89, 100}, {90, 142}}),
            (std::vector<bool>{true, true, false, false, false}));
  Moves({100, 100}, {112, 112});
  EXPECT_FALSE(sprite.BltInTwo());
  Moves({100, 100}, {112, 113});
  EXPECT_TRUE(sprite.BltInTwo());

  Moves({100, 100}, {100, 140});
  EXPECT_TRUE(sprite.BltInTwo());
  EXPECT_EQ(Copied({{100, 100}, {131, 131}, {110, 135}, {131, 171}, {132, 150}}),
            (std::vector<bool>{true, true, false, true, false}))
      << "the gap between the two places stays";
}

TEST_F(SpritesTest, RecreatingAndDrawingLeaveNoObjects) {
  const std::wstring path = Picture(L"s.bmp", 48, 16, [](int x, int) { return x % 16 < 8 ? kRed : kGreen; });
  const HDC stage = Fresh(200, 200, kBlue);
  const auto once = [&] {
    cBitmap b;
    b.CreateAtSize(30, 30);
    b.CreateFromFile(path);
    auto sheet = std::make_shared<cSpriteBitmaps>();
    for (int again = 0; again < 2; ++again) sheet->CreateFromFile(path, 3, 1, L"", kGreen);
    cSprite s(kScreen);
    s.SpriteData(sheet);
    for (int again = 0; again < 2; ++again) s.Create(nullptr);
    s.StoreBackground(stage, 10, 10);
    s.TransparentDraw(stage, 10, 10, 2, true);
    s.RestoreBackground(stage);
  };
  once();
  const auto before = GuiObjects::Now();
  for (int i = 0; i < 1000; ++i) once();
  EXPECT_EQ(GuiObjects::Now().gdi, before.gdi);
}

}  // namespace
