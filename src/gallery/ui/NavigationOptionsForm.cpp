#include "gallery/ui/NavigationOptionsForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Named.h"

namespace lumarte::gallery {

TThumbnailCreatorNavigationOptionsForm::TThumbnailCreatorNavigationOptionsForm(QWidget* parent)
    : QDialog(parent) {
  setObjectName("ThumbnailCreatorNavigationOptionsForm");
  setWindowTitle("Options Navigation");
  auto* ok = ui::Named(new QPushButton("OK"), "OKButton");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::Named(new QLabel("no navigation options available at the moment"), "Label1"));
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  layout->addLayout(row);
}

}  // namespace lumarte::gallery
