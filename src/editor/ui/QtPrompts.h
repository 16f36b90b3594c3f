#pragma once
// The editor's questions answered by its dialogs. The dialogs are made
// once, with the window, and keep their settings for the whole run.
#include <functional>
#include <optional>

#include <QString>

#include "editor/model/EditorPrompts.h"
#include "ui/FileFilter.h"

class QWidget;

namespace lumarte::editor {

class TBitmapSaveForm;
class TJPEG2000Form;
class TJPEGCompressionForm;
class TNewImageForm;
class TPNGSaveForm;
class TSelectExtForm;
class TSaveChangedForm;
class TTextForm;

using ui::QtFileFilter;

class TQtPrompts : public TEditorPrompts {
 public:
  explicit TQtPrompts(QWidget* window);

  std::vector<std::string> AskOpenFileNames(const std::string& filter) override;
  std::string AskSaveFileName(const std::string& filter, const std::string& fileName) override;
  TSaveFormatChoice AskSaveFormat() override;
  TSaveChangedAnswer AskSaveChanged() override;
  std::optional<TImageSize> AskNewImageSize() override;
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text, const std::string& caption) override;
  void ShowText(const std::vector<std::string>& lines) override;

  std::optional<int> AskBitmapDepth(const TBitmap& raster) override;
  TPngTransparency AskPngTransparency(const TBitmap& raster, TPngSaveQuestion& question) override;
  // The program's colour window for the PNG dialog's "Edit Transparent
  // Color": the interval's new centre, or nothing when cancelled.
  void SetTransparentColorEditor(std::function<std::optional<TColor>()> edit);
  std::optional<TJpegSaveChoice> AskJpegOptions(const TBitmap& raster) override;
  bool AskJpeg2000Options(const TBitmap& raster) override;

 private:
  QWidget* MessageParent() const;
  QWidget* Window;
  QString OpenFolder;
  TNewImageForm* NewImageForm;
  TSaveChangedForm* SaveChangedForm;
  TTextForm* TextForm;
  TSelectExtForm* SelectExtForm;
  TBitmapSaveForm* BitmapSaveForm;
  TPNGSaveForm* PNGSaveForm;
  TJPEGCompressionForm* JPEGCompressionForm;
  TJPEG2000Form* JPEG2000Form;
};

}  // namespace lumarte::editor
