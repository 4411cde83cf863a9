#pragma once

namespace korvane::ui {

// How Qt draws inside the design's controls, set once for the whole program before any window:
// the design's fonts or their stand-ins, the Fusion style on every desktop so that the windows
// look and measure the same everywhere, text boxes that give their whole width to the text,
// frames with their caption on the border and the window's colour inside, a focus mark on lists,
// buttons and result boxes that a keyboard user can follow, and the menu bar's chosen item marked
// while the keyboard is on the menu bar.
void InstallDesignLook();

} // namespace korvane::ui
