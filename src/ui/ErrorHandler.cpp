#include "ui/ErrorHandler.h"

#include <QMessageBox>
#include <cstdio>

#include "editor/model/ErrorText.h"

namespace lumarte::ui {

namespace {

void ShowMessageBox(const std::string& text) {
  QMessageBox box(QMessageBox::Warning, QApplication::applicationName(),
                  QString::fromStdString(text), QMessageBox::Ok);
  box.exec();
}

// The full text goes to the log when the message box shows only a code.
void Log(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lumarte: %s: %s\n", editor::ExceptionClassName(e).c_str(), e.what());
  } catch (...) {
    std::fprintf(stderr, "lumarte: unknown exception\n");
  }
}

}  // namespace

TApplicationErrorHandler::TApplicationErrorHandler()
    : ShowMessage(ShowMessageBox), Terminate([] { QApplication::exit(1); }) {}

void TApplicationErrorHandler::Handle(const std::exception_ptr& error) {
  editor::TErrorReport report = Classifier.Classify(error);
  if (report.Action == editor::TErrorAction::Silent) return;
  if (report.Action != editor::TErrorAction::ShowMessage || report.Text.rfind("Error Code: ", 0) == 0)
    Log(error);
  if (report.Action == editor::TErrorAction::ShowMessage) {
    ShowMessage(report.Text);
    return;
  }
  if (FreeUndoLevels) FreeUndoLevels();
  ShowMessage(report.Text);
  // Closing runs the save prompts; whatever they raise must not stop the end.
  try {
    if (CloseAllImages) CloseAllImages();
  } catch (...) {
    Log(std::current_exception());
  }
  if (Terminate) Terminate();
}

TApplicationErrorHandler& ApplicationErrorHandler() {
  static TApplicationErrorHandler handler;
  return handler;
}

void RunGuarded(const std::function<void()>& command) {
  try {
    command();
  } catch (...) {
    ApplicationErrorHandler().Handle(std::current_exception());
  }
}

TLumarteApplication::TLumarteApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TLumarteApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ApplicationErrorHandler().Handle(std::current_exception());
    return true;
  }
}

}  // namespace lumarte::ui
