#include "gallery/ui/TemplateForm.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <filesystem>

#include "gallery/model/ColourList.h"
#include "gallery/model/GalleryImages.h"
#include "gallery/model/Templates.h"
#include "gallery/ui/StyleOptionsForm.h"
#include "platform/RasterImage.h"
#include "ui/ErrorHandler.h"
#include "ui/Named.h"
#include "ui/OkCancel.h"

namespace lumarte::gallery {

namespace {

constexpr int kPreviewSize = 65;

bool IsFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

TThumbnailCreatorTemplateForm::TThumbnailCreatorTemplateForm(QWidget* parent)
    : QDialog(parent),
      NoTemplateRadioButton(Radio("NoTemplateRadioButton", "no Template")),
      UseTemplateRadioButton(Radio("UseTemplateRadioButton", "use Template")),
      TemplateComboBox(ui::Named(new QComboBox, "TemplateComboBox")),
      Image2(ui::Named(new QLabel, "Image2")),
      DescriptionLabel(ui::Named(new QLabel, "DescriptionLabel")),
      ParameterLabel(ui::Named(
          new QLabel("Parameters: (select other colors, a different title...)"), "ParameterLabel")) {
  setObjectName("ThumbnailCreatorTemplateForm");
  setWindowTitle("Thumbnail Creator Select Template");
  NoTemplateRadioButton->setChecked(true);
  TemplateComboBox->setMinimumWidth(180);
  Image2->setFixedSize(kPreviewSize, kPreviewSize);
  Image2->setScaledContents(true);
  QSizePolicy keep = Image2->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  Image2->setSizePolicy(keep);
  TemplateComboBox->setPlaceholderText("Select a template");
  Image2->hide();
  DescriptionLabel->setWordWrap(true);
  DescriptionLabel->setMinimumHeight(36);
  DescriptionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* choice = new QGridLayout;
  choice->addWidget(NoTemplateRadioButton, 0, 0);
  choice->addWidget(UseTemplateRadioButton, 1, 0);
  auto* combo = new QFormLayout;
  combo->addRow("Template", TemplateComboBox);
  choice->addLayout(combo, 1, 1);
  choice->addWidget(Image2, 0, 2, 2, 1);
  choice->setColumnStretch(1, 1);

  const ui::TOkCancelButtons buttons =
      ui::OkCancelButtons(this, {.OkName = "Button1", .CancelName = "Button2"});
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(buttons.Ok);
  row->addWidget(buttons.Cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choice);
  layout->addWidget(DescriptionLabel);
  layout->addWidget(ParameterLabel);
  layout->addWidget(BuildParameterRows());
  layout->addLayout(row);

  connect(TemplateComboBox, &QComboBox::activated, this, [this](int index) {
    ui::RunGuarded([&] { SelectTemplate(TemplateComboBox->itemText(index).toStdString()); });
  });
}

QWidget* TThumbnailCreatorTemplateForm::BuildParameterRows() {
  auto* panel = new QWidget;
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  for (int k = 0; k < 8; ++k) {
    const std::string n = std::to_string(k + 1);
    Labels[k] = ui::Named(new QLabel, ("Label" + n).c_str());
    Labels[k]->setMinimumWidth(90);
    Edits[k] = ui::Named(new QLineEdit, ("Edit" + n).c_str());
    Edits[k]->setEnabled(false);
    Edits[k]->setMinimumWidth(200);
    ComboBoxes[k] = ColourComboBox(("ComboBox" + n).c_str());
    ComboBoxes[k]->setPlaceholderText("Select Color");
    ComboBoxes[k]->setCurrentIndex(-1);
    ComboBoxes[k]->setEnabled(false);
    grid->addWidget(Labels[k], k, 0);
    grid->addWidget(Edits[k], k, 1);
    grid->addWidget(ComboBoxes[k], k, 2);
    connect(ComboBoxes[k], &QComboBox::activated, this, [this, k](int item) { ColourChosen(k, item); });
  }
  grid->setColumnStretch(1, 1);
  return panel;
}

void TThumbnailCreatorTemplateForm::FillTemplateList() {
  const QString selected = TemplateComboBox->currentText();
  const QSignalBlocker quiet(TemplateComboBox);
  TemplateComboBox->clear();
  for (const std::string& name : TemplateNames(Folder)) TemplateComboBox->addItem(QString::fromStdString(name));
  TemplateComboBox->setCurrentIndex(selected.isEmpty() ? -1 : TemplateComboBox->findText(selected));
}

bool TThumbnailCreatorTemplateForm::Execute() {
  FillTemplateList();
  const TShown shown = Remember();
  if (exec() == QDialog::Accepted) return true;
  Restore(shown);
  return false;
}

std::string TThumbnailCreatorTemplateForm::TemplateName() const {
  return TemplateComboBox->currentIndex() < 0 ? std::string()
                                              : TemplateComboBox->currentText().toStdString();
}

bool TThumbnailCreatorTemplateForm::UseTemplate() const {
  return UseTemplateRadioButton->isChecked();
}

void TThumbnailCreatorTemplateForm::ClearSelection() {
  TemplateComboBox->setCurrentIndex(-1);
}

void TThumbnailCreatorTemplateForm::StoreParameters(TGallerySettings& s) const {
  for (int k = 0; k < 8; ++k) {
    s.ParameterNames[k] = Labels[k]->text().toStdString();
    s.ParameterValues[k] = Edits[k]->text().toStdString();
  }
}

void TThumbnailCreatorTemplateForm::SelectTemplate(const std::string& name) {
  TemplateComboBox->setCurrentIndex(TemplateComboBox->findText(QString::fromStdString(name)));
  UseTemplateRadioButton->setChecked(true);
  ShowPreview(name);
  const std::string tpl = Folder + name + ".tpl";
  if (IsFile(tpl))
    ShowParameters(tpl);
  else
    DescriptionLabel->clear();
}

void TThumbnailCreatorTemplateForm::ShowPreview(const std::string& name) {
  const std::string picture = Folder + name + ".jpg";
  Image2->hide();
  if (!IsFile(picture)) return;
  try {
    Image2->setPixmap(QPixmap::fromImage(
        platform::StretchedImage(DecodeSource(picture), kPreviewSize, kPreviewSize)));
    Image2->show();
  } catch (const std::exception&) {
    // A damaged preview picture only leaves the preview empty.
  }
}

void TThumbnailCreatorTemplateForm::ShowParameters(const std::string& tplFile) {
  const TTemplateParameters t = ReadTemplateParameters(SplitLines(ReadWholeFile(tplFile)));
  DescriptionLabel->setText(QString::fromStdString(t.Description));
  for (int k = 0; k < 8; ++k) {
    ComboBoxes[k]->setEnabled(t.IsColour[k]);
    ComboBoxes[k]->setVisible(t.IsColour[k]);
    ComboBoxes[k]->setCurrentIndex(-1);
    Labels[k]->setText(QString::fromStdString(t.Names[k]));
    if (t.HasDefault[k]) Edits[k]->setText(QString::fromStdString(t.Defaults[k]));
    Edits[k]->setEnabled(k < t.Count);
  }
}

void TThumbnailCreatorTemplateForm::ColourChosen(int k, int item) {
  if (item < 0 || item >= ComboBoxes[k]->count()) return;
  Edits[k]->setText(QString::fromStdString(ColourParameter(ComboBoxes[k]->itemText(item).toStdString())));
}

TThumbnailCreatorTemplateForm::TShown TThumbnailCreatorTemplateForm::Remember() const {
  TShown shown{TemplateName(), UseTemplate(), {}};
  for (int k = 0; k < 8; ++k) shown.Values[k] = Edits[k]->text();
  return shown;
}

void TThumbnailCreatorTemplateForm::Restore(const TShown& shown) {
  if (shown.Template.empty())
    ClearSelection();
  else
    ui::RunGuarded([&] { SelectTemplate(shown.Template); });
  (shown.Use ? UseTemplateRadioButton : NoTemplateRadioButton)->setChecked(true);
  for (int k = 0; k < 8; ++k) Edits[k]->setText(shown.Values[k]);
}

}  // namespace lumarte::gallery
