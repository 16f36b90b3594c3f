#include "editor/ui/ColorPanel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "editor/model/ColorCommands.h"

namespace lumarte::editor {

namespace {

QColor ToQColor(TColor c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

constexpr int kIconSize = 20;

// Simple line drawings in a 20 × 20 cell.
void DrawIcon(QPainter& p, TModeIcon icon, int left) {
  p.save();
  p.translate(left, 0);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1.5));
  p.setBrush(Qt::NoBrush);
  switch (icon) {
    case TModeIcon::Select: {  // an arrow pointer
      QPainterPath a;
      a.moveTo(5, 3), a.lineTo(5, 16), a.lineTo(8, 13), a.lineTo(11, 18), a.lineTo(13, 17),
          a.lineTo(10, 12), a.lineTo(14, 12), a.closeSubpath();
      p.setBrush(Qt::white);
      p.drawPath(a);
      break;
    }
    case TModeIcon::Paint:  // a brush
      p.setPen(QPen(QColor(120, 70, 20), 3));
      p.drawLine(QPointF(15, 3), QPointF(8, 12));
      p.setPen(QPen(Qt::black, 1));
      p.setBrush(Qt::black);
      p.drawEllipse(QRectF(3, 11, 6, 6));
      break;
    case TModeIcon::Rectangle:
      p.setPen(QPen(Qt::black, 1, Qt::DashLine));
      p.drawRect(QRectF(3, 5, 14, 10));
      break;
    case TModeIcon::Point:
      p.drawRect(QRectF(7, 7, 6, 6));
      p.drawPoint(QPointF(10, 10));
      break;
    case TModeIcon::Circle:
      p.setPen(QPen(Qt::black, 1, Qt::DashLine));
      p.drawEllipse(QRectF(3, 3, 14, 14));
      break;
    case TModeIcon::Polygon: {
      const QPointF v[] = {{3, 15}, {6, 4}, {16, 7}, {13, 17}};
      p.drawPolygon(v, 4);
      p.setBrush(Qt::black);
      for (const QPointF& q : v) p.drawRect(QRectF(q.x() - 1, q.y() - 1, 2, 2));
      break;
    }
    case TModeIcon::Freehand: {
      QPainterPath c;
      c.moveTo(3, 12), c.cubicTo(5, 2, 10, 18, 12, 8), c.cubicTo(13, 4, 17, 6, 17, 14);
      p.drawPath(c);
      break;
    }
    case TModeIcon::ByColor:
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(220, 40, 40));
      p.drawEllipse(QRectF(2, 3, 9, 9));
      p.setBrush(QColor(40, 180, 40));
      p.drawEllipse(QRectF(9, 3, 9, 9));
      p.setBrush(QColor(40, 60, 220));
      p.drawEllipse(QRectF(5, 9, 9, 9));
      break;
    case TModeIcon::Line:
      p.drawLine(QPointF(3, 16), QPointF(17, 4));
      break;
  }
  p.restore();
}

}  // namespace

TColorPanel::TColorPanel(const TColorSet& colours, QWidget* parent)
    : QWidget(parent), Colours(colours) {
  setObjectName("ColorImage");
  setCursor(Qt::PointingHandCursor);
}

int TColorPanel::SwatchHeight() const {
  return fontMetrics().height() + 2;
}

QSize TColorPanel::sizeHint() const {
  const auto swatches = ColourPanelSwatches(Colours);
  return {swatches.back().Right + 2 + kPointerSwatchWidth, SwatchHeight()};
}

void TColorPanel::SetPointerColour(TColor c) {
  if (c == PointerColour) return;
  PointerColour = c;
  update(width() - kPointerSwatchWidth, 0, kPointerSwatchWidth, height());
}

void TColorPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().button());
  const int h = SwatchHeight();
  for (const TSwatch& s : ColourPanelSwatches(Colours)) {
    p.fillRect(s.Left, 0, s.Right - s.Left, h, ToQColor(s.Colour.Color()));
    p.setPen(s.WhiteLabel ? Qt::white : Qt::black);
    p.drawText(QRect(s.LabelX, 1, s.Right - s.LabelX, h), Qt::AlignLeft | Qt::AlignTop,
               QString(QChar(s.Label)));
  }
  if (PointerColour != clInvalid)
    p.fillRect(width() - kPointerSwatchWidth, 0, kPointerSwatchWidth, h, ToQColor(PointerColour));
}

void TColorPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && Clicked) Clicked();
}

void TClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && Clicked) Clicked();
}

TModeIconsPanel::TModeIconsPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("ModeIcons");
  setCursor(Qt::PointingHandCursor);
}

QSize TModeIconsPanel::sizeHint() const {
  return {2 * kIconSize + 2, kIconSize};
}

void TModeIconsPanel::SetIcons(const TModeIcons& icons) {
  if (icons == Shown) return;
  Shown = icons;
  update();
}

void TModeIconsPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  DrawIcon(p, Shown.Tool, 0);
  DrawIcon(p, Shown.Shape, kIconSize + 2);
}

void TModeIconsPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && Clicked) Clicked(event->globalPosition().toPoint());
}

}  // namespace lumarte::editor
