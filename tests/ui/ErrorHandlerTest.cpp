#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "editor/ui/QtPrompts.h"
#include "ui/ErrorHandler.h"
#include "imaging/Errors.h"

using namespace lumarte;
using namespace lumarte::editor;

namespace {

// Records what a handler does, in order.
struct Recorder {
  std::vector<std::string> Steps;
  void Attach(lumarte::ui::TApplicationErrorHandler& h) {
    h.ShowMessage = [this](const std::string& t) { Steps.push_back("show " + t); };
    h.FreeUndoLevels = [this] { Steps.push_back("free undo"); };
    h.CloseAllImages = [this] {
      Steps.push_back("close all");
      throw ELumarteError("Operation Cancelled.");
    };
    h.Terminate = [this] { Steps.push_back("terminate"); };
  }
};

TEST(ErrorHandler, OutOfResourcesClosesEverythingThenEnds) {
  lumarte::ui::TApplicationErrorHandler handler;
  Recorder r;
  r.Attach(handler);
  handler.Handle(std::make_exception_ptr(EOutOfResources("no window handle")));
  handler.Handle(std::make_exception_ptr(EOutOfResources("")));
  EXPECT_EQ(r.Steps, (std::vector<std::string>{
                         "free undo",
                         "show Out of Ressources! Lumarte will terminate after closing all images.",
                         "close all", "terminate", "show Error Code: OutOfResources"}));
}

TEST(ErrorHandler, GuardedCommandsAndEventHandlersReachTheHandler) {
  Recorder r;
  r.Attach(lumarte::ui::ApplicationErrorHandler());
  lumarte::ui::RunGuarded([] { throw ELumarteError("Nothing on Clipboard!"); });
  lumarte::ui::RunGuarded([] { throw std::bad_alloc(); });

  struct Throwing : QObject {
    bool event(QEvent*) override { throw ERevedBitmap("Unsupported file format"); }
  } receiver;
  QEvent event(QEvent::User);
  QCoreApplication::sendEvent(&receiver, &event);
  EXPECT_EQ(r.Steps,
            (std::vector<std::string>{"show Nothing on Clipboard!", "show Error Code: OutOfMemory",
                                      "show Unsupported file format"}));
}

}  // namespace

// Both routes an error message takes show it with the warning icon.
TEST(ErrorHandler, MessagesCarryTheWarningIcon) {
  lumarte::ui::TApplicationErrorHandler handler;
  TQtPrompts prompts(nullptr);
  const std::vector<std::function<void(const std::string&)>> routes{
      handler.ShowMessage, [&](const std::string& text) { prompts.ShowMessage(text); }};
  for (const auto& show : routes) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QTimer::singleShot(0, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        icon = box->icon();
        text = box->text();
        box->accept();
      }
    });
    show("Picture not found.");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(text, "Picture not found.");
  }
}
