#pragma once
// Starting programs from the editor.
#include <QStringList>

namespace lumarte::platform {

// Starts another instance of this program with the given arguments.
// Raises ELumarteError when the program cannot be started.
void StartSecondInstance(const QStringList& arguments);

}  // namespace lumarte::platform
