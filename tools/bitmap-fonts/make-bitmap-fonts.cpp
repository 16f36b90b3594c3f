// Renders the Write effect's four bitmap fonts from DejaVu Sans: for each
// size a glyph strip "NN.bmp" (black ink on white, codes 30 to 255 side by
// side, one glyph per advance width) and its table "NN.fnt" (line n holds
// the column where code n + 28 starts; lines 0 to 2 are unused).
//
//   c++ -std=c++20 -fPIC make-bitmap-fonts.cpp -o make-bitmap-fonts \
//       $(pkg-config --cflags --libs Qt6Gui)
//   ./make-bitmap-fonts /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf data
//
// Run once; the files it writes are kept in data/ (DejaVu's licence allows
// shipping pictures of its glyphs).
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kFirst = 30, kLast = 255;
// Strip heights in pixels of fonts 1 to 4 (small sizes to large).
constexpr int kPixelSizes[] = {10, 17, 30, 52};

QString Glyph(int code) {
  // Control codes have no picture: a blank as wide as a space.
  const bool blank = code < 32 || (code >= 127 && code < 160) || code == 173;
  return blank ? QString(" ") : QString(QChar(code));
}

bool MakeFont(const QString& family, int pixels, const QString& stem) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setStyleStrategy(QFont::NoAntialias);
  const QFontMetrics metrics(font);
  // A glyph's cell holds its advance and all of its ink, so that no glyph
  // reaches into its neighbour's columns.
  std::vector<int> starts, shifts;
  int width = 0;
  for (int c = kFirst; c <= kLast; ++c) {
    const QRect ink = metrics.boundingRect(Glyph(c));
    const int shift = std::max(0, -ink.left());
    starts.push_back(width);
    shifts.push_back(shift);
    width += std::max({1, metrics.horizontalAdvance(Glyph(c)), ink.right() + 1}) + shift;
  }
  starts.push_back(width);
  QImage strip(width, metrics.height(), QImage::Format_RGB888);
  strip.fill(Qt::white);
  QPainter painter(&strip);
  painter.setFont(font);
  painter.setPen(Qt::black);
  for (int c = kFirst; c <= kLast; ++c) {
    const int i = c - kFirst;
    painter.setClipRect(starts[i], 0, starts[i + 1] - starts[i], strip.height());
    painter.drawText(starts[i] + shifts[i], metrics.ascent(), Glyph(c));
  }
  painter.end();
  // Two colours, so the strips stay small; only black counts as ink.
  const QImage mono = strip.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
  QFile table(stem + ".fnt");
  if (!mono.save(stem + ".bmp", "BMP") || !table.open(QIODevice::WriteOnly)) return false;
  QTextStream out(&table);
  out << "0\n0\n0\n";
  for (int c = kFirst + 1; c <= kLast; ++c) out << starts[c - kFirst] << "\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: make-bitmap-fonts FONT.ttf OUTDIR\n");
    return 2;
  }
  const int id = QFontDatabase::addApplicationFont(argv[1]);
  if (id < 0) {
    std::fprintf(stderr, "cannot load %s\n", argv[1]);
    return 1;
  }
  const QString family = QFontDatabase::applicationFontFamilies(id).value(0);
  for (int i = 0; i < 4; ++i)
    if (!MakeFont(family, kPixelSizes[i], QString("%1/0%2").arg(argv[2]).arg(i + 1))) {
      std::fprintf(stderr, "cannot write the fonts into %s\n", argv[2]);
      return 1;
    }
  return 0;
}
