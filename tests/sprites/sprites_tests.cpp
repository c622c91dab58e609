// The sprite engine on memory DCs, checked pixel by pixel.
#include <gtest/gtest.h>

#include <memory>

#include "common/twips.h"
#include "sprites/c_bitmap.h"
#include "sprites/c_sprite.h"
#include "sprites/c_sprite_bitmaps.h"
#include "sprites/c_tile.h"
#include "sprites/m_gdi.h"
#include "support/gui.h"
#include "support/pixels.h"
#include "support/temp_dir.h"

using namespace sprites;
using namespace testing_support;

namespace {

// A red 10x10 square with a white centre pixel on the transparent colour.
COLORREF Square(int x, int y, COLORREF transparent) {
  if (x < 5 || x >= 15 || y < 5 || y >= 15) return transparent;
  return x == 10 && y == 10 ? kWhite : kRed;
}

TEST(BitmapDC, ColourOrMonochrome) {
  BitmapDC colour, mono;
  ASSERT_TRUE(mGDI::CreateBitmapDC(false, colour, 8, 4));
  ASSERT_TRUE(mGDI::CreateBitmapDC(true, mono, 8, 4));
  BITMAP c{}, m{};
  ::GetObjectW(colour.bitmap(), sizeof c, &c);
  ::GetObjectW(mono.bitmap(), sizeof m, &m);
  EXPECT_GT(c.bmBitsPixel, 1);
  EXPECT_EQ(m.bmBitsPixel, 1);
  EXPECT_EQ(::GetCurrentObject(colour.dc(), OBJ_BITMAP), colour.bitmap());
}

TEST(CBitmap, AFailedLoadEmptiesItButKeepsTheSize) {
  TempDir dir;
  cBitmap b;
  EXPECT_FALSE(b.CreateFromFile(dir.File(L"missing.bmp")));
  EXPECT_EQ(b.hDC(), nullptr);
  EXPECT_EQ(b.Width(), 0);
  ASSERT_TRUE(b.CreateAtSize(5, 7));
  EXPECT_FALSE(b.CreateFromFile(dir.File(L"missing.bmp")));
  EXPECT_EQ(b.hDC(), nullptr);
  EXPECT_EQ(b.Width(), 5);
  EXPECT_EQ(b.Height(), 7);
}

TEST(CBitmap, LoadsAFileAtItsSizeEvenFromAChinesePath) {
  TempDir dir;
  const std::wstring folder = dir.File(L"签文目录");
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  const std::wstring file = folder + L"\\图.bmp";
  ASSERT_TRUE(WritePicture(file, 30, 20, [](int x, int) { return x < 15 ? kRed : kBlue; }));
  cBitmap b;
  ASSERT_TRUE(b.CreateFromFile(file));
  EXPECT_EQ(b.Width(), 30);
  EXPECT_EQ(b.Height(), 20);
  EXPECT_EQ(Pixel(b.hDC(), 14, 3), kRed);
  EXPECT_EQ(Pixel(b.hDC(), 15, 3), kBlue);
}

TEST(CBitmap, RendersWithTheRasterOperationGiven) {
  cBitmap source, target;
  MakeTarget(source, 4, 4, RGB(0x10, 0x20, 0x40));
  MakeTarget(target, 10, 10, RGB(0x01, 0x02, 0x04));
  source.RenderBitmap(target.hDC(), 2, 2, SRCPAINT);
  EXPECT_EQ(Pixel(target.hDC(), 2, 2), RGB(0x11, 0x22, 0x44));
  EXPECT_EQ(Pixel(target.hDC(), 6, 6), RGB(0x01, 0x02, 0x04));
  source.RenderBitmap(target.hDC(), 2, 2);
  EXPECT_EQ(Pixel(target.hDC(), 5, 5), RGB(0x10, 0x20, 0x40));

  cBitmap empty;
  ASSERT_TRUE(empty.CreateAtSize(0, 0));
  EXPECT_EQ(empty.Width(), 0);
  empty.RenderBitmap(target.hDC(), 0, 0);
  EXPECT_EQ(Pixel(target.hDC(), 0, 0), RGB(0x01, 0x02, 0x04));
}

TEST(CBitmap, CopiesAPictureWithoutTouchingIt) {
  auto picture = MakePicture(6, 3, [](int x, int) { return x % 2 ? kRed : kBlue; });
  ASSERT_TRUE(picture);
  cBitmap b;
  ASSERT_TRUE(b.CreateFromPicture(picture.get()));
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(b.Height(), 3);
  EXPECT_EQ(Pixel(b.hDC(), 1, 1), kRed);
  EXPECT_EQ(Pixel(b.hDC(), 2, 1), kBlue);
  // The picture's bitmap lives on unchanged, selectable again.
  OLE_HANDLE handle = 0;
  picture->get_Handle(&handle);
  auto* own = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
  BITMAP info{};
  EXPECT_TRUE(::GetObjectW(own, sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 6);
  cBitmap again;
  EXPECT_TRUE(again.CreateFromPicture(picture.get()));
  EXPECT_FALSE(again.CreateFromPicture(nullptr));
}

class SheetTest : public ::testing::Test {
 protected:
  std::wstring Picture(const std::wstring& name, int w, int h, const PixelFn& colour) {
    const std::wstring path = dir.File(name);
    EXPECT_TRUE(WritePicture(path, w, h, colour));
    return path;
  }
  TempDir dir;
};

TEST_F(SheetTest, GreenBecomesWhiteAndIsLeftOutWhenDrawn) {
  cSpriteBitmaps sheet;
  ASSERT_TRUE(sheet.CreateFromFile(
      Picture(L"g.bmp", 20, 20, [](int x, int y) { return Square(x, y, kGreen); }), 1, 1, L"", kGreen));
  cBitmap direct, viaBuffer, straight;
  MakeTarget(direct, 20, 20, kBlue);
  MakeTarget(viaBuffer, 20, 20, kBlue);
  MakeTarget(straight, 20, 20, kBlue);
  sheet.DirectBltSprite(direct.hDC(), 0, 0, 1);
  EXPECT_EQ(Pixel(direct.hDC(), 0, 0), kWhite) << "transparent pixels arrive white";
  EXPECT_EQ(Pixel(direct.hDC(), 6, 6), kRed);

  sheet.TransparentDraw(viaBuffer.hDC(), 0, 0, 1, true);
  sheet.TransparentDraw(straight.hDC(), 0, 0, 1, false);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const COLORREF expected = Square(x, y, kBlue);
      ASSERT_EQ(Pixel(viaBuffer.hDC(), x, y), expected) << x << "," << y;
      ASSERT_EQ(Pixel(straight.hDC(), x, y), expected) << x << "," << y;
    }
}

TEST_F(SheetTest, WhiteAsTheTransparentColour) {
  cSpriteBitmaps sheet;
  ASSERT_TRUE(sheet.CreateFromFile(
      Picture(L"w.bmp", 20, 20, [](int x, int y) { return Square(x, y, kWhite); }), 1, 1));
  cBitmap target;
  MakeTarget(target, 20, 20, kBlue);
  sheet.TransparentDraw(target.hDC(), 0, 0, 1, true);
  EXPECT_EQ(Pixel(target.hDC(), 0, 0), kBlue);
  EXPECT_EQ(Pixel(target.hDC(), 10, 10), kBlue) << "every white pixel is transparent";
  EXPECT_EQ(Pixel(target.hDC(), 6, 6), kRed);
}

TEST_F(SheetTest, CellsOfAOneRowSheet) {
  // 240 wide, 12 cells: cell n is coloured by its number.
  const auto shade = [](int x, int) { return RGB(x / 20 * 20, 100, 50); };
  cSpriteBitmaps sheet;
  ASSERT_TRUE(sheet.CreateFromFile(Picture(L"c.bmp", 240, 10, shade), 12, 1, L"", kGreen));
  EXPECT_EQ(sheet.CellWidth(), 20);
  EXPECT_EQ(sheet.CellHeight(), 10);
  cBitmap target;
  MakeTarget(target, 40, 10, kBlack);
  sheet.DirectBltSprite(target.hDC(), 0, 0, 12);
  EXPECT_EQ(Pixel(target.hDC(), 0, 0), RGB(220, 100, 50));
  EXPECT_EQ(Pixel(target.hDC(), 20, 0), kBlack) << "one cell wide";
  sheet.TransparentDraw(target.hDC(), 20, 0, 1, false);
  EXPECT_EQ(Pixel(target.hDC(), 39, 5), RGB(0, 100, 50));

  for (long outside : {0L, 13L, -1L}) {
    MakeTarget(target, 40, 10, kBlack);
    sheet.TransparentDraw(target.hDC(), 0, 0, outside, true);
    sheet.DirectBltSprite(target.hDC(), 0, 0, outside);
    EXPECT_EQ(Pixel(target.hDC(), 5, 5), kBlack) << "cell " << outside << " draws nothing";
  }
}

TEST_F(SheetTest, RemainderColumnsAreNeverDrawn) {
  const auto edge = [](int x, int) { return x >= 96 ? kBlue : kRed; };
  cSpriteBitmaps sheet;
  ASSERT_TRUE(sheet.CreateFromFile(Picture(L"r.bmp", 100, 4, edge), 12, 1, L"", kGreen));
  EXPECT_EQ(sheet.CellWidth(), 8);
  cBitmap target;
  MakeTarget(target, 8, 4, kBlack);
  for (long cell = 1; cell <= 12; ++cell) {
    sheet.DirectBltSprite(target.hDC(), 0, 0, cell);
    for (int x = 0; x < 8; ++x) ASSERT_NE(Pixel(target.hDC(), x, 0), kBlue) << cell;
  }
}

TEST_F(SheetTest, FailuresAreResultsNotCrashes) {
  cSpriteBitmaps sheet;
  EXPECT_FALSE(sheet.CreateFromFile(dir.File(L"none.bmp"), 1, 1, L"", kGreen));
  const std::wstring good = Picture(L"ok.bmp", 20, 20, [](int x, int y) { return Square(x, y, kGreen); });
  EXPECT_FALSE(sheet.CreateFromFile(good, 1, 1, dir.File(L"nomask.bmp"), kGreen));
  EXPECT_FALSE(sheet.CreateFromFile(good, 0, 1, L"", kGreen)) << "no cells";
  cBitmap target;
  MakeTarget(target, 20, 20, kBlue);
  sheet.TransparentDraw(target.hDC(), 0, 0, 1, true);
  EXPECT_EQ(Pixel(target.hDC(), 6, 6), kBlue);
  EXPECT_FALSE(sheet.CreateFromPicture(nullptr, 1, 1));
}

TEST_F(SheetTest, FromPicturesWithAMaskOfTheirOwn) {
  auto pic = MakePicture(20, 20, [](int x, int y) { return Square(x, y, kWhite); });
  auto mask = MakePicture(20, 20, [](int x, int y) { return Square(x, y, kBlack) == kBlack ? kBlack : kWhite; });
  cSpriteBitmaps sheet;
  ASSERT_TRUE(sheet.CreateFromPicture(pic.get(), 1, 1, mask.get()));
  cBitmap target;
  MakeTarget(target, 20, 20, kBlue);
  sheet.TransparentDraw(target.hDC(), 0, 0, 1, true);
  EXPECT_EQ(Pixel(target.hDC(), 1, 1), kBlue);
  EXPECT_EQ(Pixel(target.hDC(), 10, 10), kWhite) << "the mask, not the colour, decides";
}

class TileTest : public ::testing::Test {
 protected:
  class Surface final : public RenderObject {
   public:
    explicit Surface(cBitmap& b) : b_(b) {}
    int ScaleWidth() const override { return win::PixelsToTwipsX(static_cast<int>(b_.Width())); }
    int ScaleHeight() const override { return win::PixelsToTwipsY(static_cast<int>(b_.Height())); }
    HDC hDC() const override { return b_.hDC(); }

