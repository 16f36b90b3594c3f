#pragma once
// "Select by Color": the reference colour and width that a by-colour
// selection passes. Its track bars write the values the selection test reads.
#include <QDialog>

#include "editor/model/SelectionTest.h"

class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

namespace lumarte::editor {

class TSelectByColorForm : public QDialog {
 public:
  TSelectByColorForm(TSelectByColor& values, QWidget* parent);

  QSlider *SBCRedTrackBar, *SBCGreenTrackBar, *SBCBlueTrackbar, *SBCWidthTrackbar;
  QSpinBox *TRedEdit, *TGreenEdit, *TBlueEdit, *TWidthEdit;
  QLabel* Image2;
  QPushButton* Button1;

 private:
  // A track bar's change: the values and the swatch follow.
  void Changed();
  TSelectByColor& Values;
};

}  // namespace lumarte::editor
