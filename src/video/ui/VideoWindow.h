#pragma once
// The video window: shows the player's current frame stretched to the
// display rectangle, black around it.
#include <QWidget>

#include "platform/ffmpeg/VideoPlayer.h"

namespace lumarte::video {

class TVideoWindow : public QWidget {
  Q_OBJECT
 public:
  TVideoWindow(platform::TVideoPlayer& player, QWidget* parent);
  // The size the frame is drawn at (the window is one pixel larger).
  QSize DisplaySize;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  platform::TVideoPlayer& Player;
};

}  // namespace lumarte::video
