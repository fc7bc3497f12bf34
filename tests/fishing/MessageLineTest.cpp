#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fishing/MessageLine.h"

namespace ikea::test {
namespace {

// The two message labels; every caption `moji_l` shows is recorded, and a
// test can run "pending events" at each repaint.
class RecordingLabels final : public MessageLabels {
public:
  void SetMain(const Text& c) override {
    if (closing) touchedAfterClose = true;
    main = c;
    shown.push_back(c);
  }
  Text Main() const override { return main; }
  void SetCopy(const Text& c) override {
    if (closing) touchedAfterClose = true;
    copy = c;
  }
  void RepaintAndProcessMessages() override {
    ++repaints;
    if (onEvents) onEvents(repaints);
  }
  bool IsClosing() const override { return closing; }

  Text main, copy;
  std::vector<Text> shown;
  int repaints = 0;
  bool closing = false;
  bool touchedAfterClose = false;
  std::function<void(int repaint)> onEvents;
};

class MessageLine : public ::testing::Test {
protected:
  RecordingLabels labels;
  std::int32_t lock = 0;
  MessageTyper typer{labels, lock};
};

TEST_F(MessageLine, messageTypesInLengthPlusOneStepsThenShowsInBothLabels) {
  typer.TypeMessage("ab");
  EXPECT_EQ(labels.repaints, 3);
  EXPECT_EQ(labels.shown, (std::vector<Text>{"", "a", "ab", "ab"}));
  EXPECT_EQ(labels.main, "ab");
  EXPECT_EQ(labels.copy, "ab");
}

TEST_F(MessageLine, oddLengthMessageIsPaddedWithASpaceInBothLabels) {
  typer.TypeMessage("ﾋｯﾄあ");  // three half-width bytes and one double-byte character
  EXPECT_EQ(labels.repaints, 7);
  EXPECT_EQ(labels.main, "ﾋｯﾄあ ");
  EXPECT_EQ(labels.copy, "ﾋｯﾄあ ");
}

TEST_F(MessageLine, stepEndingInsideADoubleByteCharacterShowsItsFirstByte) {
  typer.TypeMessage("池");
  ASSERT_EQ(labels.shown.size(), 4u);
  EXPECT_EQ(labels.shown[1], Text("池").substr(0, 1));
  EXPECT_EQ(labels.shown[2], "池");
}

TEST_F(MessageLine, emptyMessageStillTakesOneStep) {
  labels.main = "old";
  typer.TypeMessage("");
  EXPECT_EQ(labels.repaints, 1);
  EXPECT_EQ(labels.main, "");
  EXPECT_EQ(labels.copy, "");
}

TEST_F(MessageLine, lineOnAnEmptyMessageLineHasNoLeadingBreak) {
  typer.TypeMessageLine("xy");
  EXPECT_EQ(labels.shown.front(), "");
  EXPECT_EQ(labels.main, "xy");
  EXPECT_EQ(labels.copy, "xy");
}

TEST_F(MessageLine, lineIsTypedBelowWhatTheMessageLineShows) {
  typer.TypeMessage("ab");
  labels.shown.clear();
  labels.repaints = 0;
  typer.TypeMessageLine("cde");
  EXPECT_EQ(labels.repaints, 5);
  EXPECT_EQ(labels.shown.front(), "ab\r");
  EXPECT_EQ(labels.main, "ab\rcde ");
  EXPECT_EQ(labels.copy, "ab\rcde ");
  typer.TypeMessage("f");
  EXPECT_EQ(labels.main, "f ");
}

TEST_F(MessageLine, nestedMessageTypesOutCompletelyThenTheOuterOneEndsOnItsOwnText) {
  bool nestedDone = false;
  labels.onEvents = [&](int repaint) {
    if (repaint != 2 || nestedDone) return;
    nestedDone = true;
    typer.TypeMessage("zz");
    EXPECT_EQ(labels.main, "zz");
    EXPECT_EQ(labels.copy, "zz");
  };
  typer.TypeMessage("outer!");
  EXPECT_TRUE(nestedDone);
  EXPECT_EQ(labels.repaints, 7 + 3);
  EXPECT_EQ(labels.main, "outer!");
  EXPECT_EQ(labels.copy, "outer!");
}

TEST_F(MessageLine, nestedMessageDuringTheLastStepOfALineStillLeavesTheLineShown) {
  typer.TypeMessage("ab");
  labels.onEvents = [&](int repaint) {
    if (repaint == 3 + 3) typer.TypeMessage("zz");
  };
  typer.TypeMessageLine("cd");
  EXPECT_EQ(labels.main, "ab\rcd");
  EXPECT_EQ(labels.copy, "ab\rcd");
}

TEST_F(MessageLine, clickOnTheMessageLineShowsTheWholeMessageAtOnce) {
  labels.onEvents = [&](int repaint) {
    if (repaint == 2) moji_lMouseDown(lock);
  };
  typer.TypeMessage("a long message");
  EXPECT_EQ(labels.repaints, 2);
  EXPECT_EQ(labels.main, "a long message");
  EXPECT_EQ(labels.copy, "a long message");
  EXPECT_EQ(lock, 0);

  typer.TypeMessage("next");  // the skip was for that message only
  EXPECT_EQ(labels.repaints, 2 + 5);
}

TEST_F(MessageLine, clickDuringANestedMessageSkipsItAndTheInterruptedOne) {
  labels.onEvents = [&](int repaint) {
    if (repaint == 2) typer.TypeMessage("inner text");
    if (repaint == 4) moji_lMouseDown(lock);
  };
  typer.TypeMessage("outer text");
  EXPECT_EQ(labels.repaints, 4);
  EXPECT_EQ(labels.main, "outer text");
  EXPECT_EQ(labels.copy, "outer text");
}

TEST_F(MessageLine, clickWhileNothingTypesDoesNotSkipTheNextMessage) {
  moji_lMouseDown(lock);
  typer.TypeMessage("abcd");
  EXPECT_EQ(labels.repaints, 5);
}

TEST_F(MessageLine, closingTheWindowMidMessageStopsTypingWithoutTouchingTheLabels) {
  labels.onEvents = [&](int repaint) {
    if (repaint == 3) {
      labels.closing = true;
      lock = 1;
    }
  };
  typer.TypeMessage("closing now");
  EXPECT_EQ(labels.repaints, 3);
  EXPECT_FALSE(labels.touchedAfterClose);

  typer.TypeMessage("after");
  typer.TypeMessageLine("after");
  EXPECT_EQ(labels.repaints, 3);
  EXPECT_FALSE(labels.touchedAfterClose);
}

TEST_F(MessageLine, closingDuringANestedMessageEndsTheOuterOneToo) {
  labels.onEvents = [&](int repaint) {
    if (repaint == 1) typer.TypeMessage("inner");
    if (repaint == 3) labels.closing = true;
  };
  typer.TypeMessage("outer");
  EXPECT_EQ(labels.repaints, 3);
  EXPECT_FALSE(labels.touchedAfterClose);
}

TEST_F(MessageLine, lockOfMinusOneSwitchesTypingOff) {
  lock = -1;
  typer.TypeMessage("ab");
  typer.TypeMessageLine("cd");
  moji_lMouseDown(lock);
  EXPECT_EQ(labels.repaints, 0);
  EXPECT_EQ(lock, -1);
}

} // namespace
} // namespace ikea::test
