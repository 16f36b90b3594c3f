// The screen grabber, the hot key and the rectangle capture on plain X
// windows of known colours.
#include <gtest/gtest.h>
#include <xcb/xtest.h>

#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include "capture/ui/CaptureDo.h"
#include "platform/ScreenCapture.h"
#include "platform/X11Session.h"

extern bool HaveXDisplay;

using namespace lumarte;
using platform::X11Session;

namespace {

// An unmanaged window filled with one colour (0xRRGGBB), mapped and painted
// by the server; destroyed with the object.
class TestWindow {
 public:
  TestWindow(const X11Session& s, xcb_window_t parent, int x, int y, int w, int h, uint32_t rgb)
      : S(s), Id(xcb_generate_id(s.Connection)) {
    const uint32_t values[] = {rgb, 1};
    xcb_create_window(s.Connection, XCB_COPY_FROM_PARENT, Id, parent, x, y, w, h, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
    xcb_map_window(s.Connection, Id);
    Settle(s);
  }
  ~TestWindow() {
    xcb_destroy_window(S.Connection, Id);
    Settle(S);
  }
  // A round trip, then time for the server to paint.
  static void Settle(const X11Session& s) {
    xcb_flush(s.Connection);
    free(xcb_get_input_focus_reply(s.Connection, xcb_get_input_focus(s.Connection), nullptr));
    QTest::qWait(150);
  }
  X11Session S;
  xcb_window_t Id;
};

constexpr uint32_t kOrange = 0xff8000, kBlue = 0x0000ff, kGreen = 0x00c000;
// The working raster's colours are 0x00BBGGRR.
constexpr editor::TColor Raster(uint32_t rgb) {
  return ((rgb >> 16) & 0xff) | (rgb & 0xff00) | ((rgb & 0xff) << 16);
}

class ScreenCaptureTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!HaveXDisplay) GTEST_SKIP() << "no X display (DISPLAY unset or unreachable)";
    S = *platform::CurrentX11Session();
  }
  void SetActiveWindow(xcb_window_t w) {
    static constexpr char kName[] = "_NET_ACTIVE_WINDOW";
    auto* atom = xcb_intern_atom_reply(
        S.Connection, xcb_intern_atom(S.Connection, 0, sizeof kName - 1, kName), nullptr);
    ASSERT_NE(atom, nullptr);
    if (w)
      xcb_change_property(S.Connection, XCB_PROP_MODE_REPLACE, S.Root, atom->atom,
                          XCB_ATOM_WINDOW, 32, 1, &w);
    else
      xcb_delete_property(S.Connection, S.Root, atom->atom);
    free(atom);
    TestWindow::Settle(S);
  }
  // Presses the keys in order and lets them go in reverse.
  void FakeChord(const std::vector<xcb_keycode_t>& chord) {
    auto fake = [&](uint8_t type, xcb_keycode_t code) {
      xcb_test_fake_input(S.Connection, type, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    };
    for (auto code : chord) fake(XCB_KEY_PRESS, code);
    for (auto it = chord.rbegin(); it != chord.rend(); ++it) fake(XCB_KEY_RELEASE, *it);
    xcb_flush(S.Connection);
  }
  X11Session S;
};

TEST_F(ScreenCaptureTest, DesktopHoldsTheTestPatternWindow) {
  TestWindow outer(S, S.Root, 100, 120, 64, 48, kOrange);
  TestWindow inner(S, outer.Id, 8, 8, 16, 16, kBlue);
  const editor::TBitmap desktop = platform::CreateScreenGrabber()->GrabDesktop();
  ASSERT_GE(desktop.Width(), 164);
  EXPECT_EQ(desktop.Pixel(100, 120), Raster(kOrange));
  EXPECT_EQ(desktop.Pixel(163, 167), Raster(kOrange));
  EXPECT_EQ(desktop.Pixel(108, 128), Raster(kBlue));
  EXPECT_EQ(desktop.Pixel(123, 143), Raster(kBlue));
  EXPECT_EQ(desktop.Pixel(124, 144), Raster(kOrange));
  EXPECT_NE(desktop.Pixel(99, 119), Raster(kOrange));
}

