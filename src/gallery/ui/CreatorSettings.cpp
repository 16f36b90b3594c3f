// The creator's settings as its controls and option dialogs show them, and
// back (a template's OK changes them).
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "gallery/ui/CollageOptionsForm.h"
#include "gallery/ui/ImageHTMLOptionsForm.h"
#include "gallery/ui/ListOptionsForm.h"
#include "gallery/ui/ParaOptionsForm.h"
#include "gallery/ui/TableOptionsForm.h"
#include "gallery/ui/TemplateForm.h"
#include "gallery/ui/ThumbnailCreatorForm.h"

namespace lumarte::gallery {

namespace {

template <typename E, size_t N>
E Checked(QRadioButton* const (&buttons)[N], E fallback) {
  for (size_t i = 0; i < N; ++i)
    if (buttons[i]->isChecked()) return static_cast<E>(i);
  return fallback;
}

std::string Text(const QLineEdit* edit) {
  return edit->text().trimmed().toStdString();
}

}  // namespace

TGallerySettings TThumbnailCreatorForm::Settings() const {
  TGallerySettings s;
  s.HTMLDir = Text(HTMLDIREdit);
  while (s.HTMLDir.size() > 1 && s.HTMLDir.back() == '/') s.HTMLDir.pop_back();
  s.ImageDir = NormalizeImageDir(ImageDirEdit->text().toStdString());
  s.HTMLFile = Text(HTMLFileEdit);
  s.TemplateName = TemplateForm->TemplateName();
  QRadioButton* const styles[] = {HTMLListRadioButton, HTMLParaRadioButton, HTMLTableRadioButton,
                                  HTMLCollageRadioButton};
  s.Style = Checked(styles, TGalleryStyle::Table);
  s.ListRows = ListRowEdit->value();
  s.Cols = ColEdit->value();
  s.Rows = RowEdit->value();
  QRadioButton* const qualities[] = {HighCompQualRadioButton, MiddleCompQualRadioButton,
                                     LowCompQualRadioButton, VeryLowCompQualRadioButton};
  s.Quality = Checked(qualities, TThumbQuality::Middle);
  QRadioButton* const modes[] = {LimitRadioButton, HardLimitRadioButton, StretchRadioButton,
                                 FitRadioButton};
  s.Sizing = Checked(modes, TSizingMode::Limit);
  s.Width = WidthEdit->value();
  s.Height = HeightEdit->value();
  s.ImageResize = ImageResizeCheckBox->isChecked();
  s.GreaterThan = GreaterThanEdit->value();
  s.AdjustCompression = AdjustCompressionCheckBox->isChecked();
  s.LinkIsHTML = LinkIsHTMLCheckbox->isChecked();
  s.NoHTML = noHTMLCheckBox->isChecked();
  s.ImagesAreThumbnails = NoExtensionCheckBox->isChecked();
  s.ShowHTMLCode = ShowHTMLCodeCheckBox->isChecked();
  s.UseTargetFrame = TargetFrameCheckBox->isChecked();
  s.TargetFrame = TargetFrameEdit->text().toStdString();
  ListOptionsForm->Store(s);
  TableOptionsForm->Store(s);
  ParaOptionsForm->Store(s);
  CollageOptionsForm->Store(s);
  ImageHTMLOptionsForm->Store(s);
  TemplateForm->StoreParameters(s);
  s.ProgramFolder = ProgramFolder;
  return s;
}

void TThumbnailCreatorForm::ShowSettings(const TGallerySettings& s) {
  QRadioButton* const styles[] = {HTMLListRadioButton, HTMLParaRadioButton, HTMLTableRadioButton,
                                  HTMLCollageRadioButton};
  styles[static_cast<int>(s.Style)]->setChecked(true);
  ListRowEdit->setValue(s.ListRows);
  ColEdit->setValue(s.Cols);
  RowEdit->setValue(s.Rows);
  TargetFrameCheckBox->setChecked(s.UseTargetFrame);
  TargetFrameEdit->setText(QString::fromStdString(s.TargetFrame));
  LinkIsHTMLCheckbox->setChecked(s.LinkIsHTML);
  ListOptionsForm->Load(s);
  TableOptionsForm->Load(s);
  ParaOptionsForm->Load(s);
  CollageOptionsForm->Load(s);
  ImageHTMLOptionsForm->Load(s);
}

}  // namespace lumarte::gallery
