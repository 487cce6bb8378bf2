#include <gtest/gtest.h>

#include "base/FileSystem.h"
#include "config/Settings.h"
#include "screens/dialogs/QuitChoice.h"

namespace vorlix {
namespace {

class QuitChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override { RemoveFile(GetConfigPath()); }
  void TearDown() override { RemoveFile(GetConfigPath()); }
};

TEST_F(QuitChoiceTest, ConfirmingWritesBothSettingsAndGivesTheResult) {
  struct Case {
    bool minimize, exit, dontRemind;
    int result;
    int minimizeOnClose, confirmQuit;
  } cases[] = {
      {true, false, false, kQuitResultMinimize, 1, 1},
      {false, true, false, kQuitResultExit, 0, 1},
      {true, false, true, kQuitResultMinimize, 1, 0},
      {false, true, true, kQuitResultExit, 0, 0},
  };
  for (const Case& c : cases) {
    // Start from the opposite values, so every write shows.
    SetMinimizeOnClose(c.minimizeOnClose == 0);
    SetConfirmQuit(c.confirmQuit == 0);
    EXPECT_EQ(ApplyQuitChoice(c.minimize, c.exit, c.dontRemind), c.result);
    EXPECT_EQ(GetMinimizeOnClose(), c.minimizeOnClose);
    EXPECT_EQ(GetConfirmQuit(), c.confirmQuit);
  }
}

TEST_F(QuitChoiceTest, NoChoiceSelectedWritesNothing) {
  EXPECT_EQ(ApplyQuitChoice(false, false, true), -1);
  EXPECT_FALSE(FileExists(GetConfigPath()));
}

}  // namespace
}  // namespace vorlix
