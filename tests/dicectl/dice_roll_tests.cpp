// The roll of one die, tick by tick, with draws the test chooses: the
// phases, the click, the favourite face and its odds.
#include <gtest/gtest.h>

#include <deque>
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "dicectl/dice_roll.h"
#include "dicectl/face_random.h"

namespace {

using dicectl::DiceRoll;

class ScriptedRandom final : public dicectl::FaceRandom {
 public:
  void Stir() override { ++stirs; }
  double Next() override {
    if (draws.empty()) return 0.0;
    const double r = draws.front();
    draws.pop_front();
    return r;
  }
  std::deque<double> draws;
  int stirs = 0;
};

// Records what the roll asks of its control, in order.
class RecordingHost final : public DiceRoll::Host {
 public:
  void StartDice() override { log.push_back("start"); }
  void EndDice(short diceNum) override {
    log.push_back("end " + std::to_string(diceNum));
    ended = diceNum;
    faceAtEnd = shown;
    timerAtEnd = timerOn;
  }
  void ShowFace(int face) override { shown = face; }
  void SetTimer1(bool enabled, unsigned intervalMs) override {
    timerOn = enabled;
    interval = intervalMs;
    log.push_back(std::string(enabled ? "timer " : "stop ") + std::to_string(intervalMs));
  }
  std::vector<std::string> log;
  int shown = 0;
  short ended = 0;
  int faceAtEnd = 0;
  bool timerOn = false;
  bool timerAtEnd = true;
  unsigned interval = 0;
};

// A draw that gives face f: floor(6 r) + 1 = f.
double DrawFor(int face) { return (face - 1 + 0.5) / 6; }

struct Roll {
  ScriptedRandom random;
  RecordingHost host;
  DiceRoll roll{host, random};

