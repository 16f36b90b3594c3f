#include "ui/FileFilter.h"

#include <QRegularExpression>
#include <QStringList>

namespace lumarte::ui {

QString QtFileFilter(const std::string& filter) {
  QStringList parts = QString::fromStdString(filter).split('|');
  QStringList entries;
  static const QRegularExpression trailingList(R"(\s*\([^()]*\)\s*$)");
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1].split(';', Qt::SkipEmptyParts).join(' ');
    if (patterns.isEmpty()) continue;
    QString description = parts[i];
    description.remove(trailingList);
    entries << description + " (" + patterns + ")";
  }
  return entries.join(";;");
}

}  // namespace lumarte::ui
