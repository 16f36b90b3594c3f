#include "ui/ApplyLanguage.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>
#include <optional>

#include "imaging/FileUtils.h"

namespace lumarte::ui {

namespace {

constexpr const char* kPictureProperty = "lumartePicture";

std::optional<editor::TLanguageTable>& StoredTable() {
  static std::optional<editor::TLanguageTable> table;
  return table;
}

void SetHint(QObject* object, const QString& hint) {
  if (auto* action = qobject_cast<QAction*>(object)) {
    action->setToolTip(hint);
    action->setStatusTip(hint);
  } else if (auto* widget = qobject_cast<QWidget*>(object)) {
    widget->setToolTip(hint);
  }
}

// False for kinds without a caption (status bars, pictures, plain panels,
// edit boxes and the like).
bool SetCaption(QObject* object, const QString& caption) {
  if (auto* action = qobject_cast<QAction*>(object)) {
    action->setText(caption);
  } else if (auto* menu = qobject_cast<QMenu*>(object)) {
    menu->setTitle(caption);
  } else if (object->property(kPictureProperty).toBool()) {
    return false;
  } else if (auto* label = qobject_cast<QLabel*>(object)) {
    label->setText(caption);
  } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
    group->setTitle(caption);
  } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
    button->setText(caption);
  } else if (auto* widget = qobject_cast<QWidget*>(object); widget && widget->isWindow()) {
    widget->setWindowTitle(caption);
  } else {
    return false;
  }
  return true;
}

// Controls that language files address at all.
bool Translatable(QObject* object) {
  if (qobject_cast<QAction*>(object)) return true;
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget) return false;
  return widget->isWindow() || widget->property(kPictureProperty).toBool() ||
         qobject_cast<QMenu*>(widget) || qobject_cast<QFrame*>(widget) ||
         qobject_cast<QGroupBox*>(widget) || qobject_cast<QAbstractButton*>(widget) ||
         qobject_cast<QStatusBar*>(widget);
}

void ApplyToObject(QObject* object, const editor::TLanguageTable& table) {
  if (!Translatable(object)) return;
  int entry = FindLanguageEntry(table, object->objectName().toStdString());
  if (entry < 0) return;
  const std::string& property = table.Properties[static_cast<size_t>(entry)];
  QString value = QString::fromStdString(table.Values[static_cast<size_t>(entry)]);
  if (property == "Hint")
    SetHint(object, value);
  else if (property == "Caption")
    SetCaption(object, value);
}

void Walk(QObject* root, const editor::TLanguageTable& table) {
  for (QObject* child : root->children()) {
    Walk(child, table);
    ApplyToObject(child, table);
  }
}

}  // namespace

void ApplyLanguage(QObject* root, const editor::TLanguageTable& table) {
  if (root) Walk(root, table);
}

void SetLanguage(editor::TLanguageTable table) {
  StoredTable() = std::move(table);
  // The application owns the windows: each window's controls first, then
  // the window itself.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->parentWidget()) continue;
    ApplyLanguage(window, *StoredTable());
    ApplyToObject(window, *StoredTable());
  }
}

const editor::TLanguageTable* CurrentLanguage() {
  return StoredTable() ? &*StoredTable() : nullptr;
}

void ApplyLanguageToForm(QWidget* form) {
  if (!form || !StoredTable()) return;
  ApplyLanguage(form, *StoredTable());
  ApplyToObject(form, *StoredTable());
}

void MarkAsPicture(QWidget* widget) {
  widget->setProperty(kPictureProperty, true);
}

void StartLanguageTimer(QObject* owner, const std::string& folder,
                        std::function<void()> afterApply) {
  std::string file = imaging::AddBackslash(folder) + editor::kLanguageFileName;
  QTimer::singleShot(200, owner, [file, afterApply = std::move(afterApply)] {
    if (!QFileInfo(QString::fromStdString(file)).isFile()) return;
    SetLanguage(editor::ParseLanguageFile(editor::ReadLanguageFile(file)));
    if (afterApply) afterApply();
  });
}

}  // namespace lumarte::ui
