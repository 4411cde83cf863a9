#pragma once

class QLabel;
class QWidget;

namespace korvane::ui {

// Tells screen readers which caption labels a box or a list: that caption alone, where Qt gives
// every control inside a frame the frame's caption as its label, and names a list by its current
// item alone on Linux. Once a control is labelled, a screen reader finds it with its own name (what
// the control's accessibleName says; on Linux a list's name goes on with its current item), its
// text or current item as its value, and the caption as its one label, which in turn labels it
// and the other controls it stands for; the frame around them labels only what has no caption of
// its own. Null for a control without a caption.
void LabelControl(QWidget* control, QLabel* caption);

} // namespace korvane::ui
