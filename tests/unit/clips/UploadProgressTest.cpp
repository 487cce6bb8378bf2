// Per-clip upload percentages from block counts, and the main window's overall progress.
#include <gtest/gtest.h>

#include "recording/UploadProgress.h"

namespace vorlix {
namespace {

constexpr int64_t MiB = 1024 * 1024;

TEST(UploadProgress, ThreeBlocksOfNineMiBReachExactlyOneHundred) {
  CUploadProgress p;
  p.Start(9 * MiB);
  EXPECT_EQ(p.OnBlock(0, 1 * MiB), 11);
  EXPECT_EQ(p.OnBlock(0, 4 * MiB), 44);  // a block's count replaces its earlier one
  EXPECT_EQ(p.OnBlock(1, 4 * MiB), 88);
  EXPECT_EQ(p.OnBlock(2, 1 * MiB), 100);
  EXPECT_EQ(p.SentBytes(), 0);  // emptied at 100
}

TEST(UploadProgress, AFailedUploadLeavesNothingForTheNext) {
  CUploadProgress p;
  p.Start(9 * MiB);
  EXPECT_EQ(p.OnBlock(0, 4 * MiB), 44);
  EXPECT_EQ(p.OnBlock(1, 2 * MiB), 66);  // then the storage refused
  p.Start(8 * MiB);
  EXPECT_EQ(p.OnBlock(0, 2 * MiB), 25);
  EXPECT_EQ(p.OnBlock(1, 4 * MiB), 75);  // block 1 of the failed upload does not count
}

TEST(UploadProgress, UnknownSizeShowsNoPercent) {
  CUploadProgress p;
  p.Start(0);
  EXPECT_EQ(p.OnBlock(0, 4 * MiB), -1);
  p.Start(-1);
  EXPECT_EQ(p.OnBlock(0, 1), -1);
}

TEST(OverallProgress, ShareOfFinishedClipsPlusTheCurrentOne) {
  struct Case {
    int index, total, percent, overall;
  } cases[] = {
      {2, 4, 50, 37},  // (200 + 50 - 100) / 4
      {1, 4, 0, 0},    {1, 4, 100, 25}, {4, 4, 100, 100}, {1, 1, 37, 37}, {3, 5, 99, 59},
      {0, 4, 50, 0},   // before the first index arrives: never below 0
      {1, 0, 50, -1},  // nothing being processed: leave the bar
      {1, -2, 50, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(OverallProgress(c.index, c.total, c.percent), c.overall) << c.index << "/" << c.total << " " << c.percent;
}

TEST(OverallProgress, MainWindowStateFollowsTheWorkersMessages) {
  CCutProgress p;
  EXPECT_EQ(p.OnProgerssMsg(50), -1);
  p.OnCutBegin(4);
  p.OnClipIndex(2, 4);
  EXPECT_EQ(p.OnProgerssMsg(50), 37);
  p.OnClipIndex(4, 4);
  EXPECT_EQ(p.OnProgerssMsg(100), 100);
  p.OnCutFinished();
  EXPECT_EQ(p.CurrentIndex(), 0);
  EXPECT_EQ(p.OnProgerssMsg(100), -1);
}

}  // namespace
}  // namespace vorlix
