#include "gallery/ui/CollageOptionsForm.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/Named.h"

namespace lumarte::gallery {

TThumbnailCreatorCollageOptionsForm::TThumbnailCreatorCollageOptionsForm(QWidget* parent)
    : TStyleOptionsForm("ThumbnailCreatorCollageOptionsForm", "Options Collage/Image Map",
                        parent),
      TableRadioButton(Radio("TableRadioButton", "Table")),
      RandomRadioButton(Radio("RandomRadioButton", "Random")),
      CircleRadioButton(Radio("CircleRadioButton", "Circle")),
      ComboBox1(ColourComboBox("ComboBox1")),
      CenterCheckbox(ui::Named(new QCheckBox("Align images in center "), "CenterCheckbox")) {
  Body->addWidget(RadioGroup("PartitioningGroup", "Partitioning",
                             {TableRadioButton, RandomRadioButton, CircleRadioButton}));
  auto* form = new QFormLayout;
  form->addRow("Background Color", ComboBox1);
  Body->addLayout(form);
  Body->addWidget(CenterCheckbox);
  CSSClassEdit = AddCssClassRow();
  auto* note = ui::Named(
      new QLabel("The number of images is taken from the table options Rows and Cols."), "Label3");
  note->setWordWrap(true);
  Body->addWidget(note);
  Load(TGallerySettings());
}

void TThumbnailCreatorCollageOptionsForm::Load(const TGallerySettings& s) {
  QRadioButton* pick[] = {TableRadioButton, RandomRadioButton, CircleRadioButton};
  pick[static_cast<int>(s.Collage.Partitioning)]->setChecked(true);
  const int at = ComboBox1->findText(QString::fromStdString(s.Collage.BackgroundColor));
  ComboBox1->setCurrentIndex(std::max(0, at));
  CenterCheckbox->setChecked(s.Collage.Center);
  CSSClassEdit->setText(QString::fromStdString(s.Collage.CSSClass));
}

void TThumbnailCreatorCollageOptionsForm::Store(TGallerySettings& s) const {
  s.Collage.Partitioning = RandomRadioButton->isChecked()   ? TCollagePartitioning::Random
                           : CircleRadioButton->isChecked() ? TCollagePartitioning::Circle
                                                            : TCollagePartitioning::Table;
  s.Collage.BackgroundColor = ComboBox1->currentText().toStdString();
  s.Collage.Center = CenterCheckbox->isChecked();
  s.Collage.CSSClass = CSSClassEdit->text().toStdString();
}

}  // namespace lumarte::gallery
