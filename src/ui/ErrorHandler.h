#pragma once
// The application-wide error handler: every exception that reaches the main
// loop ends here and is shown to the user.
#include <exception>
#include <functional>
#include <string>

#include <QApplication>

#include "editor/model/ErrorReport.h"

namespace lumarte::ui {

class TApplicationErrorHandler {
 public:
  // Shows a text in a message box; tests replace it.
  std::function<void(const std::string&)> ShowMessage;
  // The out-of-resources path: frees the undo levels of the current image,
  // then (after the message) closes all images with their prompts.
  std::function<void()> FreeUndoLevels;
  std::function<void()> CloseAllImages;
  // Ends the program; QApplication::exit by default.
  std::function<void()> Terminate;

  TApplicationErrorHandler();
  void Handle(const std::exception_ptr& error);

 private:
  editor::TErrorClassifier Classifier;
};

// The program's one handler.
TApplicationErrorHandler& ApplicationErrorHandler();

// Runs a command and hands any exception to the application error handler.
void RunGuarded(const std::function<void()>& command);

// The application object: no exception from an event handler reaches Qt's
// event loop.
class TLumarteApplication : public QApplication {
 public:
  TLumarteApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace lumarte::ui
