// One QApplication for every test of the program, on the offscreen platform
// unless the caller chose another.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    App = new QApplication(Argc, Argv);
  }
  void TearDown() override { delete App; }

 private:
  int Argc = 1;
  char Name[9] = "ui_tests";
  char* Argv[2] = {Name, nullptr};
  QApplication* App = nullptr;
};

[[maybe_unused]] auto* const Registered = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
