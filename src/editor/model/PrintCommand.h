#pragma once
// The Print command: the options dialog, the system print dialog, then one
// document with a page per chosen image.
#include <optional>
#include <vector>

#include "editor/model/Bitmap.h"
#include "editor/model/DocumentList.h"
#include "editor/model/PrintLayout.h"

namespace lumarte::editor {

// The printer as the command drives it; sizes are the printable area in
// device pixels. Failures raise exceptions carrying the user's message.
class TPrinterPort {
 public:
  virtual ~TPrinterPort() = default;
  virtual void SetOrientation(bool landscape) = 0;
  virtual void SetCopies(int copies) = 0;
  virtual int PageWidth() const = 0;
  virtual int PageHeight() const = 0;
  virtual void BeginDoc() = 0;
  virtual void NewPage() = 0;
  virtual void EndDoc() = 0;
  // Draws the raster stretched into the rectangle, pixels unsmoothed.
  virtual void StretchDraw(const TBitmap& raster, const TPrintRect& rect) = 0;
};

// What the command asks its user.
class TPrintQuestions {
 public:
  virtual ~TPrintQuestions() = default;
  // The print options dialog; nothing when cancelled.
  virtual std::optional<TPrintOptions> AskPrintOptions() = 0;
  // The system print dialog (printer, file); false when cancelled.
  virtual bool AskPrinter() = 0;
};

// The current image, or with all every open image in list order.
std::vector<const TBitmap*> ImagesToPrint(const DocumentList& docs, bool all);

// One document, a page per image. A drawing that fails still gets its page
// break; the document is then ended (the printer is not left mid-job) and
// the failure raised.
void PrintImages(const std::vector<const TBitmap*>& images, const TPrintOptions& options,
                 TPrinterPort& printer);

// The whole command: nothing is printed when either dialog is cancelled or
// no image is open.
void RunPrintCommand(const DocumentList& docs, TPrintQuestions& questions, TPrinterPort& printer);

}  // namespace lumarte::editor
