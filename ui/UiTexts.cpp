// Compiled as cp932.
#include "ui/UiTexts.h"

namespace ikea::ui {
namespace {

constexpr FramePicture kFramePictures[] = {
    {"title1", "\\cg\\1.jpg"}, {"title2", "\\cg\\2.jpg"}, {"title3", "\\cg\\3.jpg"},
    {"title4", "\\cg\\4.jpg"}, {"title5", "\\cg\\5.jpg"}, {"title6", "\\cg\\6.jpg"},
    {"h1", "\\cg\\h1.jpg"},    {"h2", "\\cg\\h2.jpg"},    {"h3", "\\cg\\h3.jpg"},
    {"h4", "\\cg\\h4.jpg"},    {"h5", "\\cg\\h5.jpg"},    {"h6", "\\cg\\h6.jpg"},
    {"y1", "\\cg\\y1.jpg"},    {"y2", "\\cg\\y2.jpg"},    {"y3", "\\cg\\y3.jpg"},
    {"y4", "\\cg\\y4.jpg"},    {"y5", "\\cg\\y5.jpg"},    {"y6", "\\cg\\y6.jpg"},
    {"n1", "\\cg\\n1.jpg"},    {"n2", "\\cg\\n2.jpg"},    {"n3", "\\cg\\n3.jpg"},
    {"n4", "\\cg\\n4.jpg"},    {"n5", "\\cg\\n5.jpg"},    {"n6", "\\cg\\n6.jpg"},
};

}  // namespace

Text WindowCaption() { return "豆煮え爺の池遊び ver2.0"; }
Text BackgroundPicture() { return "\\cg\\背景.bmp"; }
Text OpeningMusic() { return "op.mid"; }
Text HelpCue() { return "1.wav"; }
Text Image4Cue() { return "zuzu.wav"; }

std::span<const FramePicture> FramePictures() { return kFramePictures; }

}  // namespace ikea::ui
