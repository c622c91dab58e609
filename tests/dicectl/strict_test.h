#pragma once
// A test of the dice library under a strict container: OLE is up for its
// length, and once the test has let go of everything, the library it
// loaded must agree to be unloaded.
#include <gtest/gtest.h>

#include "common/com_ptr.h"
#include "strict/hosted_dice.h"
#include "support/dice_host.h"

namespace dicectl_tests {

class StrictTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (HMODULE library = DiceLibrary()) {
      EXPECT_EQ(testing_support::LibraryCanUnload(library), S_OK) << "an object of the library is still alive";
    }
  }

  win::ole_init ole;
};

}  // namespace dicectl_tests
