#include "editor/ui/QtPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSpinBox>

#include "editor/model/RasterConversion.h"
#include "editor/ui/NewImageForm.h"
#include "editor/ui/SaveChangedForm.h"
#include "editor/ui/TextForm.h"
#include "imaging/ImageDLLLoader.h"
#include "editor/ui/BitmapSaveForm.h"
#include "editor/ui/JPEG2000Form.h"
#include "editor/ui/JPEGCompressionForm.h"
#include "editor/ui/PNGSaveForm.h"
#include "editor/ui/SelectExtForm.h"
#include "ui/DialogStart.h"

namespace lumarte::editor {

namespace {
const char* const kTitle = "Lumarte 1.0";
}

TQtPrompts::TQtPrompts(QWidget* window)
    : Window(window),
      OpenFolder(QDir::currentPath()),
      NewImageForm(new TNewImageForm(window)),
      SaveChangedForm(new TSaveChangedForm(window)),
      TextForm(new TTextForm(window)),
      SelectExtForm(new TSelectExtForm(window)),
      BitmapSaveForm(new TBitmapSaveForm(window)),
      PNGSaveForm(new TPNGSaveForm(window)),
      JPEGCompressionForm(new TJPEGCompressionForm(window)),
      JPEG2000Form(new TJPEG2000Form(imaging::ImageDLLLoader(), window)) {}

std::vector<std::string> TQtPrompts::AskOpenFileNames(const std::string& filter) {
  QStringList chosen =
      QFileDialog::getOpenFileNames(Window, "Open", OpenFolder, QtFileFilter(filter));
  std::vector<std::string> names;
  for (const QString& f : chosen) names.push_back(f.toStdString());
  if (!chosen.isEmpty()) OpenFolder = QFileInfo(chosen.front()).absolutePath();
  return names;
}

std::string TQtPrompts::AskSaveFileName(const std::string& filter, const std::string& fileName) {
  QString preset =
      QDir(OpenFolder).filePath(QFileInfo(QString::fromStdString(fileName)).fileName());
  return QFileDialog::getSaveFileName(Window, "Save as", preset, QtFileFilter(filter))
      .toStdString();
}

TSaveFormatChoice TQtPrompts::AskSaveFormat() {
  ui::ExecFromFirstInput(*SelectExtForm);
  return SelectExtForm->Choice();
}

TSaveChangedAnswer TQtPrompts::AskSaveChanged() {
  return SaveChangedForm->Execute();
}

std::optional<TImageSize> TQtPrompts::AskNewImageSize() {
  if (ui::ExecFromFirstInput(*NewImageForm) != QDialog::Accepted) return std::nullopt;
  return TImageSize{NewImageForm->WidthSpinEdit->value(), NewImageForm->HeightSpinEdit->value()};
}

// Messages open over the window the user works in (a tool window, too).
QWidget* TQtPrompts::MessageParent() const {
  QWidget* active = QApplication::activeWindow();
  return active ? active : Window;
}

void TQtPrompts::ShowMessage(const std::string& text) {
  QMessageBox::warning(MessageParent(), kTitle, QString::fromStdString(text));
}

void TQtPrompts::ShowError(const std::string& text, const std::string& caption) {
  QMessageBox::critical(MessageParent(), QString::fromStdString(caption), QString::fromStdString(text),
                        QMessageBox::Ok | QMessageBox::Cancel);
}

void TQtPrompts::ShowText(const std::vector<std::string>& lines) {
  TextForm->SetLines(lines);
  TextForm->exec();
}

std::optional<int> TQtPrompts::AskBitmapDepth(const TBitmap& raster) {
  return BitmapSaveForm->Execute(raster);
}

TPngTransparency TQtPrompts::AskPngTransparency(const TBitmap& raster, TPngSaveQuestion& question) {
  PNGSaveForm->Execute(raster, question.DocumentTransparent, question.CurrentColor,
                       question.DocumentColor);
  question.CurrentColor = PNGSaveForm->CurrentTransparentColor();
  return PNGSaveForm->Choice();
}

void TQtPrompts::SetTransparentColorEditor(std::function<std::optional<TColor>()> edit) {
  PNGSaveForm->EditTransparentColor = std::move(edit);
}

std::optional<TJpegSaveChoice> TQtPrompts::AskJpegOptions(const TBitmap& raster) {
  if (!JPEGCompressionForm->Execute(raster)) return std::nullopt;
  return TJpegSaveChoice{JPEGCompressionForm->Quality(), JPEGCompressionForm->Progressive()};
}

bool TQtPrompts::AskJpeg2000Options(const TBitmap& raster) {
  imaging::TRevedBitmap buffer;
  AssignFromRaster(buffer, raster);
  return JPEG2000Form->Execute(buffer);
}

}  // namespace lumarte::editor
