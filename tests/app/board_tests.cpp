// The board's frame: set-up, wrapping, the keys and the jump, on a memory
// surface with the shipped art, fixed draws and held keys.
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

class BoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    random.draws = {0.25, 0.75};
    board.SetUp(VESHA_BIN_DIR, surface, screen.size);
    board.Start(app::PixelExtent(surface));
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) board.Frame(surface.hDC());
  }
  const sprites::cSprite& Ship() const { return board.Ship(); }
  const sprites::cSprite& First() const { return *board.Asteroids().front(); }

  FakeRandom random;
  FakeKeys keys;
  FakeScreen screen;
  MemorySurface surface{kWidth, kHeight};
  app::Board board{random, keys};
};

// Larger asteroids come first so that smaller ones are drawn over them.
TEST_F(BoardTest, SetsUpTheShipCentredAndTheAsteroidsLargestFirst) {
  std::vector<int> runs;  // how many asteroids of each size, in order
  long lastWidth = 0;
  for (const auto& a : board.Asteroids()) {
    if (runs.empty() || a->Width() < lastWidth) runs.push_back(0);
    lastWidth = a->Width();
    ++runs.back();
    EXPECT_TRUE(a->Active());
  }
  EXPECT_EQ(runs, (std::vector<int>{8, 16, 32}));
  EXPECT_EQ(board.Stage().Width(), screen.size.cx);
  EXPECT_EQ(Ship().X(), (kWidth - Ship().Width()) / 2);
  EXPECT_EQ(Ship().Y(), (kHeight - Ship().Height()) / 2);
  EXPECT_EQ(Ship().Cell(), 1);
  // (0.25 x 8 - 4) x 2 and (0.75 x 8 - 4) x 2, then 0.75 x (640 \ 2).
  EXPECT_EQ(First().XDir(), -4);
  EXPECT_EQ(First().YDir(), 4);
  EXPECT_EQ(board.Asteroids().back()->X(), 240);
}

TEST_F(BoardTest, ScatteredDirectionsAreNeverBothZero) {
  // 0.5 gives a component of 0: the first pair is drawn again.
  random.draws = {0.5, 0.5, 0.5, 0.9, 0.1};
  app::Board again(random, keys);
  again.SetUp(VESHA_BIN_DIR, surface, screen.size);
  EXPECT_EQ(again.Asteroids().front()->XDir(), 0);
  EXPECT_EQ(again.Asteroids().front()->YDir(), 6);
  EXPECT_EQ(again.Asteroids().front()->X(), 32) << "0.1 x (640 \\ 2)";
}

TEST(BoardWrap, ASpriteComesBackOneSizeBeyondTheOtherEdge) {
  constexpr long kSize = 40, kExtent = 640;
  struct Case {
    long pos, dir, want;
  };
  for (const Case& c : {Case{-kSize - 1, -1, kExtent + kSize}, Case{-kSize, -1, -kSize}, Case{kExtent + 1, 1, -kSize},
                        Case{kExtent, 1, kExtent}, Case{kExtent + 1, 0, -kSize}, Case{-kSize - 1, 1, -kSize - 1},
                        Case{kExtent + 1, -1, kExtent + 1}})
    EXPECT_EQ(app::Wrapped(c.pos, c.dir, kSize, kExtent), c.want) << c.pos << " moving " << c.dir;
}

// The first asteroid sits at 240,180 moving -4,+4: on a 100 x 100 extent
// it is past the bottom edge and wraps, and not yet past the left one.
TEST_F(BoardTest, TheWrapUsesTheExtentTakenAtTheStart) {
  board.Start({100, 100});
  Frames(1);
  EXPECT_EQ(First().X(), 236);
  EXPECT_EQ(First().Y(), -First().Height());
}

TEST_F(BoardTest, LeftAndRightStepThroughTheTwelveHeadingsAndLeftWins) {
  keys.down = {VK_LEFT};
  Frames(12);
  EXPECT_EQ(Ship().Cell(), 1) << "twelve steps go round";
  keys.down = {VK_RIGHT};
  Frames(1);
  EXPECT_EQ(Ship().Cell(), 12);
  keys.down = {VK_LEFT, VK_RIGHT};
  Frames(1);
  EXPECT_EQ(Ship().Cell(), 1);
}

TEST_F(BoardTest, SpaceJumpsOncePerPress) {
  random.draws = {0.5, 0.25, 0.9, 0.1};
  keys.down = {VK_SPACE};
  Frames(3);
  EXPECT_EQ(Ship().X(), kWidth / 2) << "held: one jump";
  EXPECT_EQ(Ship().Y(), kHeight / 4);
  keys.down = {};
  Frames(1);
  keys.down = {VK_SPACE};
  Frames(1);
  EXPECT_EQ(Ship().X(), 576);
}

TEST_F(BoardTest, AFrameShowsOnlyWhatChangedAndLeaksNothing) {
  Frames(1);
  const long cx = Ship().X() + Ship().Width() / 2, cy = Ship().Y() + Ship().Height() / 2;
  EXPECT_EQ(Pixel(surface.hDC(), cx, cy), Pixel(board.Stage().hDC(), cx, cy));
  EXPECT_NE(Pixel(surface.hDC(), cx, cy), kBlack) << "the changed area reached the window";
  EXPECT_EQ(Pixel(surface.hDC(), kWidth - 1, kHeight - 1), kBlack) << "nothing else did";

  const auto before = GuiObjects::Now();
  keys.down = {VK_LEFT, VK_SPACE};
  Frames(1000);
  EXPECT_EQ(GuiObjects::Now().gdi, before.gdi);
}

}  // namespace
