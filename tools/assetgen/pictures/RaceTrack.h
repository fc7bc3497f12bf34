#pragma once
// The race course shown under the six runner labels of the race panel.
#include <QImage>

namespace ikea::artwork {

constexpr int kRaceTrackWidth = 381;
constexpr int kRaceTrackHeight = 101;
constexpr int kRaceLanes = 6;

// Where the course's features sit, in picture pixels. The panel places the
// picture at (8, 24), so the runner labels (left 12, tops 28 + 16 i) start at
// x 4 and the red finish bar (panel x 372) falls on x 364.
constexpr int kRaceStartX = 4;
constexpr int kRaceRunInX = 192;  // the panel's 200-pixel mark
constexpr int kRaceFinishX = 364;
constexpr int LaneTop(int lane) { return 2 + 16 * lane; }  // lane 0..5, 16 pixels high

// Needs a QGuiApplication for the lane numbers' font.
QImage DrawRaceTrack();

} // namespace ikea::artwork
