#include "editor/ui/ZoomForm.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace lumarte::editor {

TZoomForm1::TZoomForm1(QWidget* parent) : QDialog(parent) {
  setObjectName("ZoomForm1");
  setWindowTitle("Zoom");
  setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
  TrackBar1 = new QSlider(Qt::Horizontal, this);
  TrackBar1->setObjectName("TrackBar1");
  TrackBar1->setRange(kZoomTrackMin, kZoomTrackMax);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setReadOnly(true);
  auto button = [this](const char* name, const char* caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
  };
  ApplyButton = button("ApplyButton", "Apply");
  CancelButton = button("CancelButton", "Cancel");
  CloseButton = button("CloseButton", "Close");

  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {ApplyButton, CancelButton, CloseButton}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(TrackBar1);
  layout->addWidget(Edit1);
  layout->addLayout(buttons);

  connect(TrackBar1, &QSlider::valueChanged, this, [this](int p) {
    if (p == Model.TrackPosition) return;  // our own mirroring
    Model.TrackMoved(p);
    Mirror();
  });
  connect(ApplyButton, &QPushButton::clicked, this, [this] {
    double z = Model.Apply();
    if (SetZoom) SetZoom(z);
  });
  connect(CancelButton, &QPushButton::clicked, this, [this] {
    Model.Cancel();
    Mirror();
    if (ResizeImageControl) ResizeImageControl(Model.Current);
  });
  connect(CloseButton, &QPushButton::clicked, this, [this] {
    double z = Model.Close();
    if (SetZoom) SetZoom(z);
    close();
  });
}

void TZoomForm1::ShowOn(double current) {
  Model.Current = current;
  Model.ShowFactor(current);
  Mirror();
  show();
  raise();
}

void TZoomForm1::Mirror() {
  Edit1->setText(QString::number(Model.Shown));
  if (TrackBar1->value() != Model.TrackPosition) TrackBar1->setValue(Model.TrackPosition);
}

}  // namespace lumarte::editor
