#pragma once
// The print options dialog: orientation, the share of the page the image
// takes, its alignment, copies and whether every open image is printed.
// Made on first use and kept, so its settings last for the run.
#include <functional>
#include <optional>

#include <QDialog>

#include "editor/model/PrintLayout.h"

class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace lumarte::editor {

class TPrintForm : public QDialog {
 public:
  explicit TPrintForm(QWidget* parent = nullptr);

  // Called at once when an orientation button is clicked, so that the
  // system print dialog shows that orientation (true: landscape).
  std::function<void(bool)> OrientationClicked;

  // The options on Print, nothing on Cancel.
  std::optional<TPrintOptions> Execute();
  TPrintOptions Options() const;

  QRadioButton* PFPortraitRadioButton;
  QRadioButton* PFLandscapeRadioButton;
  QSpinBox* TargetWidthSpinEdit;
  QSpinBox* TargetHeightSpinEdit;
  QRadioButton* PFLeftRadioButton;
  QRadioButton* PFCenterRadioButton;
  QRadioButton* PFRightRadioButton;
  QRadioButton* PFTopRadioButton;
  QRadioButton* PFMiddleRadioButton;
  QRadioButton* PFBottomRadioButton;
  QSpinBox* NumOfCopiesSpinEdit;
  QCheckBox* PFAllImagesCheckBox;

 private:
  void PFPortraitRadioButtonClick();
  void PFLandscapeRadioButtonClick();
};

}  // namespace lumarte::editor