  // Ticks until the roll ends; returns the number of ticks.
  int TickToEnd(int halfChance = 0, int limit = 100) {
    for (int n = 1; n <= limit; ++n) {
      host.log.push_back("tick");
      roll.Tick(halfChance);
      if (host.ended) return n;
    }
    return -1;
  }
  int Count(const std::string& entry) const {
    int n = 0;
    for (const auto& e : host.log) n += e == entry;
    return n;
  }
};

TEST(DiceRoll, AFullRollHasSixtyThreeTicksAndEndsOnTheFaceShown) {
  Roll r;
  for (int i = 0; i < 63; ++i) r.random.draws.push_back(DrawFor(i % 6 + 1));
  r.roll.Run();
  EXPECT_EQ(r.host.log, (std::vector<std::string>{"timer 50"}));

  EXPECT_EQ(r.TickToEnd(), 63);
  EXPECT_EQ(r.Count("start"), 1);
  EXPECT_EQ(r.host.log[2], "start") << "StartDice comes on the first tick";
  EXPECT_EQ(r.random.stirs, 63) << "every tick stirs the generator";
  // Tick 61 is the first slow one; the interval changes then and only then.
  EXPECT_EQ(r.Count("timer 200"), 1);
  const auto slow = std::find(r.host.log.begin(), r.host.log.end(), "timer 200") - r.host.log.begin();
  EXPECT_EQ(std::count(r.host.log.begin(), r.host.log.begin() + slow, "tick"), 61);
  // The timer is stopped before EndDice, and the face on screen is the one reported.
  EXPECT_FALSE(r.host.timerAtEnd);
  EXPECT_EQ(r.host.interval, 50u);
  EXPECT_EQ(r.host.ended, 63 % 6 == 0 ? 6 : 63 % 6);
  EXPECT_EQ(r.host.faceAtEnd, r.host.ended);
  EXPECT_EQ(r.roll.RollTicks(), 0);
  EXPECT_EQ(r.roll.SlowTicks(), 0);
  EXPECT_EQ(r.roll.LastFace(), r.host.ended);
}

TEST(DiceRoll, RunDuringARollChangesNothing) {
  Roll r;
  r.roll.Run();
  for (int i = 0; i < 30; ++i) r.roll.Tick(0);
  r.roll.Run();
  EXPECT_EQ(r.roll.RollTicks(), 30);
  EXPECT_EQ(r.TickToEnd(), 33);
  EXPECT_EQ(r.Count("start"), 1);
}

TEST(DiceRoll, ClicksShortenTheRollButKeepTheEndingPhase) {
  {
    SCOPED_TRACE("a click in the fast phase: three more ticks");
    Roll r;
    r.roll.Run();
    for (int i = 0; i < 10; ++i) r.roll.Tick(0);
    r.roll.Click();
    EXPECT_EQ(r.TickToEnd(), 3);
    EXPECT_EQ(r.Count("timer 200"), 1);
  }
  {
    SCOPED_TRACE("a click in the ending phase: the slow ticks already counted stay");
    Roll r;
    r.roll.Run();
    for (int i = 0; i < 62; ++i) r.roll.Tick(0);
    EXPECT_EQ(r.roll.SlowTicks(), 2);
    r.roll.Click();
    EXPECT_EQ(r.TickToEnd(), 1);
  }
  {
    SCOPED_TRACE("a click while idle primes the die: no StartDice, three ticks");
    Roll r;
    r.roll.Click();
    EXPECT_EQ(r.roll.RollTicks(), 60);
    r.roll.Run();
    EXPECT_EQ(r.TickToEnd(), 3);
    EXPECT_EQ(r.Count("start"), 0);
  }
}

// Every pair (face shown, favourite draw) once: the odds come out exact.
TEST(DiceRoll, TheFavouriteFaceWinsSevenTimesInTwelve) {
  constexpr int kFavourite = 4;
  std::map<int, int> reported;
  for (int shown = 1; shown <= 6; ++shown) {
    for (int k = 0; k < 10; ++k) {
      Roll r;
      r.roll.Click();  // straight to the ending phase: three ticks
      r.random.draws = {DrawFor(1), DrawFor(2), DrawFor(shown), (k + 0.5) / 10};
      r.roll.Run();
      ASSERT_EQ(r.TickToEnd(kFavourite), 3);
      ++reported[r.host.ended];
      EXPECT_EQ(r.host.faceAtEnd, r.host.ended) << "the favourite is shown when it wins";
    }
  }
  EXPECT_EQ(reported[kFavourite], 35);  // 7/12 of 60
  for (int face = 1; face <= 6; ++face)
    if (face != kFavourite) {
      EXPECT_EQ(reported[face], 5) << "face " << face;  // 1/12 of 60
    }
}

TEST(DiceRoll, WithoutAFavouriteTheLastFaceShownIsReported) {
  Roll r;
  r.roll.Click();
  r.random.draws = {DrawFor(6), DrawFor(6), DrawFor(2), 0.99};
  r.roll.Run();
  r.TickToEnd(0);
  EXPECT_EQ(r.host.ended, 2);
  EXPECT_EQ(r.random.draws.size(), 1u) << "no draw for a favourite that is not there";
}

TEST(FaceRandom, DrawsAreUniformAndTheClockMovesTheSequenceOn) {
  EXPECT_EQ(dicectl::Scaled(0.0, 6), 0);
  EXPECT_EQ(dicectl::Scaled(0.9999999, 6), 5);
  EXPECT_EQ(dicectl::Scaled(1.0, 6), 5) << "a draw of exactly 1 still names a face";

  dicectl::SystemFaceRandom random(12345, [] { return 0u; });
  constexpr int kDraws = 60000;
  int counts[6] = {};
  for (int i = 0; i < kDraws; ++i) ++counts[dicectl::Scaled(random.Next(), 6)];
  double chiSquare = 0;
  for (int c : counts) chiSquare += (c - kDraws / 6.0) * (c - kDraws / 6.0) / (kDraws / 6.0);
  EXPECT_LT(chiSquare, 20.5) << "5 degrees of freedom, p = 0.001";

  // Same seed: the same sequence unless the time of day differs.
  dicectl::SystemFaceRandom a(7, [] { return 5u; });
  dicectl::SystemFaceRandom b(7, [] { return 0u; });
  a.Stir();
  b.Stir();
  EXPECT_NE(a.Next(), b.Next());
  // A clock that stands still must not restart the sequence at every tick.
  dicectl::SystemFaceRandom still(7, [] { return 3u; });
  std::set<double> seen;
  for (int i = 0; i < 100; ++i) {
    still.Stir();
    seen.insert(still.Next());
  }
  EXPECT_EQ(seen.size(), 100u);
}

}  // namespace
