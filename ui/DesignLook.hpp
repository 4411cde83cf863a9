#pragma once

namespace korvane::ui {

// How Qt draws inside the design's controls, set once for the whole program before any window:
// the design's fonts or their stand-ins, the Fusion style on every desktop so that the windows
// look and measure the same everywhere, text boxes that give their whole width to the text,
// frames with their caption on the border and the window's colour inside, and a focus mark on
// lists and buttons that a keyboard user can follow.
void InstallDesignLook();

} // namespace korvane::ui
