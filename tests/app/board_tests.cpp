// The board's frame: wrapping, the keys, the jump, and the set-up, on a
// memory surface with the shipped art, fixed draws and held keys.
#include <gtest/gtest.h>

#include "app/board.h"
#include "support/fakes.h"
#include "support/gui.h"
#include "support/memory_surface.h"
#include "support/pixels.h"

using namespace testing_support;

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

struct Surface : MemorySurface {
  Surface() : MemorySurface(kWidth, kHeight) {}
};

class BoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    random.draws = {0.25, 0.75};
    board.SetUp(VESHA_BIN_DIR, surface);
    board.Start(app::PixelExtent(surface));
  }
  const sprites::cSprite& Ship() const { return board.Ship(); }
  const sprites::cSprite& First() const { return *board.Asteroids().front(); }

  FakeRandom random;
  FakeKeys keys;
  Surface surface;
  app::Board board{random, keys};
};

TEST_F(BoardTest, SetsUpTheShipAnd56AsteroidsInOrder) {
  ASSERT_TRUE(board.IsSetUp());
  ASSERT_EQ(board.Asteroids().size(), 56u);
  EXPECT_EQ(board.Asteroids()[0]->Width(), 64);
  EXPECT_EQ(board.Asteroids()[7]->Width(), 64);
  EXPECT_EQ(board.Asteroids()[8]->Width(), 40);
  EXPECT_EQ(board.Asteroids()[23]->Width(), 40);
  EXPECT_EQ(board.Asteroids()[24]->Width(), 24);
  EXPECT_EQ(Ship().Width(), 32);
  EXPECT_EQ(board.Stage().Width(), ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(Ship().X(), (kWidth - 32) / 2);
  EXPECT_EQ(Ship().Y(), (kHeight - 32) / 2);
  EXPECT_EQ(Ship().Cell(), 1);
  // (0.25 x 8 - 4) x 2 and (0.75 x 8 - 4) x 2, then 0.75 for ever after.
  EXPECT_EQ(First().XDir(), -4);
  EXPECT_EQ(First().YDir(), 4);
  for (const auto& a : board.Asteroids()) {
    EXPECT_TRUE(a->Active());
    EXPECT_EQ(a->X(), 240) << "in the top-left quarter: 0.75 x (640 \\ 2)";
    EXPECT_EQ(a->Y(), 180);
  }
  EXPECT_EQ(board.Asteroids().back()->XDir(), 4);
}

TEST(BoardScatter, DirectionsAreNeverBothZero) {
  FakeRandom random;
  FakeKeys keys;
  Surface surface;
  // 0.5 gives a component of 0: the first pair is drawn again.
  random.draws = {0.5, 0.5, 0.5, 0.9, 0.1, 0.5, 0.1};
  app::Board board(random, keys);
  board.SetUp(VESHA_BIN_DIR, surface);
  const auto& first = *board.Asteroids().front();
  EXPECT_EQ(first.XDir(), 0);
  EXPECT_EQ(first.YDir(), 6);
  EXPECT_EQ(first.X(), 32) << "0.1 x (640 \\ 2)";
  EXPECT_EQ(first.Y(), 120);
}

TEST(BoardWrap, ASpriteComesBackOneSizeBeyondTheOtherEdge) {
  constexpr long kSize = 40, kExtent = 640;
  struct Case {
    long pos, dir, want;
  };
  for (const Case& c : {Case{-kSize - 1, -1, kExtent + kSize}, Case{-kSize, -1, -kSize}, Case{kExtent + 1, 1, -kSize},
                        Case{kExtent, 1, kExtent}, Case{kExtent + 1, 0, -kSize}, Case{-kSize - 1, 1, -kSize - 1},
                        Case{kExtent + 1, -1, kExtent + 1}}) {
    EXPECT_EQ(app::Wrapped(c.pos, c.dir, kSize, kExtent), c.want) << c.pos << " moving " << c.dir;
  }
}

// The first asteroid sits at 240,180 moving -4,+4: on a 100 x 100 extent
// it is past the bottom edge and wraps, and not yet past the left one.
TEST_F(BoardTest, TheWrapUsesTheExtentTakenAtTheStart) {
  board.Start({100, 100});
  board.Frame(surface.hDC());
  EXPECT_EQ(First().X(), 236);
  EXPECT_EQ(First().Y(), -First().Height());
}

TEST_F(BoardTest, LeftAndRightStepThroughTheTwelveHeadings) {
  keys.down = {VK_LEFT};
  std::vector<long> cells;
  for (int i = 0; i < 13; ++i) {
    board.Frame(surface.hDC());
    cells.push_back(Ship().Cell());
  }
  EXPECT_EQ(cells, (std::vector<long>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2}));
  keys.down = {VK_RIGHT};
  board.Frame(surface.hDC());
  board.Frame(surface.hDC());
  board.Frame(surface.hDC());
  EXPECT_EQ(Ship().Cell(), 11);
  keys.down = {VK_LEFT, VK_RIGHT};
  board.Frame(surface.hDC());
  EXPECT_EQ(Ship().Cell(), 12) << "Left wins";
}

TEST_F(BoardTest, SpaceJumpsOncePerPress) {
  random.draws = {0.5, 0.25, 0.9, 0.1};
  keys.down = {VK_SPACE};
  board.Frame(surface.hDC());
  EXPECT_EQ(Ship().X(), kWidth / 2);
  EXPECT_EQ(Ship().Y(), kHeight / 4);
  board.Frame(surface.hDC());
  board.Frame(surface.hDC());
  EXPECT_EQ(Ship().X(), kWidth / 2) << "held: no second jump";
  keys.down = {};
  board.Frame(surface.hDC());
  keys.down = {VK_SPACE};
  board.Frame(surface.hDC());
  EXPECT_EQ(Ship().X(), 576);
  EXPECT_EQ(Ship().Y(), 48);
}

TEST_F(BoardTest, AFrameDrawsTheShipOverTheStageAndShowsIt) {
  board.Frame(surface.hDC());
  const long cx = Ship().X() + 16, cy = Ship().Y() + 16;
  EXPECT_EQ(Pixel(surface.hDC(), cx, cy), Pixel(board.Stage().hDC(), cx, cy));
  EXPECT_NE(Pixel(surface.hDC(), cx, cy), kBlack) << "the changed area reached the window";
  EXPECT_EQ(Pixel(surface.hDC(), kWidth - 1, kHeight - 1), kBlack) << "nothing else did";
}

TEST_F(BoardTest, TenThousandFramesLeakNothing) {
  board.Frame(surface.hDC());
  const auto before = GuiObjects::Now();
  keys.down = {VK_LEFT, VK_SPACE};
  for (int i = 0; i < 10000; ++i) board.Frame(surface.hDC());
  EXPECT_EQ(GuiObjects::Now().gdi, before.gdi);
}

TEST(BoardWithoutArt, StartsAndRunsWithNothingToDraw) {
  FakeRandom random;
  FakeKeys keys;
  Surface surface;
  app::Board board(random, keys);
  board.SetUp(L"Z:\\nowhere", surface);
  board.Start(app::PixelExtent(surface));
  for (int i = 0; i < 10; ++i) board.Frame(surface.hDC());
  EXPECT_EQ(Pixel(surface.hDC(), 5, 5), kBlack);
  EXPECT_EQ(board.Asteroids().size(), 56u);
}

}  // namespace
