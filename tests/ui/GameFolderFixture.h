#pragma once
// A game folder in a temporary directory with every file the window reads
// at start-up, and a window built over it with recording parts.
#include <QTemporaryDir>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "game/Clock.h"
#include "game/Random.h"
#include "tests/support/RecordingSound.h"
#include "tests/support/ScriptedDialogs.h"
#include "ui/Form1.h"

namespace ikea::test {

// The colour of title frame k (1..6) in the test pictures.
QRgb TitleColour(int k);

class GameFolderTest : public ::testing::Test {
protected:
  GameFolderTest();

  std::filesystem::path Folder() const { return folder_; }
  std::filesystem::path File(const std::string& utf8Relative) const { return folder_ / utf8Relative; }
  void WriteFile(const std::string& utf8Relative, const std::vector<std::uint8_t>& bytes);
  void WriteText(const std::string& utf8Relative, const std::string& bytes);

  // Builds the window (running its start-up) over the folder.
  TForm1& Open();

  ManualClock clock;
  TwisterRandom random{7};
  RecordingSound sound;
  ScriptedDialogs dialogs;
  int cueWaveReleases = 0;
  std::function<void()> loadCueWaves;
  std::unique_ptr<TForm1> form;

private:
  QTemporaryDir dir_;
  std::filesystem::path folder_;
};

// cp932 from a UTF-8 literal of the test.
Text Sjis(const std::string& utf8);

}  // namespace ikea::test
