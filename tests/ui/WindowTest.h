#pragma once
// The main window on scripted prompts, made anew for each test from the
// default colour set (program-wide state).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <memory>
#include <string>

#include "editor/model/ProgramState.h"
#include "editor/ui/MainWindow.h"
#include "support/FakePrompts.h"

// A mouse event of button, with held the buttons down during it.
inline void SendMouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
  QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

class WindowTest : public ::testing::Test {
 protected:
  lumarte::fixtures::FakePrompts prompts;
  std::unique_ptr<lumarte::editor::TForm1> window;

  void SetUp() override {
    lumarte::editor::ProgramState().Colours = lumarte::editor::TColorSet();
    window = std::make_unique<lumarte::editor::TForm1>(&prompts);
  }
  void TearDown() override {
    // Nothing may ask on the way out.
    for (int k = 0; k < lumarte::editor::kSlotCount; ++k) window->Docs.Slot(k).Modified = false;
    window.reset();
  }
  QAction* Action(const std::string& name) {
    return window->findChild<QAction*>(QString::fromStdString(name));
  }
  void Trigger(const std::string& name) {
    QAction* a = Action(name);
    ASSERT_NE(a, nullptr) << name;
    ASSERT_TRUE(a->isEnabled()) << name;
    a->trigger();
  }
  std::string LabelText(const QString& name) {
    return window->findChild<QLabel*>(name)->text().toStdString();
  }
};
