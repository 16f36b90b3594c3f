#pragma once
// Applies a language table to windows: controls and menu items are found by
// their object names (the component names of the language file).
#include <functional>
#include <string>

#include "editor/model/Internationalization.h"

class QObject;
class QWidget;

namespace lumarte::ui {

// Sets captions and hints of every object below root, depth first with each
// object's children before the object itself. Per object only the first line
// of the table naming it counts, and only when its property fits the kind of
// control (a status bar or picture takes a hint, never a caption).
void ApplyLanguage(QObject* root, const editor::TLanguageTable& table);

// Stores the table for the rest of the run and applies it to every window.
void SetLanguage(editor::TLanguageTable table);
// The stored table, or null while none was loaded.
const editor::TLanguageTable* CurrentLanguage();
// For windows created later: applies the stored table, if any, to the window
// and its controls.
void ApplyLanguageToForm(QWidget* form);

// Marks a widget as a picture: language files may give it a hint only.
void MarkAsPicture(QWidget* widget);

// The language timer: 200 ms after the call, loads "lang.txt" from folder when
// it exists, applies it with SetLanguage and then runs afterApply (the main
// window fits itself again, captions may have changed width).
void StartLanguageTimer(QObject* owner, const std::string& folder,
                        std::function<void()> afterApply);

}  // namespace lumarte::ui
