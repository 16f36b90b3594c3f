#include "ui/OkCancel.h"

#include <QDialog>
#include <QHBoxLayout>
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

QHBoxLayout* OkCancelRow(QDialog* dialog, const TOkCancelLabels& labels) {
  const TOkCancelButtons buttons = OkCancelButtons(dialog, labels);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(buttons.Ok);
  row->addWidget(buttons.Cancel);
  return row;
}

}  // namespace lumarte::ui
