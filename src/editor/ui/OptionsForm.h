#pragma once
// The Options dialog: the length of the recent-file list and the default
// folder, both taking effect at the next start.
#include <functional>
#include <optional>
#include <string>

#include <QDialog>

#include "editor/model/ProgramSettings.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace lumarte::editor {

class TOptionsForm : public QDialog {
 public:
  explicit TOptionsForm(TSettings& settings, QWidget* parent = nullptr);

  // The folder chooser; nothing when cancelled. Tests replace it.
  std::function<std::optional<std::string>()> ChooseFolder;

  // Shows the stored values and runs the dialog modally.
  void Execute();
  // Puts the settings into the controls.
  void ShowSettings();

  QGroupBox* GroupBox1;
  QLabel* Label1;
  QSpinBox* SpinEdit1;
  QCheckBox* CheckBox1;
  QLineEdit* Edit1;
  QPushButton* Button1;  // "Select a Directory"
  QPushButton* Button2;  // "OK"

 private:
  void SelectDirectory();
  TSettings& Settings;
};

}  // namespace lumarte::editor
