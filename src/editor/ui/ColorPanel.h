#pragma once
// ColorImage: the swatches of the colour set with their labels, and the
// colour under the pointer at the right edge.
#include <functional>

#include <QLabel>
#include <QWidget>

#include "editor/model/ColorSet.h"
#include "editor/model/Selection.h"

namespace lumarte::editor {

class TColorPanel : public QWidget {
 public:
  TColorPanel(const TColorSet& colours, QWidget* parent = nullptr);

  // A click opens the colour dialog.
  std::function<void()> Clicked;
  void SetPointerColour(TColor c);
  // Swatch height: the text height of "1" plus 2.
  int SwatchHeight() const;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const TColorSet& Colours;
  TColor PointerColour = clInvalid;
};

// A label that reports a left click ("Pen: Width" opens the colour dialog).
class TClickLabel : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> Clicked;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

// The select/paint and shape icons; a left click opens PopupSelect there.
class TModeIconsPanel : public QWidget {
 public:
  explicit TModeIconsPanel(QWidget* parent = nullptr);

  std::function<void(const QPoint& globalPos)> Clicked;
  void SetIcons(const TModeIcons& icons);
  const TModeIcons& Icons() const { return Shown; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  TModeIcons Shown{TModeIcon::Select, TModeIcon::Rectangle};
};

}  // namespace lumarte::editor
