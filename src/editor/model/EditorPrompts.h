#pragma once
// Every question the editor asks its user. The window answers them with
// dialogs; tests answer them directly.
#include <optional>
#include <string>
#include <vector>

#include "editor/model/Bitmap.h"
#include "editor/model/DocumentList.h"
#include "editor/model/ImageFormats.h"

namespace lumarte::editor {

struct TJpegSaveChoice {
  int Quality = 50;  // 0..100, as the quality bar shows it
  bool Progressive = true;
};

// The transparency radio buttons of the PNG options dialog.
enum class TPngTransparency { Original, CurrentColor, NotTransparent };

struct TPngSaveQuestion {
  bool DocumentTransparent = false;
  TColor DocumentColor = clInvalid;  // the raster's own transparent colour
  TColor CurrentColor = clBlack;     // centre of the transparent colour interval
};

// The option dialogs of the save branches.
class TSaveQuestions {
 public:
  virtual ~TSaveQuestions() = default;
  // Bits per pixel (24, 8, 4 or 1), or nothing when the dialog was cancelled.
  virtual std::optional<int> AskBitmapDepth(const TBitmap& raster) = 0;
  // The dialog may change question.CurrentColor: its colour window edits
  // the transparent colour interval.
  virtual TPngTransparency AskPngTransparency(const TBitmap& raster,
                                              TPngSaveQuestion& question) = 0;
  // Nothing when cancelled.
  virtual std::optional<TJpegSaveChoice> AskJpegOptions(const TBitmap& raster) = 0;
  // False when cancelled; on OK the JPEG 2000 codec holds the chosen options.
  virtual bool AskJpeg2000Options(const TBitmap& raster) = 0;
};

struct TImageSize {
  int Width = 0;
  int Height = 0;
};

class TEditorPrompts : public TSaveQuestions {
 public:
  // The open dialog (several files, all must exist); empty when cancelled.
  virtual std::vector<std::string> AskOpenFileNames(const std::string& filter) = 0;
  // The save dialog with its overwrite question; empty when cancelled.
  virtual std::string AskSaveFileName(const std::string& filter, const std::string& fileName) = 0;
  // The format chooser for a name without a usable extension.
  virtual TSaveFormatChoice AskSaveFormat() = 0;
  virtual TSaveChangedAnswer AskSaveChanged() = 0;
  // The New dialog; nothing when cancelled.
  virtual std::optional<TImageSize> AskNewImageSize() = 0;
  // A message box with the program's title.
  virtual void ShowMessage(const std::string& text) = 0;
  // A message box with its own caption (the "Not a valid image!" kind).
  virtual void ShowError(const std::string& text, const std::string& caption) = 0;
  // The read-only text window.
  virtual void ShowText(const std::vector<std::string>& lines) = 0;
};

}  // namespace lumarte::editor