// The active window is a client inside a frame, as a window manager
// reparents it: the capture is the whole frame.
TEST_F(ScreenCaptureTest, ActiveWindowIsItsFrame) {
  TestWindow frame(S, S.Root, 300, 200, 150, 100, kGreen);
  TestWindow client(S, frame.Id, 5, 20, 140, 75, kBlue);
  SetActiveWindow(client.Id);
  const editor::TBitmap shot = platform::CreateScreenGrabber()->GrabActiveWindow();
  SetActiveWindow(0);
  EXPECT_EQ(shot.Width(), 150);
  EXPECT_EQ(shot.Height(), 100);
  EXPECT_EQ(shot.Pixel(0, 0), Raster(kGreen));
  EXPECT_EQ(shot.Pixel(5, 20), Raster(kBlue));
}

TEST_F(ScreenCaptureTest, HotKeyFiresOnCtrlAltLessFromXTest) {
  auto hotKey = platform::CreateGlobalHotKey();
  int fired = 0;
  hotKey->Register('<', [&] { ++fired; });
  auto key = platform::KeyForCharacter(S.Connection, '<');
  auto ctrl = platform::KeyForKeysym(S.Connection, 0xffe3);   // Control_L
  auto alt = platform::KeyForKeysym(S.Connection, 0xffe9);    // Alt_L
  auto shift = platform::KeyForKeysym(S.Connection, 0xffe1);  // Shift_L
  ASSERT_TRUE(key && ctrl && alt && shift);
  std::vector<xcb_keycode_t> chord{ctrl->Code, alt->Code};
  if (key->Shifted) chord.push_back(shift->Code);
  chord.push_back(key->Code);
  FakeChord(chord);
  EXPECT_TRUE(QTest::qWaitFor([&] { return fired > 0; }, 3000));
  // Ungrabbed: the same keys no longer reach the capturer.
  hotKey->Unregister();
  FakeChord(chord);
  QTest::qWait(300);
  EXPECT_EQ(fired, 1);
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButtons held) {
  QMouseEvent e(type, p, w->mapToGlobal(p), Qt::LeftButton, held, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

TEST_F(ScreenCaptureTest, RectangleIsTheDraggedPart) {
  TestWindow pattern(S, S.Root, 200, 150, 80, 60, kOrange);
  auto grabber = platform::CreateScreenGrabber();
  auto hotKey = platform::CreateGlobalHotKey();
  capture::TCaptureDo window(*grabber, *hotKey);
  // Once the frozen copy is up: a drag too small (ignored), then a real one
  // from the bottom right up to the left.
  QTimer drag;
  drag.setInterval(50);
  QObject::connect(&drag, &QTimer::timeout, [&] {
    if (!window.isVisible() || window.Label1->isVisible()) return;
    drag.stop();
    SendMouse(&window, QEvent::MouseButtonPress, {210, 160}, Qt::LeftButton);
    SendMouse(&window, QEvent::MouseMove, {215, 200}, Qt::LeftButton);
    SendMouse(&window, QEvent::MouseButtonRelease, {215, 200}, Qt::NoButton);
    SendMouse(&window, QEvent::MouseButtonPress, {259, 189}, Qt::LeftButton);
    SendMouse(&window, QEvent::MouseMove, {230, 170}, Qt::LeftButton);
    SendMouse(&window, QEvent::MouseMove, {220, 160}, Qt::LeftButton);
    SendMouse(&window, QEvent::MouseButtonRelease, {220, 160}, Qt::NoButton);
  });
  drag.start();
  capture::TCaptureSettings settings;
  settings.Source = capture::TCaptureSource::Rectangle;
  const editor::TBitmap part = window.Capture(settings);
  EXPECT_EQ(part.Width(), 40);
  EXPECT_EQ(part.Height(), 30);
  EXPECT_EQ(part.Pixel(0, 0), Raster(kOrange));
  EXPECT_EQ(part.Pixel(39, 29), Raster(kOrange));
}

}  // namespace
