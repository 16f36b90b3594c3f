#include "platform/Shell.h"

#include <QCoreApplication>
#include <QProcess>

#include "imaging/Errors.h"

namespace lumarte::platform {

void StartSecondInstance(const QStringList& arguments) {
  if (!QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments))
    throw ELumarteError("Lumarte could not be started a second time.");
}

}  // namespace lumarte::platform
