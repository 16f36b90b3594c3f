#pragma once
// Gives a new widget its component name (language files find it by that).
#include <QString>

namespace lumarte::ui {

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromUtf8(name));
  return widget;
}

}  // namespace lumarte::ui
