#pragma once
// Opening a kept dialog again as if it were new: Qt returns the focus to the
// widget that had it last (often the button that closed the dialog), so
// digits went nowhere and Enter meant Cancel.
class QDialog;

namespace lumarte::ui {

// Puts the focus on the dialog's first input (its text selected) and runs it
// modally; gives exec()'s result.
int ExecFromFirstInput(QDialog& dialog);

}  // namespace lumarte::ui
