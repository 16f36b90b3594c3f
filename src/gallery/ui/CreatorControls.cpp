// The creator's controls, group by group, with their captions, defaults and
// ranges.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gallery/ui/StyleOptionsForm.h"
#include "gallery/ui/ThumbnailCreatorForm.h"
#include "ui/Named.h"

namespace lumarte::gallery {

namespace {

using ui::Named;

QSpinBox* Spin(const char* name, int min, int max, int value) {
  auto* spin = Named(new QSpinBox, name);
  spin->setRange(min, max);
  spin->setValue(value);
  return spin;
}

QPushButton* Button(const char* name, const char* caption) {
  return Named(new QPushButton(caption), name);
}

QLabel* Caption(const char* text, QWidget* buddy) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

QWidget* TThumbnailCreatorForm::BuildDirectories() {
  DirectoriesGroup = Named(new QGroupBox("Directories"), "DirectoriesGroup");
  HTMLDIREdit = Named(new QLineEdit, "HTMLDIREdit");
  ImageDirEdit = Named(new QLineEdit("images"), "ImageDirEdit");
  HTMLFileEdit = Named(new QLineEdit, "HTMLFileEdit");
  HTMLFileEdit->setPlaceholderText("e.g. gallery.html");
  TemplateNameEdit = Named(new QLineEdit("- no template -"), "TemplateNameEdit");
  TemplateNameEdit->setReadOnly(true);
  Button4 = Button("Button4", "Select");
  Select = Button("Select", "Select");
  Button13 = Button("Button13", "use Lumarte HTML Template");
  auto* grid = new QGridLayout(DirectoriesGroup);
  grid->addWidget(Caption("HTML-Dir:", HTMLDIREdit), 0, 0);
  grid->addWidget(HTMLDIREdit, 0, 1);
  grid->addWidget(Button4, 0, 2);
  grid->addWidget(Caption("Image-Dir:", ImageDirEdit), 1, 0);
  grid->addWidget(ImageDirEdit, 1, 1);
  grid->addWidget(Caption("HTML-File", HTMLFileEdit), 2, 0);
  grid->addWidget(HTMLFileEdit, 2, 1);
  grid->addWidget(Select, 2, 2);
  grid->addWidget(Caption("Template", TemplateNameEdit), 3, 0);
  grid->addWidget(TemplateNameEdit, 3, 1);
  grid->addWidget(Button13, 3, 2);
  grid->setColumnStretch(1, 1);
  return Slot(DirectoriesGroup);
}

QWidget* TThumbnailCreatorForm::BuildStyle() {
  StyleGroup = Named(new QGroupBox("Style"), "StyleGroup");
  HTMLListRadioButton = Radio("HTMLListRadioButton", "List");
  HTMLParaRadioButton = Radio("HTMLParaRadioButton", "Paragraph");
  HTMLTableRadioButton = Radio("HTMLTableRadioButton", "Table with");
  HTMLCollageRadioButton = Radio("HTMLCollageRadioButton", "Collage, Image Map");
  HTMLTableRadioButton->setChecked(true);
  ListRowEdit = Spin("ListRowEdit", 1, 99, 20);
  ColEdit = Spin("ColEdit", 1, 99, 5);
  RowEdit = Spin("RowEdit", 1, 99, 3);
  ListOptionsButton = Button("ListOptionsButton", "List options");
  ParaOptionsButton = Button("ParaOptionsButton", "Paragraph opt.");
  TableOptionsButton = Button("TableOptionsButton", "Table options");
  CollageOptionsButton = Button("CollageOptionsButton", "Collage opt.");
  auto* grid = new QGridLayout(StyleGroup);
  grid->addWidget(HTMLListRadioButton, 0, 0);
  grid->addWidget(Caption("Rows/Pics", ListRowEdit), 0, 1, Qt::AlignRight);
  grid->addWidget(ListRowEdit, 0, 2);
  grid->addWidget(ListOptionsButton, 0, 6);
  grid->addWidget(HTMLParaRadioButton, 1, 0);
  grid->addWidget(ParaOptionsButton, 1, 6);
  grid->addWidget(HTMLTableRadioButton, 2, 0);
  grid->addWidget(Caption("Cols", ColEdit), 2, 1, Qt::AlignRight);
  grid->addWidget(ColEdit, 2, 2);
  grid->addWidget(Caption("Rows", RowEdit), 2, 3, Qt::AlignRight);
  grid->addWidget(RowEdit, 2, 4);
  grid->addWidget(TableOptionsButton, 2, 6);
  grid->addWidget(HTMLCollageRadioButton, 3, 0, 1, 5);
  grid->addWidget(CollageOptionsButton, 3, 6);
  grid->setColumnStretch(5, 1);
  return Slot(StyleGroup);
}

QWidget* TThumbnailCreatorForm::BuildThumbnails() {
  ThumbnailsGroup = Named(new QGroupBox("Thumbnails"), "ThumbnailsGroup");
  HighCompQualRadioButton = Radio("HighCompQualRadioButton", "high");
  MiddleCompQualRadioButton = Radio("MiddleCompQualRadioButton", "middle");
  LowCompQualRadioButton = Radio("LowCompQualRadioButton", "low");
  VeryLowCompQualRadioButton = Radio("VeryLowCompQualRadioButton", "very low");
  MiddleCompQualRadioButton->setChecked(true);
  LimitRadioButton = Radio("LimitRadioButton", "limit");
  HardLimitRadioButton = Radio("HardLimitRadioButton", "hard limit");
  StretchRadioButton = Radio("StretchRadioButton", "stretch");
  FitRadioButton = Radio("FitRadioButton", "fit");
  LimitRadioButton->setChecked(true);
  WidthEdit = Spin("WidthEdit", 1, 32000, 70);
  HeightEdit = Spin("HeightEdit", 1, 32000, 70);
  large = Button("large", "large");
  medium = Button("medium", "medium");
  Button8 = Button("Button8", "small");
  NoExtensionCheckBox = Named(new QCheckBox("Images = Thumbnails"), "NoExtensionCheckBox");
  auto* size = new QGridLayout;
  size->addWidget(Caption("Width", WidthEdit), 0, 0);
  size->addWidget(WidthEdit, 0, 1);
  size->addWidget(Caption("Height", HeightEdit), 1, 0);
  size->addWidget(HeightEdit, 1, 1);
  auto* presets = new QHBoxLayout;
  for (QPushButton* b : {large, medium, Button8}) presets->addWidget(b);
  size->addLayout(presets, 2, 0, 1, 2);
  size->addWidget(NoExtensionCheckBox, 3, 0, 1, 2);
  size->setRowStretch(4, 1);
  auto* row = new QHBoxLayout(ThumbnailsGroup);
  row->addWidget(RadioGroup("QualityGroup", "Quality",
                            {HighCompQualRadioButton, MiddleCompQualRadioButton,
                             LowCompQualRadioButton, VeryLowCompQualRadioButton}));
  row->addWidget(RadioGroup("SizingGroup", "Size",
                            {LimitRadioButton, HardLimitRadioButton, StretchRadioButton,
                             FitRadioButton}));
  row->addLayout(size, 1);
  return Slot(ThumbnailsGroup);
}

QWidget* TThumbnailCreatorForm::BuildImages() {
  ImagesGroup = Named(new QGroupBox("Images"), "ImagesGroup");
  ImageResizeCheckBox = Named(new QCheckBox("resize if image height/width is greater than"),
                              "ImageResizeCheckBox");
  GreaterThanEdit = Spin("GreaterThanEdit", 0, 32000, 800);
  AdjustCompressionCheckBox =
      Named(new QCheckBox("let me adjust the compression/quality for each image"),
            "AdjustCompressionCheckBox");
  LinkIsHTMLCheckbox = Named(new QCheckBox("link to HTML, not Image"), "LinkIsHTMLCheckbox");
  Button15 = Button("Button15", "Image HTML options");
  Button15->setEnabled(false);
  noHTMLCheckBox = Named(new QCheckBox("no HTML, only images"), "noHTMLCheckBox");
  TargetFrameCheckBox = Named(new QCheckBox("Target Frame "), "TargetFrameCheckBox");
  TargetFrameEdit = Named(new QLineEdit, "TargetFrameEdit");
  TargetFrameEdit->setEnabled(false);
  ShowHTMLCodeCheckBox = Named(new QCheckBox("show the HTML code"), "ShowHTMLCodeCheckBox");
  auto* grid = new QGridLayout(ImagesGroup);
  grid->addWidget(ImageResizeCheckBox, 0, 0);
  grid->addWidget(GreaterThanEdit, 0, 1);
  grid->addWidget(AdjustCompressionCheckBox, 1, 0, 1, 2);
  grid->addWidget(LinkIsHTMLCheckbox, 2, 0);
  grid->addWidget(Button15, 2, 1);
  grid->addWidget(noHTMLCheckBox, 3, 0, 1, 2);
  grid->addWidget(TargetFrameCheckBox, 4, 0);
  grid->addWidget(TargetFrameEdit, 4, 1);
  grid->addWidget(ShowHTMLCodeCheckBox, 5, 0, 1, 2);
  return Slot(ImagesGroup);
}

QWidget* TThumbnailCreatorForm::BuildList() {
  auto* panel = new QWidget;
  ImagesListBox = Named(new QListWidget, "ImagesListBox");
  ImagesListBox->setToolTip("0 Images");
  ImagesListBox->setMinimumWidth(200);
  Button14 = Button("Button14", "Add");
  Button1 = Button("Button1", "Up");
  Button2 = Button("Button2", "Down");
  Button3 = Button("Button3", "Remove");
  Button11 = Button("Button11", "Clear");
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {Button14, Button1, Button2, Button3, Button11}) buttons->addWidget(b);
  buttons->addStretch();
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(ImagesListBox, 1);
  row->addLayout(buttons);
  return panel;
}

QWidget* TThumbnailCreatorForm::BuildEntry() {
  auto* group = Named(new QGroupBox("Image"), "EntryGroup");
  NmEdit = Named(new QLineEdit, "NmEdit");
  FNEdit = Named(new QLineEdit, "FNEdit");
  FNEdit->setReadOnly(true);
  HintEdit = Named(new QLineEdit, "HintEdit");
  DescEdit = Named(new QPlainTextEdit, "DescEdit");
  DescEdit->setFixedHeight(64);
  PreviewImage = Named(new QLabel, "PreviewImage");
  PreviewImage->setFixedSize(105, 105);
  PreviewImage->setScaledContents(true);
  PreviewImage->setFrameShape(QFrame::StyledPanel);
  // Hiding the preview must not move the check box below it.
  QSizePolicy keep = PreviewImage->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  PreviewImage->setSizePolicy(keep);
  ShowCheckBox = Named(new QCheckBox("show image"), "ShowCheckBox");
  ShowCheckBox->setChecked(true);
  auto* grid = new QGridLayout(group);
  grid->addWidget(Caption("Save As", NmEdit), 0, 0);
  grid->addWidget(NmEdit, 0, 1);
  grid->addWidget(Caption("File", FNEdit), 1, 0);
  grid->addWidget(FNEdit, 1, 1);
  grid->addWidget(Caption("Hint", HintEdit), 2, 0);
  grid->addWidget(HintEdit, 2, 1);
  grid->addWidget(Caption("Description", DescEdit), 3, 0, Qt::AlignTop);
  grid->addWidget(DescEdit, 3, 1);
  auto* preview = new QVBoxLayout;
  preview->addWidget(PreviewImage);
  preview->addWidget(ShowCheckBox);
  preview->addStretch();
  grid->addLayout(preview, 0, 2, 4, 1);
  grid->setColumnStretch(1, 1);
  return group;
}

}  // namespace lumarte::gallery
