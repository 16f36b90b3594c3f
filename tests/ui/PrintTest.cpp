// Printing to a PDF file, read back with the poppler tools: the pages
// rendered to images and how the images are coded.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include "WindowTest.h"
#include "editor/model/PrintLayout.h"
#include "ui/ApplyLanguage.h"
#include "editor/ui/PrintDialogs.h"
#include "editor/ui/PrintForm.h"
#include "platform/Printer.h"
#include "support/ScriptedPrintQuestions.h"
#include "support/TempFolder.h"

using namespace lumarte;
using namespace lumarte::editor;

namespace {

// Every page rendered at dpi by pdftoppm, in page order.
std::vector<QImage> RenderPdfPages(const QString& pdf, const QString& prefix, int dpi) {
  QProcess render;
  render.start("pdftoppm", {"-r", QString::number(dpi), "-png", pdf, prefix});
  std::vector<QImage> pages;
  if (!render.waitForFinished(60000) || render.exitCode() != 0) return pages;
  for (int k = 1;; ++k) {
    QImage page(prefix + "-" + QString::number(k) + ".png");
    if (page.isNull()) break;
    pages.push_back(page.convertToFormat(QImage::Format_RGB32));
  }
  return pages;
}

// The "enc" and "interp" columns of pdfimages -list, one entry per image.
QStringList PdfImageCoding(const QString& pdf) {
  QProcess list;
  list.start("pdfimages", {"-list", pdf});
  QStringList encodings;
  if (!list.waitForFinished(30000) || list.exitCode() != 0) return {"pdfimages failed"};
  const QStringList lines = QString::fromUtf8(list.readAllStandardOutput()).split('\n');
  for (int i = 2; i < lines.size(); ++i) {
    QStringList columns = lines[i].split(' ', Qt::SkipEmptyParts);
    if (columns.size() > 9) encodings << columns[8] + " " + columns[9];
  }
  return encodings;
}

// The bounding box of the pixels that are not white.
QRect InkBox(const QImage& page) {
  QRect box;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (page.pixel(x, y) != 0xFFFFFFFFu) box |= QRect(x, y, 1, 1);
  return box;
}

constexpr int kDpi = 30;
// Red, green, blue as 0x00BBGGRR, and as the rendered page shows them.
const TColor kColours[] = {0x0000FF, 0x00FF00, 0xFF0000};
const QRgb kRendered[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};

class PrintToPdf : public WindowTest {
 protected:
  fixtures::TempFolder folder;
  std::shared_ptr<platform::TQtPrinter> printer = std::make_shared<platform::TQtPrinter>();
  std::shared_ptr<ScriptedPrintQuestions> questions = std::make_shared<ScriptedPrintQuestions>();
  QString pdf = QString::fromStdString(folder.File("out.pdf"));

  void SetUp() override {
    WindowTest::SetUp();
    printer->Device().setOutputFileName(pdf);
    window->Printer = printer;
    window->PrintQuestions = questions;
    // Different shapes so that each page's placement differs; the last one
    // opened (blue) is the current image.
    const int sizes[][2] = {{40, 20}, {20, 40}, {30, 30}};
    for (int k = 0; k < 3; ++k) {
      window->Docs.NewImage(sizes[k][0], sizes[k][1]);
      TBitmap& b = *window->Docs.Current().Bitmap;
      b.BrushColor = kColours[k];
      b.FillRect(0, 0, b.Width(), b.Height());
    }
  }
  // Where the geometry puts slot k's image on the rendered page.
  QRect Expected(int slot) {
    const TBitmap& b = *window->Docs.Slot(slot).Bitmap;
    TPrintRect r = PrintRectangle(printer->PageWidth(), printer->PageHeight(), b.Width(),
                                  b.Height(), *questions->Options);
    QRect paper = printer->Device().pageRect(QPrinter::DevicePixel).toRect();
    double s = double(kDpi) / printer->Device().resolution();
    return QRect(QPoint(qRound((paper.left() + r.Left) * s), qRound((paper.top() + r.Top) * s)),
                 QPoint(qRound((paper.left() + r.Right) * s) - 1,
                        qRound((paper.top() + r.Bottom) * s) - 1));
  }
  void ExpectPage(const QImage& page, int slot) {
    QRect ink = InkBox(page), want = Expected(slot);
    for (auto [got, expected] : {std::pair{ink.left(), want.left()}, {ink.top(), want.top()},
                                 {ink.right(), want.right()}, {ink.bottom(), want.bottom()}})
      EXPECT_NEAR(got, expected, 1) << "slot " << slot;
    EXPECT_EQ(page.pixel(ink.center()), kRendered[2 - slot]) << "slot " << slot;
  }
};

TEST_F(PrintToPdf, PrintAllGivesOnePagePerImageInListOrder) {
  questions->Options->PrintAll = true;
  questions->Options->TargetWidth = 50;
  questions->Options->TargetHeight = 40;
  questions->Options->Horizontal = THorizontalAlign::Center;
  questions->Options->Vertical = TVerticalAlign::Bottom;
  Trigger("LMPrint1");
  std::vector<QImage> pages = RenderPdfPages(pdf, QString::fromStdString(folder.File("p")), kDpi);
  ASSERT_EQ(pages.size(), 3u);
  for (int k = 0; k < 3; ++k) ExpectPage(pages[k], k);
  // Lossless and not interpolated, so that printed colours are the image's.
  EXPECT_EQ(PdfImageCoding(pdf), QStringList({"image no", "image no", "image no"}));
}

TEST_F(PrintToPdf, WithoutPrintAllOnlyTheCurrentImageWithItsCopies) {
  questions->Options->Copies = 3;
  questions->Options->Landscape = true;
  questions->Options->Horizontal = THorizontalAlign::Right;
  Trigger("LMPrint1");
  EXPECT_EQ(printer->Device().copyCount(), 3);
  EXPECT_EQ(printer->Device().pageLayout().orientation(), QPageLayout::Landscape);
  std::vector<QImage> pages = RenderPdfPages(pdf, QString::fromStdString(folder.File("p")), kDpi);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_GT(pages[0].width(), pages[0].height());
  ExpectPage(pages[0], 0);
}

// The options dialog: made on first use through the language file, and an
// orientation click reaches the printer before the system dialog opens.
TEST(PrintDialogs, OptionsDialogTranslatedAndOrientationSetAtOnce) {
  ui::SetLanguage(ParseLanguageFile({"PFPrintButton.Caption:=Drucken", "PrintForm.Caption:=Druck"}));
  auto printer = std::make_shared<platform::TQtPrinter>();
  TPrintDialogs dialogs(nullptr, printer);
  QString title, button;
  QPageLayout::Orientation atClick = QPageLayout::Portrait;
  QTimer::singleShot(0, [&] {
    auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    title = form->windowTitle();
    auto* print = form->findChild<QPushButton*>("PFPrintButton");
    button = print->text();
    form->findChild<QRadioButton*>("PFLandscapeRadioButton")->click();
    atClick = printer->Device().pageLayout().orientation();
    form->findChild<QSpinBox*>("NumOfCopiesSpinEdit")->setValue(7);
    print->click();
  });
  std::optional<TPrintOptions> options = dialogs.AskPrintOptions();
  ui::SetLanguage({});
  EXPECT_EQ(title, "Druck");
  EXPECT_EQ(button, "Drucken");
  EXPECT_EQ(atClick, QPageLayout::Landscape);
  ASSERT_TRUE(options);
  EXPECT_TRUE(options->Landscape);
  EXPECT_EQ(options->Copies, 7);
  delete dialogs.PrintForm;
}

}  // namespace
