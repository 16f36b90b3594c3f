#include "platform/DesktopOpen.h"

#include <QDesktopServices>
#include <QUrl>

#include "imaging/Errors.h"

namespace lumarte::platform {

void OpenWithDefaultViewer(const std::string& fileName) {
  QUrl url = QUrl::fromLocalFile(QString::fromStdString(fileName));
  if (!QDesktopServices::openUrl(url)) throw ELumarteError("Could not open " + fileName);
}

}  // namespace lumarte::platform
