// The dice control beside the program: present but never registered,
// missing, or another file under its name. The copy in the build's
// program directory is unregistered meanwhile, so only the program's
// manifest can find a control.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "common/unique_handle.h"
#include "hostile/program_session.h"
#include "support/program_copy.h"

namespace {

using testing_support::ProgramCopy;

constexpr wchar_t kControl[] = L"tumbix.ocx";
const std::array<std::wstring_view, 3> kSums = {L"7", L"12", L"3"};

class HostileControl : public ::testing::Test {
 protected:
  using ServerCall = HRESULT(STDAPICALLTYPE*)();
  void SetUp() override {
    ASSERT_TRUE(library);
    ASSERT_EQ(Entry("DllUnregisterServer")(), S_OK);
  }
  void TearDown() override { Entry("DllRegisterServer")(); }
  ServerCall Entry(const char* name) const {
    return reinterpret_cast<ServerCall>(reinterpret_cast<void*>(::GetProcAddress(library.get(), name)));
  }
  // The dice window opens; what it says, and whether typed sums give a lot.
  hostile::DiceOutcome Dice() {
    copy.Record();
    hostile::ProgramSession session(copy.Exe());
    EXPECT_TRUE(session.Answers());
    EXPECT_EQ(session.TakeMessage(), std::nullopt) << "nothing is said before the dice are asked for";
    const auto dice = session.Dice(kSums);
    session.program().Close();
    EXPECT_THAT(copy.Changes(), ::testing::IsEmpty());
    return dice;
  }

  win::unique_hmodule library{::LoadLibraryW(VESHA_BIN_DIR L"\\tumbix.ocx")};
  ProgramCopy copy;
};

// The dice window opens and takes the sums typed either way. Without a
// working control its cast buttons are off and it says once what is wrong
// and what mends it.
void ExpectDice(const hostile::DiceOutcome& dice, bool byHand) {
  EXPECT_TRUE(dice.opened);
  EXPECT_EQ(dice.castsEnabled, !byHand);
  EXPECT_EQ(dice.openingMessage.has_value(), byHand);
  if (byHand && dice.openingMessage) {
    EXPECT_THAT(*dice.openingMessage, ::testing::HasSubstr(L"tumbix.ocx"));
    EXPECT_THAT(*dice.openingMessage, ::testing::HasSubstr(L"重新安装"));
  }
  EXPECT_EQ(dice.typed.message, std::nullopt);
  ASSERT_TRUE(dice.typed.shown);
  EXPECT_THAT(*dice.typed.shown, ::testing::StartsWith(L"第"));
}

TEST_F(HostileControl, BesideTheProgramItNeedsNoRegistration) { ExpectDice(Dice(), false); }

// Missing, a text file in its place, or another program: all the same.
TEST_F(HostileControl, WithoutAWorkingControlTheDiceWindowTakesSumsByHandAndSaysSo) {
  for (const char* what : {"missing", "text", "program"}) {
    SCOPED_TRACE(what);
    std::filesystem::remove(copy.File(kControl));
    if (what == std::string_view("text")) {
      ASSERT_TRUE(copy.Replace(kControl, "这不是控件。\r\n"));
    }
    if (what == std::string_view("program")) std::filesystem::copy_file(copy.Exe(), copy.File(kControl));
    ExpectDice(Dice(), true);
  }
}

}  // namespace
