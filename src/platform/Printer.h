#pragma once
// The printer through Qt: any CUPS queue, or a PDF file ("Print to File").
// One printer serves the whole run so that the print dialog keeps the
// chosen printer and its settings.
#include <memory>

#include <QPainter>
#include <QPrinter>

#include "editor/model/PrintCommand.h"

namespace lumarte::platform {

class TQtPrinter : public editor::TPrinterPort {
 public:
  TQtPrinter();
  ~TQtPrinter() override;

  // For the system print dialog.
  QPrinter& Device() { return Printer; }

  void SetOrientation(bool landscape) override;
  void SetCopies(int copies) override;
  int PageWidth() const override;
  int PageHeight() const override;
  void BeginDoc() override;
  void NewPage() override;
  void EndDoc() override;
  void StretchDraw(const editor::TBitmap& raster, const editor::TPrintRect& rect) override;

 private:
  QPrinter Printer;
  std::unique_ptr<QPainter> Painter;
};

}  // namespace lumarte::platform
