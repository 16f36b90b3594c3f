#pragma once
#include <functional>
#include <optional>

#include <QFont>

#include "effects/ui/EffectForms.h"

namespace lumarte::effects {

// The Write and Paste Insert dialogs.
void AddInsertForms(EffectFormFactories& factories);
// The Paste Insert dialog (part of AddInsertForms).
void AddPasteInsertForm(EffectFormFactories& factories);
// What Write's "Select Color" opens (the program's colour-selection dialog).
void SetWriteColourDialog(std::function<void()> open);
// The font chooser of Write's "Select Font" (the platform's font dialog
// unless replaced); nothing when the user cancels.
using FontChooser = std::function<std::optional<QFont>(const QFont& start, QWidget* parent)>;
void SetWriteFontChooser(FontChooser choose);

}  // namespace lumarte::effects
