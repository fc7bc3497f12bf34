#include <QElapsedTimer>
#include <QEventLoop>
#include <gtest/gtest.h>

#include "tests/support/ScriptedDialogs.h"
#include "toolkit/MessageLoop.h"
#include "toolkit/Timer.h"

namespace ikea::test {
namespace {

// Runs the message loop until `done` or a generous deadline; no sleeping.
template <typename Done>
bool PumpUntil(Done done) {
  QElapsedTimer deadline;
  deadline.start();
  while (!done()) {
    if (deadline.elapsed() > 5000) return false;
    tk::ProcessMessages();
  }
  return true;
}

TEST(TimerReentry, aHandlerStillRunningIsEnteredAgainFromProcessMessages) {
  tk::Timer timer(1);
  int depth = 0, deepest = 0, calls = 0;
  timer.onTimer = [&] {
    ++calls;
    ++depth;
    deepest = std::max(deepest, depth);
    if (depth == 1) PumpUntil([&] { return calls >= 3; });  // typing a message
    --depth;
  };
  ASSERT_TRUE(PumpUntil([&] { return calls >= 3; }));
  EXPECT_GE(deepest, 2);
}

TEST(TimerReentry, aHandlerHoldingANestedLoopOpenIsEnteredAgain) {
  ScriptedDialogs dialogs;
  tk::Timer timer(1);
  int calls = 0;
  QEventLoop modal;  // what a modal box runs
  timer.onTimer = [&] {
    ++calls;
    if (calls == 1) modal.exec();
    if (calls == 3) modal.quit();
  };
  ASSERT_TRUE(PumpUntil([&] { return calls >= 3; }));
  EXPECT_TRUE(dialogs.informed.empty());
}

TEST(TimerEvents, aDisabledTimerDeliversNothingAndAnErrorDoesNotStopTheTimer) {
  ScriptedDialogs dialogs;
  tk::Timer quiet(1, false);
  int quietCalls = 0;
  quiet.onTimer = [&] { ++quietCalls; };
  tk::Timer failing(1);
  int failures = 0;
  failing.onTimer = [&] {
    ++failures;
    throw std::runtime_error("tick failed");
  };
  ASSERT_TRUE(PumpUntil([&] { return failures >= 2; }));
  failing.SetEnabled(false);
  EXPECT_EQ(quietCalls, 0);
  EXPECT_GE(dialogs.informed.size(), 2u);
  EXPECT_EQ(dialogs.informed.front(), "tick failed");
}

TEST(TimerEvents, aFailingTimerWaitsWhileItsErrorBoxIsOpenInsteadOfPilingUpBoxes) {
  ScriptedDialogs dialogs;
  tk::Timer failing(1);
  int failures = 0;
  failing.onTimer = [&] {
    ++failures;
    throw std::runtime_error("tick failed");
  };
  tk::Timer probe(1);
  int probeCalls = 0;
  probe.onTimer = [&] { ++probeCalls; };
  int failuresWhileOpen = -1;
  dialogs.whileOpen = [&] {
    int atOpen = failures;
    int probesAtOpen = probeCalls;
    PumpUntil([&] { return probeCalls >= probesAtOpen + 5; });  // the box's own loop
    failuresWhileOpen = failures - atOpen;
    dialogs.whileOpen = nullptr;
  };
  ASSERT_TRUE(PumpUntil([&] { return failures >= 2; }));
  EXPECT_EQ(failuresWhileOpen, 0);
}

TEST(TimerEvents, stoppingATimerDropsItsWaitingEvent) {
  tk::Timer timer(1);
  int calls = 0;
  timer.onTimer = [&] { ++calls; };
  tk::Timer probe(1);
  int probeCalls = 0;
  probe.onTimer = [&] { ++probeCalls; };
  ASSERT_TRUE(PumpUntil([&] { return calls >= 1; }));
  timer.SetEnabled(false);
  int stoppedAt = calls;
  ASSERT_TRUE(PumpUntil([&] { return probeCalls >= 5; }));
  EXPECT_EQ(calls, stoppedAt);
}

}  // namespace
}  // namespace ikea::test
