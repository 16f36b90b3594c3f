#include "gallery/ui/ThumbnailWizardForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "gallery/ui/ThumbnailCreatorForm.h"
#include "ui/ErrorHandler.h"
#include "ui/Named.h"

namespace lumarte::gallery {

namespace {

struct TWizardStep {
  const char* Text;
  int FontSize;  // 0: the dialog's own
  bool HasGroup;
  TCreatorGroup Group;
};

const TWizardStep kSteps[5] = {
    {"Please select the directories and name of the HTML file.\n"
     "You may also select a template that contains code and settings for various kinds of "
     "galleries.",
     0, true, TCreatorGroup::Directories},
    {"Let's you select a style and options for the style.\n"
     "Table and List are available, other styles are being planned.",
     0, true, TCreatorGroup::Style},
    {"The lower the quality of the thumbnail the better the compression. Width and Height "
     "specify the target width and height for the thumbnails. Limit, Stretch and Fit are "
     "different ways to adjust the size.",
     8, true, TCreatorGroup::Thumbnails},
    {"Link to HTML means that the thumbnail will link to a HTML page that contains the image.",
     10, true, TCreatorGroup::Images},
    {"When you press Finish a dialog will ask you to select some images. Then the thumbnail "
     "creator window will open for further editing.",
     10, false, TCreatorGroup::Images},
};

}  // namespace

TThumbnailWizardForm::TThumbnailWizardForm(TThumbnailCreatorForm& creator)
    : QDialog(&creator, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      StepGroup(ui::Named(new QGroupBox, "StepGroup")),
      Memo1(ui::Named(new QPlainTextEdit, "Memo1")),
      BackButton(ui::Named(new QPushButton("Back"), "BackButton")),
      NextButton(ui::Named(new QPushButton("Next"), "NextButton")),
      Creator(creator) {
  setObjectName("ThumbnailWizardForm");
  Memo1->setReadOnly(true);
  Memo1->setFixedHeight(64);
  Memo1->setFrameShape(QFrame::NoFrame);
  Memo1->viewport()->setAutoFillBackground(false);
  auto* inside = new QVBoxLayout(StepGroup);
  inside->addWidget(Memo1);
  GroupPlace = new QVBoxLayout;
  inside->addLayout(GroupPlace);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BackButton);
  buttons->addWidget(NextButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(StepGroup);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  NextButton->setDefault(true);
  connect(BackButton, &QPushButton::clicked, this, [this] { BackClick(); });
  connect(NextButton, &QPushButton::clicked, this, [this] { NextClick(); });
}

void TThumbnailWizardForm::Execute() {
  ShowStep(1);
  exec();
}

void TThumbnailWizardForm::BackClick() {
  if (StepNumber > 1) ShowStep(StepNumber - 1);
}

void TThumbnailWizardForm::NextClick() {
  if (StepNumber < 5) {
    ShowStep(StepNumber + 1);
    return;
  }
  accept();
  // The creator asks for images once the wizard is gone.
  QTimer::singleShot(0, &Creator, [c = &Creator] { ui::RunGuarded([c] { c->AddThumnails1Click(); }); });
}

void TThumbnailWizardForm::ShowStep(int step) {
  GiveBack();
  StepNumber = step;
  const TWizardStep& s = kSteps[step - 1];
  StepGroup->setTitle(QString("Step %1").arg(step));
  setWindowTitle("Thumbnail Creator Wizard - " + StepGroup->title());
  QFont font = this->font();
  if (s.FontSize > 0) font.setPointSize(s.FontSize);
  Memo1->setFont(font);
  Memo1->setPlainText(s.Text);
  if (s.HasGroup) {
    BorrowedGroup = Creator.LendGroup(s.Group);
    GroupPlace->addWidget(BorrowedGroup);
    BorrowedGroup->show();
  }
  BackButton->setEnabled(step > 1);
  NextButton->setText(step == 5 ? "Finish" : "Next");
}

void TThumbnailWizardForm::GiveBack() {
  if (!BorrowedGroup) return;
  Creator.ReturnGroup(BorrowedGroup);
  BorrowedGroup = nullptr;
}

void TThumbnailWizardForm::done(int result) {
  GiveBack();
  QDialog::done(result);
}

}  // namespace lumarte::gallery
