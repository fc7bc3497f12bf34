#pragma once
// When the player first sees the game: with IKEASOBI_FRAME_LOG set to a file
// name, the program writes the wall-clock time in milliseconds (since the
// epoch) at which a visible window first finished painting, so a script that
// noted when it launched the program can tell launch-to-first-frame without
// polling the screen, which would take the CPU the start-up needs.
#include <string>

namespace ikea {

// Does nothing when path is empty. Call before the window is shown.
void StartFirstFrameLog(const std::string& path);

} // namespace ikea
