#include "editor/model/PrintCommand.h"

namespace lumarte::editor {

std::vector<const TBitmap*> ImagesToPrint(const DocumentList& docs, bool all) {
  std::vector<const TBitmap*> images;
  for (int k = 0; k < (all ? kSlotCount : 1); ++k) {
    const TBM& d = docs.Slot(k);
    if (d.InUse && d.Bitmap) images.push_back(d.Bitmap.get());
  }
  return images;
}

namespace {

void PrintPages(const std::vector<const TBitmap*>& images, const TPrintOptions& options,
                TPrinterPort& printer) {
  const int pageWidth = printer.PageWidth(), pageHeight = printer.PageHeight();
  for (size_t i = 0; i < images.size(); ++i) {
    const bool last = i + 1 == images.size();
    const TBitmap& image = *images[i];
    try {
      printer.StretchDraw(
          image, PrintRectangle(pageWidth, pageHeight, image.Width(), image.Height(), options));
    } catch (...) {
      if (!last) printer.NewPage();
      throw;
    }
    if (!last) printer.NewPage();
  }
}

}  // namespace

void PrintImages(const std::vector<const TBitmap*>& images, const TPrintOptions& options,
                 TPrinterPort& printer) {
  printer.BeginDoc();
  try {
    PrintPages(images, options, printer);
  } catch (...) {
    printer.EndDoc();
    throw;
  }
  printer.EndDoc();
}

void RunPrintCommand(const DocumentList& docs, TPrintQuestions& questions, TPrinterPort& printer) {
  std::optional<TPrintOptions> options = questions.AskPrintOptions();
  if (!options || !questions.AskPrinter()) return;
  printer.SetOrientation(options->Landscape);
  printer.SetCopies(options->Copies);
  std::vector<const TBitmap*> images = ImagesToPrint(docs, options->PrintAll);
  if (images.empty()) return;
  PrintImages(images, *options, printer);
}

}  // namespace lumarte::editor
