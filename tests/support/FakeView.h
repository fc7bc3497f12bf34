#pragma once
// A window without widgets: records messages and boxes, keeps panel and list
// state, and answers Yes/No boxes from a script. Runner widths are the
// caption's byte count times 6 pixels unless a test sets its own measure.
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "game/View.h"
#include "tests/support/RecordingCanvas.h"

namespace ikea::test {

class FakeView final : public View {
public:
  // Message line, as the real one ends up showing it.
  void TypeMessage(const Text& t) override {
    Text padded = Pad(t);
    messageLine = padded;
    messages.push_back(padded);
    if (onType) onType();
  }
  void TypeMessageLine(const Text& t) override {
    Text padded = Pad(t);
    messageLine = messageLine.empty() ? padded : messageLine + "\r" + padded;
    messages.push_back(padded);
    if (onType) onType();
  }
  void ShowMessage(const Text& t) override { boxes.push_back(t); if (onBox) onBox(); }
  bool AskYesNo(const Text& t) override {
    questions.push_back(t);
    if (answers.empty()) return true;
    bool a = answers.front();
    answers.pop_front();
    return a;
  }

  bool IsShown(Panel p) const override { auto it = shown.find(p); return it != shown.end() && it->second; }
  void SetShown(Panel p, bool s) override { shown[p] = s; }
  void MovePanel(Panel p, int l, int t) override { panelPos[p] = {l, t}; }
  void SetCaption(const Text& c) override { caption = c; }
  Canvas& PondCanvas() override { return canvas; }

  void ListClear() override { list.clear(); selected = -1; }
  void ListAdd(const Text& l) override { list.push_back(l); }
  int ListCount() const override { return static_cast<int>(list.size()); }
  Text ListLine(int i) const override { return i >= 0 && i < ListCount() ? list[i] : Text(); }
  void ListSetLine(int i, const Text& l) override { if (i >= 0 && i < ListCount()) list[i] = l; }
  int ListSelected() const override { return selected; }
  void ListSelect(int i) override { selected = i; }

  void SetCardTitle(const Text& c) override { cardTitle = c; }
  void MoveCardTitle(int l, int t) override { cardTitlePos = {l, t}; }
  void SetCardText(const Text& t) override { cardText = t; }
  void SetNameEdit(const Text& t) override { nameEdit = t; }
  void SetNameLimit(int b) override { nameLimit = b; }
  void SetTankPicture(const Text& p) override { tankPicture = p; }

  void SetRunnerLeft(int r, int l) override { runnerLeft.at(r) = l; }
  int RunnerLeft(int r) const override { return runnerLeft.at(r); }
  void SetRunnerCaption(int r, const Text& c) override { runnerCaption.at(r) = c; }
  Text RunnerCaption(int r) const override { return runnerCaption.at(r); }
  int RunnerWidth(int r) const override {
    return measure ? measure(runnerCaption.at(r)) : static_cast<int>(runnerCaption.at(r).size()) * 6;
  }
  void SetRaceCard(const Text& t) override { raceCard = t; }

  static Text Pad(const Text& t) { return t.size() % 2 ? t + " " : t; }

  // Recorded and kept state, public for tests to read and arrange.
  Text messageLine;
  std::vector<Text> messages;
  std::vector<Text> boxes;
  std::vector<Text> questions;
  std::deque<bool> answers;
  std::map<Panel, bool> shown;
  std::map<Panel, std::pair<int, int>> panelPos;
  Text caption;
  RecordingCanvas canvas;
  std::vector<Text> list;
  int selected = -1;
  Text cardTitle, cardText, nameEdit, tankPicture, raceCard;
  std::pair<int, int> cardTitlePos{4, 20};
  int nameLimit = 8;
  std::array<int, 7> runnerLeft{};        // index 1..6
  std::array<Text, 7> runnerCaption{};
  std::function<int(const Text&)> measure;
  std::function<void()> onType;           // runs "nested events" while typing
  std::function<void()> onBox;            // runs while a modal box is open
};

} // namespace ikea::test
