#include "platform/Printer.h"

#include "imaging/Errors.h"
#include "platform/RasterImage.h"

namespace lumarte::platform {

namespace {

std::string PrinterName(const QPrinter& printer) {
  if (!printer.outputFileName().isEmpty()) return printer.outputFileName().toStdString();
  return printer.printerName().toStdString();
}

}  // namespace

// The device's own resolution: pixels are placed where the printer puts them.
TQtPrinter::TQtPrinter() : Printer(QPrinter::HighResolution) {}

TQtPrinter::~TQtPrinter() {
  if (Painter && Painter->isActive()) Printer.abort();
}

void TQtPrinter::SetOrientation(bool landscape) {
  Printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void TQtPrinter::SetCopies(int copies) {
  Printer.setCopyCount(copies);
}

int TQtPrinter::PageWidth() const {
  return Printer.width();
}

int TQtPrinter::PageHeight() const {
  return Printer.height();
}

void TQtPrinter::BeginDoc() {
  Painter = std::make_unique<QPainter>();
  if (!Painter->begin(&Printer)) {
    Painter.reset();
    throw ELumarteError("Printing could not be started on " + PrinterName(Printer));
  }
  // Stretched pixels keep the image's own colours: no smoothing, and no
  // JPEG compression of the raster in PDF output.
  Painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
  Painter->setRenderHint(QPainter::LosslessImageRendering, true);
}

void TQtPrinter::NewPage() {
  if (!Painter || !Printer.newPage()) throw ELumarteError("The printer refused a new page");
}

void TQtPrinter::EndDoc() {
  if (!Painter) return;
  const bool ended = Painter->end();
  Painter.reset();
  if (!ended) throw ELumarteError("Printing could not be finished on " + PrinterName(Printer));
}

void TQtPrinter::StretchDraw(const editor::TBitmap& raster, const editor::TPrintRect& rect) {
  if (!Painter) throw ELumarteError("The printer has no open document");
  const int width = rect.Right - rect.Left, height = rect.Bottom - rect.Top;
  if (width <= 0 || height <= 0 || raster.Width() <= 0 || raster.Height() <= 0) return;
  Painter->drawImage(QRect(rect.Left, rect.Top, width, height), ToQImage(raster));
}

}  // namespace lumarte::platform
