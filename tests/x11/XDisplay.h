#pragma once
// Plain X windows with known colours, for tests that look at the screen.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include "platform/X11Session.h"

extern bool HaveXDisplay;

#define REQUIRE_X_DISPLAY()                                                           \
  do {                                                                                \
    if (!HaveXDisplay) GTEST_SKIP() << "no X display (DISPLAY unset or unreachable)"; \
  } while (0)

// An unmanaged window filled with one colour (0xRRGGBB), mapped and painted
// by the server; destroyed with the object.
class TestWindow {
 public:
  TestWindow(const lumarte::platform::X11Session& s, xcb_window_t parent, int x, int y, int w,
             int h, uint32_t rgb)
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
  static void Settle(const lumarte::platform::X11Session& s) {
    xcb_flush(s.Connection);
    free(xcb_get_input_focus_reply(s.Connection, xcb_get_input_focus(s.Connection), nullptr));
    QTest::qWait(150);
  }
  lumarte::platform::X11Session S;
  xcb_window_t Id;
};
