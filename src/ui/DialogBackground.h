#pragma once
// The program-wide dialog background: every dialog shows one picture
// stretched over its client area, behind its controls.
#include <QImage>

class QWidget;

namespace lumarte::ui {

void SetDialogBackgroundPicture(const QImage& picture);
const QImage& DialogBackgroundPicture();
// Paints the background picture under dialog's controls from now on.
void InstallDialogBackground(QWidget* dialog);
// Every dialog of the program shown from now on gets the background (the
// system's message boxes and file, colour and font choosers keep theirs).
void InstallDialogBackgrounds();

}  // namespace lumarte::ui
