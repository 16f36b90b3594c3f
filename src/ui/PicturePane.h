#pragma once
// A scroll box showing one picture, either pixel for pixel ("1:1") or
// shrunk to fit the box with its aspect ratio kept ("Full Image").
#include <QImage>
#include <QScrollArea>

class QLabel;

namespace lumarte::ui {

class TPicturePane : public QScrollArea {
 public:
  explicit TPicturePane(QWidget* parent = nullptr);
  void SetPicture(const QImage& picture);
  void SetPicture(const QImage& picture, bool fitted);
  const QImage& Picture() const { return Image; }
  void SetFitted(bool fitted);
  bool Fitted() const { return Fit; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowPicture();
  QLabel* Label;
  QImage Image;
  bool Fit = true;
};

}  // namespace lumarte::ui
