#pragma once
// Printed PDF files as the poppler tools see them: page count and pages
// rendered to images.
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <vector>

namespace lumarte::testing {

// The "Pages:" line of pdfinfo, or -1 when pdfinfo fails.
inline int PdfPageCount(const QString& pdf) {
  QProcess info;
  info.start("pdfinfo", {pdf});
  if (!info.waitForFinished(30000) || info.exitCode() != 0) return -1;
  auto match = QRegularExpression(R"(Pages:\s+(\d+))").match(info.readAllStandardOutput());
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Every page rendered at dpi by pdftoppm, in page order.
inline std::vector<QImage> RenderPdfPages(const QString& pdf, const QString& prefix, int dpi) {
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
inline QStringList PdfImageCoding(const QString& pdf) {
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
inline QRect InkBox(const QImage& page) {
  QRect box;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (page.pixel(x, y) != 0xFFFFFFFFu) box |= QRect(x, y, 1, 1);
  return box;
}

}  // namespace lumarte::testing
