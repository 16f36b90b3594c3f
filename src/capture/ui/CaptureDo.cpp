#include "capture/ui/CaptureDo.h"

#include <QEventLoop>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <utility>

#include "platform/RasterImage.h"

namespace lumarte::capture {

TCaptureDo::TCaptureDo(TScreenGrabber& grabber, TGlobalHotKey& hotKey)
    : QDialog(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Grabber(grabber),
      HotKey(hotKey) {
  setObjectName("TCaptureDo");
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Image1->setAttribute(Qt::WA_TransparentForMouseEvents);
  Label1 = new QLabel("Photo!", this);
  Label1->setObjectName("Label1");
  QFont font = Label1->font();
  font.setPixelSize(100);
  Label1->setFont(font);
  Label1->move(10, 10);
  Label1->adjustSize();
  Bevel1 = new QFrame(this);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setFrameShape(QFrame::Box);
  Bevel1->setStyleSheet("QFrame#Bevel1 { border: 1px solid red; }");
  Bevel1->setAttribute(Qt::WA_TransparentForMouseEvents);
  Bevel1->hide();
  Timer1 = new QTimer(this);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

TCaptureDo::~TCaptureDo() {
  HotKey.Unregister();
}

void TCaptureDo::CoverScreen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  setGeometry(screen ? screen->virtualGeometry() : QRect(0, 0, 640, 480));
  Image1->setGeometry(rect());
}

editor::TBitmap TCaptureDo::Capture(const TCaptureSettings& settings) {
  Captured = editor::TBitmap();
  Failure = nullptr;
  Source = settings.Source;
  WaitForSteps(settings);
  if (Failure) std::rethrow_exception(std::exchange(Failure, nullptr));
  if (Source == TCaptureSource::Rectangle && !Captured.Empty()) SelectRectangle();
  return std::move(Captured);
}

void TCaptureDo::WaitForSteps(const TCaptureSettings& settings) {
  Machine.emplace(settings);
  Timer1->setInterval(Machine->IntervalMs());
  if (Machine->WaitsForHotKey()) {
    try {
      HotKey.Register(settings.HotKey, [this] {
        HotKey.Unregister();
        if (!Machine) return;
        Machine->HotKeyPressed();
        Timer1->start();
      });
    } catch (...) {
      Machine.reset();
      throw;
    }
  } else {
    Timer1->start();
  }
  QEventLoop loop;
  Loop = &loop;
  loop.exec();
  Loop = nullptr;
  Timer1->stop();
  HotKey.Unregister();
  Machine.reset();
}

void TCaptureDo::GiveUp() {
  HotKey.Unregister();
  Timer1->stop();
  Captured = editor::TBitmap();
  if (Loop) Loop->quit();
  if (isVisible()) reject();
}

void TCaptureDo::Timer1Timer() {
  if (!Machine) return;
  try {
    RunAction(Machine->Tick());
  } catch (...) {
    // Errors must not cross the event loop: Capture raises them.
    Failure = std::current_exception();
    hide();
    if (Loop) Loop->quit();
    return;
  }
  if (Machine->Done() && Loop) Loop->quit();
}

void TCaptureDo::RunAction(TCaptureAction action) {
  switch (action) {
    case TCaptureAction::ShowPhoto:
      CoverScreen();
      Image1->clear();
      Label1->show();
      Label1->raise();
      show();
      raise();
      break;
    case TCaptureAction::HidePhoto:
      hide();
      break;
    case TCaptureAction::Grab:
      hide();
      Captured = Source == TCaptureSource::ActiveWindow ? Grabber.GrabActiveWindow()
                                                        : Grabber.GrabDesktop();
      break;
    case TCaptureAction::Close:
      hide();
      break;
  }
}

void TCaptureDo::SelectRectangle() {
  CoverScreen();
  QPixmap picture = QPixmap::fromImage(platform::ToQImage(Captured));
  picture.setDevicePixelRatio(devicePixelRatioF());
  Image1->setPixmap(picture);
  Label1->hide();
  Bevel1->hide();
  Band.emplace(Captured.Width(), Captured.Height());
  // Keys go here at once, so that Esc works without a click first.
  QTimer::singleShot(0, this, [this] {
    raise();
    activateWindow();
  });
  // Esc closes the window and keeps the whole picture.
  if (exec() == QDialog::Accepted) Captured = CutFrame(Captured, Band->Frame());
  Band.reset();
  Image1->clear();
}

QPoint TCaptureDo::PicturePoint(const QPointF& p) const {
  const double ratio = devicePixelRatioF();
  return QPoint(static_cast<int>(std::floor(p.x() * ratio)),
                static_cast<int>(std::floor(p.y() * ratio)));
}

void TCaptureDo::ShowBand() {
  const TFrame& f = Band->Frame();
  const double ratio = devicePixelRatioF();
  Bevel1->setGeometry(
      QRectF(f.Left / ratio, f.Top / ratio, f.Width / ratio, f.Height / ratio).toAlignedRect());
  Bevel1->setVisible(Band->Visible());
  Bevel1->raise();
}

void TCaptureDo::mousePressEvent(QMouseEvent* e) {
  if (!Band || e->button() != Qt::LeftButton) return;
  const QPoint p = PicturePoint(e->position());
  Band->Press(p.x(), p.y());
  ShowBand();
}

void TCaptureDo::mouseMoveEvent(QMouseEvent* e) {
  if (!Band || !(e->buttons() & Qt::LeftButton)) return;
  const QPoint p = PicturePoint(e->position());
  Band->Move(p.x(), p.y());
  ShowBand();
}

void TCaptureDo::mouseReleaseEvent(QMouseEvent* e) {
  if (!Band || e->button() != Qt::LeftButton) return;
  const bool taken = Band->Release();
  ShowBand();
  if (taken) accept();
}

}  // namespace lumarte::capture