   private:
    cBitmap& b_;
  };

  std::wstring Marked(const std::wstring& name, COLORREF corner) {
    const std::wstring path = dir.File(name);
    EXPECT_TRUE(WritePicture(path, 100, 100, [&](int x, int y) { return x == 0 && y == 0 ? corner : kBlack; }));
    return path;
  }
  int Copies(const cBitmap& target, COLORREF corner) {
    int n = 0;
    for (int y = 0; y < target.Height(); y += 100)
      for (int x = 0; x < target.Width(); x += 100) n += Pixel(target.hDC(), x, y) == corner;
    return n;
  }

  TempDir dir;
  cBitmap target;
  Surface surface{target};
};

TEST_F(TileTest, TilesRowByRowWithInclusiveBounds) {
  cTile tile;
  tile.Initialise(surface);
  tile.FileName(Marked(L"t.bmp", kRed));
  MakeTarget(target, 400, 400, kBlue);
  tile.TileDC(target.hDC(), 250, 120);
  EXPECT_EQ(Copies(target, kRed), 6);
  MakeTarget(target, 400, 400, kBlue);
  tile.TileDC(target.hDC(), 200, 200);
  EXPECT_EQ(Copies(target, kRed), 9);
  MakeTarget(target, 400, 400, kBlue);
  tile.TileDC(target.hDC(), -1, 100);
  EXPECT_EQ(Copies(target, kRed), 0);
  MakeTarget(target, 300, 200, kBlue);
  tile.TileObject();
  EXPECT_EQ(Copies(target, kRed), 6) << "its whole interior, bounds included";
}

TEST_F(TileTest, FileNameLoadsOncePerNameAndKeepsOnlyGoodNames) {
  cTile tile;
  const std::wstring a = Marked(L"a.bmp", kRed);
  tile.FileName(a);
  EXPECT_EQ(tile.FileName(), L"") << "nothing loads before Initialise";
  tile.Initialise(surface);
  tile.FileName(a);
  EXPECT_EQ(tile.FileName(), a);

  Marked(L"a.bmp", kGreen);  // the file changes on disk
  tile.FileName(a);
  MakeTarget(target, 100, 100, kBlue);
  tile.TileDC(target.hDC(), 0, 0);
  EXPECT_EQ(Pixel(target.hDC(), 0, 0), kRed) << "the same name is not loaded again";
  tile.FileName(dir.File(L"A.BMP"));
  tile.TileDC(target.hDC(), 0, 0);
  EXPECT_EQ(Pixel(target.hDC(), 0, 0), kGreen) << "another case is another name";

  tile.FileName(dir.File(L"missing.bmp"));
  EXPECT_EQ(tile.FileName(), dir.File(L"A.BMP")) << "a failed name is not stored";
  MakeTarget(target, 100, 100, kBlue);
  tile.TileDC(target.hDC(), 100, 100);
  EXPECT_EQ(Pixel(target.hDC(), 0, 0), kBlue) << "an empty picture draws nothing, and returns";
  tile.FileName(L"");
  EXPECT_EQ(tile.FileName(), L"");
  tile.TileDC(target.hDC(), 100, 100);
  tile.TileObject();
}

TEST_F(TileTest, APictureDetachesTheRenderObject) {
  cTile tile;
  tile.Initialise(surface);
  auto pic = MakePicture(100, 100, [](int x, int y) { return x == 0 && y == 0 ? kRed : kBlack; });
  tile.Picture(pic.get());
  MakeTarget(target, 200, 100, kBlue);
  tile.TileDC(target.hDC(), 150, 50);
  EXPECT_EQ(Copies(target, kRed), 2);
  MakeTarget(target, 200, 100, kBlue);
  tile.TileObject();
  EXPECT_EQ(Copies(target, kRed), 0);
}

class SpriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring path = dir.File(L"s.bmp");
    ASSERT_TRUE(WritePicture(path, 32, 32, [](int, int) { return kRed; }));
    sheet = std::make_shared<cSpriteBitmaps>();
    ASSERT_TRUE(sheet->CreateFromFile(path, 1, 1, L"", kGreen));
    sprite.SpriteData(sheet);
    sprite.Create(nullptr);
    MakeTarget(stage, 300, 300, kBlue);
  }
  // Draws at one place, then at the next, as two frames do.
  void Moves(POINT from, POINT to) {
    sprite.TransparentDraw(stage.hDC(), from.x, from.y, 1, false);
    sprite.TransparentDraw(stage.hDC(), to.x, to.y, 1, false);
  }
  bool Copied(const cBitmap& screen, int x, int y) { return Pixel(screen.hDC(), x, y) != kBlack; }

  TempDir dir;
  std::shared_ptr<cSpriteBitmaps> sheet;
  cSprite sprite;
  cBitmap stage;
};

