#include "screens/main/MainHover.h"

#include <gtest/gtest.h>

#include "screens/main/MainWindowIds.h"

namespace vorlix {
namespace {

TEST(MainHover, UserPanelStaysOpenOverItsOwnControls) {
  for (int id : {kIdUserIcon, kIdUserPanel, kIdUserName, kIdLogoutLink}) {
    HoverDecision d = DecideHover(true, true, id, true);
    EXPECT_TRUE(d.showUserPanel) << id;
    EXPECT_FALSE(d.hideUserPanel) << id;
  }
  HoverDecision away = DecideHover(true, true, kIdCloudLink, true);
  EXPECT_TRUE(away.hideUserPanel);
  EXPECT_FALSE(DecideHover(true, true, kIdCloudLink, false).hideUserPanel);
}

TEST(MainHover, TipsOverRecordAndReplayOnly) {
  EXPECT_EQ(DecideHover(true, true, kIdRecordButton, false).tip, HoverTip::Record);
  EXPECT_EQ(DecideHover(true, true, kIdReplayButton, false).tip, HoverTip::Replay);
  EXPECT_EQ(DecideHover(true, true, kIdStatusLine, false).tip, HoverTip::None);
  // The record tip lies on the right, the replay tip on the left.
  EXPECT_EQ(TipLayout(HoverTip::Record).background.left, 235);
  EXPECT_EQ(TipLayout(HoverTip::Replay).background.left, 55);
}

TEST(MainHover, NothingChangesWithoutAVisibleControl) {
  EXPECT_FALSE(DecideHover(false, false, 0, true).handled);
  EXPECT_FALSE(DecideHover(true, false, kIdRecordButton, true).handled);
}

}  // namespace
}  // namespace vorlix
