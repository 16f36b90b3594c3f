#include "platform/TextDrawing.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cmath>

namespace lumarte::platform {

namespace {

class TQtTextRenderer : public effects::TTextRenderer {
 public:
  explicit TQtTextRenderer(const effects::WriteParams& p)
      : Font(QString::fromStdString(p.Font)), Metrics(Font) {
    // Points at the fonts' resolution, whatever the raster's own.
    Font.setPixelSize(
        std::max(1, static_cast<int>(std::lround(p.Size * effects::kTextPpi / 72.0))));
    Font.setBold(p.Bold);
    Font.setItalic(p.Italic);
    Metrics = QFontMetrics(Font);
  }
  int Width(const std::string& line) override {
    return Metrics.horizontalAdvance(QString::fromStdString(line));
  }
  int LineHeight() override { return Metrics.height(); }
  void Draw(editor::TBitmap& target, int x, int y, const std::string& line,
            editor::TColor colour) override {
    if (target.Empty()) return;
    // The raster's rows are blue, green, red: Qt paints on them in place.
    QImage image(target.ScanLine(0), target.Width(), target.Height(), 3 * target.Width(),
                 QImage::Format_BGR888);
    QPainter painter(&image);
    painter.setFont(Font);
    painter.setPen(QColor(colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF));
    painter.drawText(x, y + Metrics.ascent(), QString::fromStdString(line));
  }

 private:
  QFont Font;
  QFontMetrics Metrics;
};

}  // namespace

std::unique_ptr<effects::TTextRenderer> MakeQtTextRenderer(const effects::WriteParams& p) {
  return std::make_unique<TQtTextRenderer>(p);
}

void InstallTextDrawing() {
  effects::SetPlatformText(MakeQtTextRenderer);
}

}  // namespace lumarte::platform
