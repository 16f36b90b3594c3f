// Tests that need a real X server: they run on the xcb platform of the
// display in DISPLAY and skip when there is none.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

bool HaveXDisplay = false;

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  std::unique_ptr<QApplication> app;
  if (std::getenv("DISPLAY")) {
    xcb_connection_t* probe = xcb_connect(nullptr, nullptr);
    HaveXDisplay = !xcb_connection_has_error(probe);
    xcb_disconnect(probe);
  }
  if (HaveXDisplay) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    app = std::make_unique<QApplication>(argc, argv);
  }
  return RUN_ALL_TESTS();
}
