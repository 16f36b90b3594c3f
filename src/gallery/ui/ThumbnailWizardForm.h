#pragma once
// "Thumbnail Creator Wizard": five steps through the creator's settings. Each
// step borrows one group of the creator's window and gives it back when the
// step changes or the wizard closes.
#include <QDialog>

class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace lumarte::gallery {

class TThumbnailCreatorForm;

class TThumbnailWizardForm : public QDialog {
 public:
  explicit TThumbnailWizardForm(TThumbnailCreatorForm& creator);

  // Shows the wizard modally from step 1.
  void Execute();
  int Step() const { return StepNumber; }
  void BackClick();
  void NextClick();
  // The group shown in the current step, or null.
  QGroupBox* Borrowed() const { return BorrowedGroup; }

  QGroupBox* StepGroup;
  QPlainTextEdit* Memo1;
  QPushButton *BackButton, *NextButton;

 protected:
  void done(int result) override;

 private:
  void ShowStep(int step);
  void GiveBack();
  TThumbnailCreatorForm& Creator;
  QVBoxLayout* GroupPlace;
  QGroupBox* BorrowedGroup = nullptr;
  int StepNumber = 1;
};

}  // namespace lumarte::gallery
