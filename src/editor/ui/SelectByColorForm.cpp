#include "editor/ui/SelectByColorForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editor/model/SelectByColorSwatch.h"
#include "platform/RasterImage.h"
#include "ui/Named.h"

namespace lumarte::editor {

namespace {

constexpr int kSwatchSize = 65;

}  // namespace

TSelectByColorForm::TSelectByColorForm(TSelectByColor& values, QWidget* parent)
    : QDialog(parent), Values(values) {
  setObjectName("SelectByColorForm");
  setWindowTitle("Select by Color");
  auto* group = ui::Named(new QGroupBox("Select Color Interval", this), "GroupBox1");
  auto* grid = new QGridLayout(group);
  struct Row {
    const char *Caption, *Label, *Bar, *Edit;
    int Min, Value;
    QSlider** Slider;
    QSpinBox** Spin;
  };
  const Row rows[] = {
      {"Red", "Label1", "SBCRedTrackBar", "TRedEdit", 0, values.Red, &SBCRedTrackBar, &TRedEdit},
      {"Green", "Label2", "SBCGreenTrackBar", "TGreenEdit", 0, values.Green, &SBCGreenTrackBar,
       &TGreenEdit},
      {"Blue", "Label3", "SBCBlueTrackbar", "TBlueEdit", 0, values.Blue, &SBCBlueTrackbar,
       &TBlueEdit},
      {"Width", "Label4", "SBCWidthTrackbar", "TWidthEdit", 1, values.Width, &SBCWidthTrackbar,
       &TWidthEdit}};
  int r = 0;
  for (const Row& row : rows) {
    auto* slider = ui::Named(new QSlider(Qt::Horizontal, group), row.Bar);
    auto* spin = ui::Named(new QSpinBox(group), row.Edit);
    for (auto* c : {static_cast<QWidget*>(slider), static_cast<QWidget*>(spin)})
      c->setMinimumWidth(60);
    slider->setRange(row.Min, 255);
    spin->setRange(row.Min, 255);
    slider->setValue(row.Value);
    spin->setValue(slider->value());
    connect(slider, &QSlider::valueChanged, spin, &QSpinBox::setValue);
    connect(spin, &QSpinBox::valueChanged, slider, &QSlider::setValue);
    connect(slider, &QSlider::valueChanged, this, [this] { Changed(); });
    grid->addWidget(ui::Named(new QLabel(row.Caption, group), row.Label), r, 0);
    grid->addWidget(slider, r, 1);
    grid->addWidget(spin, r, 2);
    *row.Slider = slider;
    *row.Spin = spin;
    ++r;
  }
  Image2 = ui::Named(new QLabel(this), "Image2");
  Image2->setFixedSize(kSwatchSize, kSwatchSize);
  Button1 = ui::Named(new QPushButton("OK", this), "Button1");
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(group, 1);
  top->addWidget(Image2, 0, Qt::AlignTop);
  layout->addLayout(top);
  layout->addWidget(Button1, 0, Qt::AlignRight);
  Changed();
}

void TSelectByColorForm::Changed() {
  Values = {SBCRedTrackBar->value(), SBCGreenTrackBar->value(), SBCBlueTrackbar->value(),
            SBCWidthTrackbar->value()};
  Image2->setPixmap(QPixmap::fromImage(
      platform::ToQImage(SelectByColorSwatch(Values, kSwatchSize, kSwatchSize, Rng()))));
}

}  // namespace lumarte::editor
