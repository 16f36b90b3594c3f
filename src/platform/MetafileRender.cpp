#include "platform/MetafileRender.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "imaging/Errors.h"

namespace lumarte::platform {

using namespace lumarte::imaging;

namespace {

QColor Colour(uint32_t colorRef) {
  return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

QPainterPath ToPath(const TMetaPath& path, bool winding) {
  QPainterPath out;
  out.setFillRule(winding ? Qt::WindingFill : Qt::OddEvenFill);
  size_t at = 0;
  for (TPathOp op : path.Ops) {
    const TPointD* p = path.Points.data() + at;
    switch (op) {
      case TPathOp::Move:
        out.moveTo(p[0].X, p[0].Y), at += 1;
        break;
      case TPathOp::Line:
        out.lineTo(p[0].X, p[0].Y), at += 1;
        break;
      case TPathOp::Cubic:
        out.cubicTo(p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y);
        at += 3;
        break;
      case TPathOp::Close:
        out.closeSubpath();
        break;
    }
  }
  return out;
}

QImage Wrap(const TMetaImage& img) {
  return QImage(reinterpret_cast<const uchar*>(img.Pixels.data()), img.Width, img.Height,
                img.Width * 4,
                img.Premultiplied ? QImage::Format_ARGB32_Premultiplied : QImage::Format_ARGB32);
}

QBrush ToBrush(const TMetaBrush& b) {
  static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                           Qt::FDiagPattern, Qt::BDiagPattern,
                                           Qt::CrossPattern, Qt::DiagCrossPattern};
  switch (b.Style) {
    case TBrushStyle::Hatched:
      return QBrush(Colour(b.Color), hatches[static_cast<int>(b.Hatch)]);
    case TBrushStyle::Pattern:
      return QBrush(Wrap(*b.Pattern).copy());
    case TBrushStyle::Null:
      return Qt::NoBrush;
    case TBrushStyle::Gradient: {
      QLinearGradient g(b.From.X, b.From.Y, b.To.X, b.To.Y);
      g.setColorAt(0, Colour(b.Color));
      g.setColorAt(1, Colour(b.Color2));
      return QBrush(g);
    }
    default:
      return QBrush(Colour(b.Color));
  }
}

QPen ToPen(const TMetaPen& pen, const QColor& colour, bool solid, double widest) {
  static const Qt::PenStyle styles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                        Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen};
  static const Qt::PenCapStyle caps[] = {Qt::RoundCap, Qt::SquareCap, Qt::FlatCap};
  static const Qt::PenJoinStyle joins[] = {Qt::RoundJoin, Qt::BevelJoin, Qt::MiterJoin};
  // One-pixel pens are drawn as hairlines, which is what GDI draws for them.
  double width = pen.Width < 1.5 ? 0 : std::round(std::min(pen.Width, widest));
  QPen q(colour, width, solid ? Qt::SolidLine : styles[static_cast<int>(pen.Style)],
         caps[static_cast<int>(pen.Cap)], joins[static_cast<int>(pen.Join)]);
  q.setCosmetic(true);
  return q;
}

// GDI's R2_* codes 1..16 as Qt composition modes; black and white replace colours.
QPainter::CompositionMode Rop2Mode(uint8_t rop2) {
  using M = QPainter::CompositionMode;
  static const M modes[17] = {M::CompositionMode_SourceOver,
                              M::CompositionMode_SourceOver,
                              M::RasterOp_NotSourceAndNotDestination,
                              M::RasterOp_NotSourceAndDestination,
                              M::RasterOp_NotSource,
                              M::RasterOp_SourceAndNotDestination,
                              M::RasterOp_NotDestination,
                              M::RasterOp_SourceXorDestination,
                              M::RasterOp_NotSourceOrNotDestination,
                              M::RasterOp_SourceAndDestination,
                              M::RasterOp_NotSourceXorDestination,
                              M::CompositionMode_Destination,
                              M::RasterOp_NotSourceOrDestination,
                              M::CompositionMode_SourceOver,
                              M::RasterOp_SourceOrNotDestination,
                              M::RasterOp_SourceOrDestination,
                              M::CompositionMode_SourceOver};
  return modes[rop2 <= 16 ? rop2 : 13];
}

void DrawShape(QPainter& p, const TMetaShape& s, double widest) {
  if (s.Rop2 == 1 || s.Rop2 == 16) {  // R2_BLACK, R2_WHITE: a plain colour
    TMetaShape plain = s;
    plain.Pen.Color = plain.Brush.Color = s.Rop2 == 1 ? 0 : 0xFFFFFF;
    if (plain.Brush.Style != TBrushStyle::Null) plain.Brush.Style = TBrushStyle::Solid;
    plain.Rop2 = 13;
    DrawShape(p, plain, widest);
    return;
  }
  p.setCompositionMode(Rop2Mode(s.Rop2));
  QPainterPath path = ToPath(s.Path, s.Winding);
  if (s.Fill) {
    if (s.Brush.Style == TBrushStyle::Hatched && s.BkOpaque) p.fillPath(path, Colour(s.BkColor));
    p.fillPath(path, ToBrush(s.Brush));
  }
  if (s.Stroke) {
    p.setBrush(Qt::NoBrush);
    // Gaps of styled lines show the background colour in opaque mode.
    if (s.Pen.Style != TPenStyle::Solid && s.BkOpaque) {
      p.setPen(ToPen(s.Pen, Colour(s.BkColor), true, widest));
      p.drawPath(path);
    }
    p.setPen(ToPen(s.Pen, Colour(s.Pen.Color), false, widest));
    p.drawPath(path);
  }
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

QFont ToFont(const TMetaFont& f) {
  QFont font(QString::fromStdString(f.Face));
  font.setStyleHint(QFont::SansSerif);
  double size = std::clamp(std::fabs(f.Height), 1.0, 16384.0);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
  if (f.Height > 0) {  // a cell height: scale so that ascent plus descent match it
    QFontMetricsF m(font);
    if (m.height() > 0) font.setPixelSize(std::max(1, int(std::lround(size * size / m.height()))));
  }
  font.setWeight(static_cast<QFont::Weight>(std::clamp(f.Weight, 1, 1000)));
  font.setItalic(f.Italic);
  font.setUnderline(f.Underline);
  font.setStrikeOut(f.StrikeOut);
  if (f.Width > 0) {
    QFontMetricsF m(font);
    if (m.averageCharWidth() > 0)
      font.setStretch(std::clamp(int(std::lround(100 * f.Width / m.averageCharWidth())), 1, 4000));
  }
  return font;
}

void DrawText(QPainter& p, const TMetaText& t) {
  if (!t.OpaqueBox.Empty()) p.fillPath(ToPath(t.OpaqueBox, false), Colour(t.BkColor));
  if (t.Chars.empty() || std::fabs(t.Font.Height) < 0.5) return;
  QString text = QString::fromUtf16(t.Chars.data(), static_cast<qsizetype>(t.Chars.size()));
  QFont font = ToFont(t.Font);
  QFontMetricsF m(font);
  bool spaced = t.Advances.size() == t.Chars.size();  // the file's own character spacing
  double total = 0;
  for (double a : t.Advances) total += a;
  if (!spaced) total = m.horizontalAdvance(text);
  double x = t.HAlign == THAlign::Right ? -total : t.HAlign == THAlign::Center ? -total / 2 : 0;
  double y = t.VAlign == TVAlign::Top ? m.ascent() : t.VAlign == TVAlign::Bottom ? -m.descent() : 0;
  p.save();
  p.translate(t.Origin.X, t.Origin.Y);
  p.rotate(-t.Angle);
  if (t.BkOpaque) p.fillRect(QRectF(x, y - m.ascent(), total, m.height()), Colour(t.BkColor));
  p.setFont(font);
  p.setPen(Colour(t.Color));
  if (!spaced) {
    p.drawText(QPointF(x, y), text);
  } else {
    for (qsizetype i = 0; i < text.size(); ++i) {
      bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
      p.drawText(QPointF(x, y), text.mid(i, pair ? 2 : 1));
      x += t.Advances[i] + (pair ? t.Advances[i + 1] : 0);
      i += pair;
    }
  }
  p.restore();
}

QPainter::CompositionMode RopMode(uint32_t rop) {
  switch (rop) {
    case 0x00EE0086:
      return QPainter::RasterOp_SourceOrDestination;  // SRCPAINT
    case 0x008800C6:
      return QPainter::RasterOp_SourceAndDestination;  // SRCAND
    case 0x00660046:
      return QPainter::RasterOp_SourceXorDestination;  // SRCINVERT
    case 0x00440328:
      return QPainter::RasterOp_SourceAndNotDestination;  // SRCERASE
    case 0x00330008:
      return QPainter::RasterOp_NotSource;  // NOTSRCCOPY
    case 0x001100A6:
      return QPainter::RasterOp_NotSourceAndNotDestination;  // NOTSRCERASE
    case 0x00BB0226:
      return QPainter::RasterOp_NotSourceOrDestination;  // MERGEPAINT
    default:
      return QPainter::CompositionMode_SourceOver;
  }
}

void DrawBlit(QPainter& p, const TMetaBlit& b) {
  if (b.SrcW == 0 || b.SrcH == 0) return;
  QImage img = Wrap(*b.Image);
  // Source pixels (u, v) land on TopLeft + (u - SrcX) / SrcW * across + (v - SrcY) / SrcH * down.
  double ax = (b.TopRight.X - b.TopLeft.X) / b.SrcW, ay = (b.TopRight.Y - b.TopLeft.Y) / b.SrcW;
  double dx = (b.BottomLeft.X - b.TopLeft.X) / b.SrcH, dy = (b.BottomLeft.Y - b.TopLeft.Y) / b.SrcH;
  QTransform xf(ax, ay, dx, dy, b.TopLeft.X - ax * b.SrcX - dx * b.SrcY,
                b.TopLeft.Y - ay * b.SrcX - dy * b.SrcY);
  p.save();
  p.setTransform(xf);
  p.setRenderHint(QPainter::SmoothPixmapTransform, xf.type() > QTransform::TxTranslate);
  p.setCompositionMode(b.UseAlpha ? QPainter::CompositionMode_SourceOver : RopMode(b.Rop));
  if (b.ConstantAlpha != 255) p.setOpacity(b.ConstantAlpha / 255.0);
  QRectF source(b.SrcX, b.SrcY, b.SrcW, b.SrcH);
  p.drawImage(source.normalized(), img, source.normalized());
  p.restore();
}

void ApplyClip(QPainter& p, const TMetaClip* clip) {
  if (!clip || clip->Items.empty()) {
    p.setClipping(false);
    return;
  }
  bool first = true;
  for (const TMetaClipItem& item : clip->Items) {
    p.setClipPath(ToPath(item.Path, !item.EvenOdd), first ? Qt::ReplaceClip : Qt::IntersectClip);
    first = false;
  }
}

}  // namespace

QImage RenderMetafile(const TMetaPicture& picture) {
  QImage image(picture.Width, picture.Height, QImage::Format_RGB32);
  if (image.isNull()) throw EFormatError("Metafile too large");
  image.fill(Qt::white);
  bool canDrawText = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
  QPainter p(&image);
  p.setRenderHint(QPainter::TextAntialiasing);
  // A pen wider than this covers the picture whatever its path.
  double widest = 2.0 * (picture.Width + picture.Height);
  const TMetaClip* clip = nullptr;
  ApplyClip(p, clip);
  for (const TMetaCommand& c : picture.Commands) {
    if (c.Clip.get() != clip) ApplyClip(p, clip = c.Clip.get());
    if (auto* s = std::get_if<TMetaShape>(&c.Item)) DrawShape(p, *s, widest);
    if (auto* t = std::get_if<TMetaText>(&c.Item); t && canDrawText) DrawText(p, *t);
    if (auto* b = std::get_if<TMetaBlit>(&c.Item)) DrawBlit(p, *b);
  }
  p.end();
  return image;
}

}  // namespace lumarte::platform
