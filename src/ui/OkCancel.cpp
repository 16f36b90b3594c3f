#include "ui/OkCancel.h"

#include <QDialog>
#include <QPushButton>

#include "ui/Named.h"

namespace lumarte::ui {

TOkCancelButtons OkCancelButtons(QDialog* dialog, const TOkCancelLabels& labels) {
  auto* ok = Named(new QPushButton(labels.OkCaption), labels.OkName);
  auto* cancel = Named(new QPushButton(labels.CancelCaption), labels.CancelName);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return {ok, cancel};
}

}  // namespace lumarte::ui
