#include "ui/DialogStart.h"

#include <QAbstractSpinBox>
#include <QDialog>
#include <QLineEdit>

namespace lumarte::ui {

namespace {

QWidget* FirstInput(QDialog& dialog) {
  for (QWidget* w = dialog.nextInFocusChain(); w && w != &dialog; w = w->nextInFocusChain())
    if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(&dialog) &&
        w->window() == &dialog && !w->focusProxy())
      return w;
  return nullptr;
}

}  // namespace

int ExecFromFirstInput(QDialog& dialog) {
  if (QWidget* first = FirstInput(dialog)) {
    first->setFocus(Qt::TabFocusReason);
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(first)) spin->selectAll();
    if (auto* edit = qobject_cast<QLineEdit*>(first)) edit->selectAll();
  }
  return dialog.exec();
}

}  // namespace lumarte::ui
