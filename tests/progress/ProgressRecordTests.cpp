// The progress record and the time-remaining estimate, without a window.
#include <gtest/gtest.h>

#include "ui/ProgressDlg.h"

TEST(TimeRemainingText, ReadsMinutesAndHoursWithTheirPlurals) {
  EXPECT_EQ(TimeRemainingText(59), "< 1 minute remaining");
  EXPECT_EQ(TimeRemainingText(0), "< 1 minute remaining");
  EXPECT_EQ(TimeRemainingText(-5), "< 1 minute remaining");
  EXPECT_EQ(TimeRemainingText(60), "1 minute remaining");
  EXPECT_EQ(TimeRemainingText(119), "1 minute remaining");
  EXPECT_EQ(TimeRemainingText(120), "2 minutes remaining");
  EXPECT_EQ(TimeRemainingText(3599), "59 minutes remaining");
  EXPECT_EQ(TimeRemainingText(3600), "1 hour, 0 minutes remaining");
  EXPECT_EQ(TimeRemainingText(3660), "1 hour, 1 minute remaining");
  EXPECT_EQ(TimeRemainingText(7200), "2 hours, 0 minutes remaining");
  EXPECT_EQ(TimeRemainingText(7322), "2 hours, 2 minutes remaining");
}

TEST(SecondsRemaining, NothingWrittenYetAssumes1400KilobytesASecond) {
  EXPECT_EQ(SecondsRemaining(84000, 84000, 500), 60);
  EXPECT_EQ(SecondsRemaining(1399, 1399, 0), 0);
  EXPECT_EQ(SecondsRemaining(0, 0, 10), 0);
}

TEST(SecondsRemaining, ExtrapolatesTheRunningTime) {
  // Half done in 30 seconds: 30 more.
  EXPECT_EQ(SecondsRemaining(1000, 500, 30), 30);
  // A quarter done in 100 seconds: 400 in all, 300 more.
  EXPECT_EQ(SecondsRemaining(1000, 750, 100), 300);
  // The quotient is truncated before the elapsed time is taken off: 10 * 3 / 2 = 15.
  EXPECT_EQ(SecondsRemaining(3, 1, 10), 5);
  EXPECT_EQ(SecondsRemaining(1000, 0, 40), 0);
}

TEST(SecondsRemaining, ExtremeFiguresStayWithinRange) {
  EXPECT_EQ(SecondsRemaining(2000000000, 1999999999, 2000000000), LONG_MAX);
  EXPECT_LE(SecondsRemaining(10, 20, 2000000000), 0);
}

TEST(ProgressRecord, StartsWithTheStartingText) {
  ProgressRecord record(3, 9000, 1000);
  ProgressView view = record.View();
  EXPECT_EQ(view.top, "");
  EXPECT_EQ(view.middle, "Starting installation...");
  EXPECT_EQ(view.bottom, "");
  EXPECT_EQ(view.total, 9000);
  EXPECT_EQ(view.position, 0);
}

TEST(ProgressRecord, TheFirstStepHasNoEstimate) {
  ProgressRecord record(3, 84000, 1000);
  record.Step("Installing Alpha", 0, 84000, 1010);
  ProgressView view = record.View();
  EXPECT_EQ(view.top, "Step 1 of 3");
  EXPECT_EQ(view.middle, "Installing Alpha");
  EXPECT_EQ(view.bottom, "");
  EXPECT_EQ(view.position, 0);
}

TEST(ProgressRecord, LaterStepsEstimateFromTheRunningTime) {
  ProgressRecord record(3, 84000, 1000);
  record.Step("Installing Beta", 1, 84000, 1010);
  EXPECT_EQ(record.View().bottom, "1 minute remaining");
  // 21000 of 84000 done in 1220 seconds: 4880 in all, 3660 more.
  record.Step("Installing Gamma", 2, 63000, 2220);
  ProgressView view = record.View();
  EXPECT_EQ(view.top, "Step 3 of 3");
  EXPECT_EQ(view.bottom, "1 hour, 1 minute remaining");
  EXPECT_EQ(view.position, 21000);
}

TEST(ProgressRecord, AStepAtTheCountShowsCompletedAndAFullBar) {
  ProgressRecord record(2, 5000, 0);
  record.Step("ignored", 2, 1234, 10);
  ProgressView view = record.View();
  EXPECT_EQ(view.top, "Completed");
  EXPECT_EQ(view.middle, "");
  EXPECT_EQ(view.bottom, "");
  EXPECT_EQ(view.position, 5000);
}

TEST(ProgressRecord, ThePositionStaysWithinTheBar) {
  ProgressRecord record(2, 5000, 0);
  // One kilobyte more remaining than in total would make the position -1, the end mark.
  record.Step("odd", 0, 5001, 10);
  EXPECT_EQ(record.View().position, 0);
  record.Step("odd", 1, -300, 10);
  EXPECT_EQ(record.View().position, 5000);
}

TEST(ProgressRecord, APauseStopsTheClockUntilTheResume) {
  ProgressRecord record(3, 1000, 0);
  record.Pause(20);
  // 980 seconds in pause do not count: half done in 20 seconds leaves 20.
  record.Step("Half", 1, 500, 1000);
  EXPECT_EQ(record.View().bottom, "< 1 minute remaining");
  record.Resume(1000);
  // 100 more running seconds: 120 for a quarter left, 40 remaining.
  record.Step("Three quarters", 2, 250, 1100);
  EXPECT_EQ(record.View().bottom, "< 1 minute remaining");
  record.Pause(1100);
  record.Pause(5000);
  record.Resume(5000);
  record.Resume(9000);
  // Still 120 running seconds: a tenth left is 13 seconds more.
  record.Step("Nine tenths", 1, 100, 5000);
  EXPECT_EQ(record.View().bottom, "< 1 minute remaining");
  // A pause while paused and a resume while running change nothing: 720 running seconds for
  // nine tenths make 800 in all, 80 more.
  record.Step("Nine tenths", 1, 100, 5600);
  EXPECT_EQ(record.View().bottom, "1 minute remaining");
}

TEST(ProgressRecord, TheEndClearsTheLinesAndMarksTheEnd) {
  ProgressRecord record(1, 100, 0);
  record.Step("x", 0, 50, 1);
  record.End();
  ProgressView view = record.View();
  EXPECT_EQ(view.top, "");
  EXPECT_EQ(view.middle, "");
  EXPECT_EQ(view.bottom, "");
  EXPECT_EQ(view.position, kProgressEnd);
}
