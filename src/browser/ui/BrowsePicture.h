#pragma once
// The thumbnail picture of the browser: shows the off-screen image and
// reports the mouse.
#include <functional>

#include <QImage>
#include <QWidget>

namespace lumarte::browser {

class TBrowsePicture : public QWidget {
 public:
  explicit TBrowsePicture(QWidget* parent = nullptr);
  void SetImage(const QImage& image);
  const QImage& Image() const { return Shown; }

  std::function<void(int x, int y)> MouseMoved;
  std::function<void(int x, int y)> DoubleClicked;
  std::function<void(int steps)> Wheeled;  // positive: down
  std::function<void()> Resized;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage Shown;
  int WheelRest = 0;
};

}  // namespace lumarte::browser
