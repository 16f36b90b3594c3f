// The UI tests share one application object, the program's own (with its
// exception guard), offscreen unless a display is given.
#include <gtest/gtest.h>

#include "ui/ErrorHandler.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  lumarte::ui::TLumarteApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
