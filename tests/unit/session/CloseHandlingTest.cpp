#include "recording/CloseHandling.h"

#include <gtest/gtest.h>

namespace vorlix {
namespace {

TEST(CloseHandling, DecisionTable) {
  struct Row {
    bool processing, confirmQuit, minimizeOnClose;
    CloseStep first;
    CloseStep afterProcessingAsked;
  };
  const Row rows[] = {
      {false, false, false, CloseStep::Exit, CloseStep::Exit},
      {false, false, true, CloseStep::MinimizeToTray, CloseStep::MinimizeToTray},
      {false, true, false, CloseStep::ShowQuitConfirm, CloseStep::ShowQuitConfirm},
      {false, true, true, CloseStep::ShowQuitConfirm, CloseStep::ShowQuitConfirm},
      {true, false, false, CloseStep::AskAbortProcessing, CloseStep::Exit},
      {true, true, true, CloseStep::AskAbortProcessing, CloseStep::ShowQuitConfirm},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(DecideClose(r.processing, r.confirmQuit, r.minimizeOnClose), r.first);
    EXPECT_EQ(DecideCloseAfterProcessingAsked(r.confirmQuit, r.minimizeOnClose), r.afterProcessingAsked);
  }
}

TEST(CloseHandling, QuitConfirmResults) {
  EXPECT_EQ(QuitConfirmStep(1), CloseStep::MinimizeToTray);
  EXPECT_EQ(QuitConfirmStep(0), CloseStep::Exit);
  EXPECT_EQ(QuitConfirmStep(2), CloseStep::Nothing);
  EXPECT_EQ(QuitConfirmStep(-1), CloseStep::Nothing);
}

}  // namespace
}  // namespace vorlix