TEST_F(SpriteTest, StartsBareAndFollowsItsSheet) {
  cSprite fresh;
  EXPECT_EQ(fresh.X(), 0);
  EXPECT_EQ(fresh.Cell(), 0);
  EXPECT_FALSE(fresh.Active());
  EXPECT_EQ(fresh.PreviousX(), -::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(fresh.PreviousY(), -::GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(sprite.Width(), 32);
  EXPECT_EQ(sprite.Height(), 32);
  sprite.X(5);
  sprite.XDir(3);
  sprite.YDir(-2);
  sprite.IncrementPosition();
  EXPECT_EQ(sprite.X(), 8);
  EXPECT_EQ(sprite.Y(), -2);
  EXPECT_EQ(sprite.PreviousX(), fresh.PreviousX()) << "moving is not drawing";
}

TEST_F(SpriteTest, RestoreCopiesNothingUntilSomethingIsStored) {
  Moves({10, 10}, {10, 10});
  sprite.RestoreBackground(stage.hDC());
  EXPECT_EQ(Pixel(stage.hDC(), 12, 12), kRed);
  sprite.Create(nullptr);
  sprite.RestoreBackground(stage.hDC());
  EXPECT_EQ(Pixel(stage.hDC(), 12, 12), kRed);
}

TEST_F(SpriteTest, RestoreGoesToTheDrawnPlace) {
  sprite.StoreBackground(stage.hDC(), 200, 200);  // clean blue
  sprite.TransparentDraw(stage.hDC(), 50, 50, 1, false);
  ASSERT_EQ(Pixel(stage.hDC(), 60, 60), kRed);
  sprite.RestoreBackground(stage.hDC());
  EXPECT_EQ(Pixel(stage.hDC(), 60, 60), kBlue);
}

TEST_F(SpriteTest, ASmallMoveIsCopiedAsOneRectangle) {
  Moves({100, 100}, {90, 110});
  EXPECT_FALSE(sprite.BltInTwo());
  cBitmap screen;
  MakeTarget(screen, 300, 300, kBlack);
  sprite.StageToScreen(screen.hDC(), stage.hDC());
  // One copy at (90, 100) of 42 x 42.
  EXPECT_TRUE(Copied(screen, 90, 100));
  EXPECT_TRUE(Copied(screen, 131, 141));
  EXPECT_FALSE(Copied(screen, 132, 141));
  EXPECT_FALSE(Copied(screen, 89, 100));
  EXPECT_FALSE(Copied(screen, 90, 142));

  Moves({100, 100}, {112, 112});
  EXPECT_FALSE(sprite.BltInTwo()) << "24 in total is still one";
  Moves({100, 100}, {112, 113});
  EXPECT_TRUE(sprite.BltInTwo()) << "25 is two";
}

TEST_F(SpriteTest, ALargeMoveIsCopiedAsTwoCells) {
  Moves({100, 100}, {100, 140});
  EXPECT_TRUE(sprite.BltInTwo());
  cBitmap screen;
  MakeTarget(screen, 300, 300, kBlack);
  sprite.StageToScreen(screen.hDC(), stage.hDC());
  EXPECT_TRUE(Copied(screen, 100, 100));
  EXPECT_TRUE(Copied(screen, 131, 131));
  EXPECT_FALSE(Copied(screen, 110, 135)) << "the gap between the two places";
  EXPECT_TRUE(Copied(screen, 131, 171));
  EXPECT_FALSE(Copied(screen, 132, 150));
}

TEST(SpriteLeaks, RecreatingAndDrawingLeaveNoObjects) {
  TempDir dir;
  const std::wstring path = dir.File(L"s.bmp");
  ASSERT_TRUE(WritePicture(path, 48, 16, [](int x, int) { return x % 16 < 8 ? kRed : kGreen; }));
  cBitmap stage;
  MakeTarget(stage, 200, 200, kBlue);
  const auto once = [&] {
    cBitmap b;
    b.CreateAtSize(30, 30);
    b.CreateFromFile(path);
    auto sheet = std::make_shared<cSpriteBitmaps>();
    sheet->CreateFromFile(path, 3, 1, L"", kGreen);
    sheet->CreateFromFile(path, 3, 1, L"", kGreen);
    cSprite s;
    s.SpriteData(sheet);
    s.Create(nullptr);
    s.Create(nullptr);
    s.StoreBackground(stage.hDC(), 10, 10);
    s.TransparentDraw(stage.hDC(), 10, 10, 2, true);
    s.RestoreBackground(stage.hDC());
    cTile t;
    t.Picture(nullptr);
  };
  once();
  const auto before = GuiObjects::Now();
  for (int i = 0; i < 1000; ++i) once();
  EXPECT_EQ(GuiObjects::Now().gdi, before.gdi);
}

}  // namespace
