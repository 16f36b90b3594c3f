#include "editor/ui/ColorForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>

#include "editor/model/ColorPalette.h"
#include "ui/ApplyLanguage.h"
#include "ui/Named.h"
#include "imaging/FileUtils.h"
#include "platform/DesktopOpen.h"
#include "platform/RasterImage.h"

namespace lumarte::editor {

namespace {

// The switch menu's items in tab order: component name and caption.
struct TSwitchItem {
  const char *Name, *Caption;
};
constexpr TSwitchItem kSwitchItems[kColorTabCount] = {
    {"SwitchWithFGColor", "FGColor"}, {"SwitchWithBGColor", "BGColor"},
    {"SwitchWithColor1", "Color 1"},  {"SwitchWithColor2", "Color 2"},
    {"SwitchWithColor3", "Color 3"},  {"SwitchWithColor4", "Color 4"},
    {"SwitchWithColor5", "Color 5"},  {"SwitchWithColor6", "Color 6"},
    {"SwitchWithColor7", "Color 7"},  {"SwitchWithColor8", "Color 8"}};

// One colour component's row: its label, track bar and spin edit.
struct TChannelRow {
  TChannel Channel;
  const char *LabelName, *Caption, *BarName, *EditName;
  QSlider** Bar;
  QSpinBox** Edit;
};

int ChannelOf(const TColorEntry& c, TChannel channel) {
  return channel == TChannel::Red ? c.R : channel == TChannel::Green ? c.G : c.B;
}

QString RGBText(const TColorEntry& c) {
  return QStringLiteral("RGB: %1 %2 %3").arg(c.R).arg(c.G).arg(c.B);
}

}  // namespace

TColorSwatch::TColorSwatch(const char* name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  ui::MarkAsPicture(this);
}

void TColorSwatch::SetColour(TColor c) {
  if (c == Shown) return;
  Shown = c;
  update();
}

void TColorSwatch::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(RedOf(Shown), GreenOf(Shown), BlueOf(Shown)));
  p.setPen(Qt::black);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

TPaletteImage::TPaletteImage(QWidget* parent)
    : QWidget(parent), Picture(MakeColourPalette()), Shown(platform::ToQImage(Picture)) {
  setObjectName("Image3");
  ui::MarkAsPicture(this);
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
  setFixedSize(Shown.size());
}

QSize TPaletteImage::sizeHint() const {
  return Shown.size();
}

void TPaletteImage::paintEvent(QPaintEvent*) {
  QPainter(this).drawImage(0, 0, Shown);
}

void TPaletteImage::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (Hovered && rect().contains(at)) Hovered(PaletteColourAt(Picture, at.x(), at.y()));
}

void TPaletteImage::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton && Picked) Picked(PaletteColourAt(Picture, at.x(), at.y()));
}

TColorForm::TColorForm(TColorSet& colours, QWidget* parent) : QDialog(parent), Colours(colours) {
  setObjectName("ColorForm");
  setWindowTitle("Select Color");
  setModal(true);
  OpenHelp = [](const std::string& file) { platform::OpenWithDefaultViewer(file); };

  Button1 = ui::Named(new QPushButton("OK"), "Button1");
  Button2 = ui::Named(new QPushButton("Cancel"), "Button2");
  Help = ui::Named(new QPushButton("Help"), "Help");
  Button1->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Help);
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildColourPage());
  layout->addWidget(BuildIntervalGroup());
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(Help, &QPushButton::clicked, this,
          [this] { OpenHelp(imaging::ProgramDirectory() + "SelectColors.html"); });
  State.Load(Colours);
  ShowState();
}

TColorForm::TBarPair TColorForm::AddBar(QGridLayout* grid, int row, const char* labelName,
                                        const char* caption, const char* barName,
                                        const char* editName, int min, int max,
                                        std::function<int()> value, std::function<void(int)> set) {
  auto* bar = ui::Named(new QSlider(Qt::Horizontal), barName);
  auto* edit = ui::Named(new QSpinBox, editName);
  bar->setRange(min, max);
  edit->setRange(min, max);
  bar->setMinimumWidth(160);
  grid->addWidget(ui::Named(new QLabel(caption), labelName), row, 0);
  grid->addWidget(bar, row, 1);
  grid->addWidget(edit, row, 2);
  auto changed = [this, set](int v) {
    set(v);
    ShowState();
  };
  connect(bar, &QSlider::valueChanged, this, changed);
  connect(edit, &QSpinBox::valueChanged, this, changed);
  TBarPair pair{bar, edit, std::move(value)};
  Bars.push_back(pair);
  return pair;
}

QWidget* TColorForm::BuildColourPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);

  TabControl1 = ui::Named(new QTabBar, "TabControl1");
  for (const char* caption : kColorTabCaptions) TabControl1->addTab(caption);
  connect(TabControl1, &QTabBar::currentChanged, this, [this](int tab) {
    if (tab < 0) return;
    State.SelectTab(tab);
    ShowState();
  });
  layout->addWidget(TabControl1);

  auto* grid = new QGridLayout;
  const TChannelRow rows[3] = {
      {TChannel::Red, "RedLabel", "Red", "RedTrackBar", "RedEdit", &RedTrackBar, &RedEdit},
      {TChannel::Green, "GreenLabel", "Green", "GreenTrackbar", "GreenEdit", &GreenTrackbar,
       &GreenEdit},
      {TChannel::Blue, "BlueLabel", "Blue", "BlueTrackbar", "BlueEdit", &BlueTrackbar, &BlueEdit}};
  for (int i = 0; i < 3; ++i) {
    const TChannelRow& row = rows[i];
    const TBarPair pair = AddBar(
        grid, i, row.LabelName, row.Caption, row.BarName, row.EditName, 0, 255,
        [this, c = row.Channel] { return ChannelOf(State.Selected(), c); },
        [this, c = row.Channel](int v) { State.SetSelected(c, v); });
    *row.Bar = pair.Bar;
    *row.Edit = pair.Edit;
  }
  FGColorImage = new TColorSwatch("FGColorImage");
  BGColorImage = new TColorSwatch("BGColorImage");
  grid->addWidget(FGColorImage, 0, 3);
  grid->addWidget(BGColorImage, 1, 3);
  Button3 = ui::Named(new QPushButton("switch Color with"), "Button3");
  grid->addWidget(Button3, 2, 3);
  BuildSwitchMenu();
  const TBarPair width = AddBar(
      grid, 3, "LineWidthTitle", "Line Width", "LineWidthTrackbar", "LineWidthEdit", kLineWidthMin,
      kLineWidthMax, [this] { return State.LineWidth(); },
      [this](int w) { State.SetLineWidth(w); });
  LineWidthTrackbar = width.Bar;
  LineWidthEdit = width.Edit;
  layout->addLayout(grid);

  Image3 = new TPaletteImage;
  RGB = ui::Named(new QLabel("RGB: "), "RGB");
  Image3->Hovered = [this](const TColorEntry& c) { RGB->setText(RGBText(c)); };
  Image3->Picked = [this](const TColorEntry& c) {
    State.SetSelected(c);
    ShowState();
  };
  layout->addWidget(Image3, 0, Qt::AlignHCenter);
  layout->addWidget(RGB);
  return page;
}

QWidget* TColorForm::BuildIntervalGroup() {
  GroupBox1 = ui::Named(new QGroupBox("Transparent Color Interval"), "GroupBox1");
  auto* layout = new QVBoxLayout(GroupBox1);
  CheckBox1 = ui::Named(
      new QCheckBox("use Transparent Color Interval (TCI is not supported by any file format)"),
      "CheckBox1");
  connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) {
    State.SetUseTCI(on);
    ShowState();
  });
  layout->addWidget(CheckBox1);
  auto* grid = new QGridLayout;
  const TChannelRow rows[3] = {
      {TChannel::Red, "TRedLabel", "Red", "TRedTrackBar", "TRedEdit", &TRedTrackBar, &TRedEdit},
      {TChannel::Green, "TGreenLabel", "Green", "TGreenTrackBar", "TGreenEdit", &TGreenTrackBar,
       &TGreenEdit},
      {TChannel::Blue, "TBlueLabel", "Blue", "TBlueTrackbar", "TBlueEdit", &TBlueTrackbar,
       &TBlueEdit}};
  for (int i = 0; i < 3; ++i) {
    const TChannelRow& row = rows[i];
    const TBarPair pair = AddBar(
        grid, i, row.LabelName, row.Caption, row.BarName, row.EditName, 0, 255,
        [this, c = row.Channel] { return ChannelOf(State.TCICentre(), c); },
        [this, c = row.Channel](int v) { State.SetTCI(c, v); });
    *row.Bar = pair.Bar;
    *row.Edit = pair.Edit;
  }
  const TBarPair width = AddBar(
      grid, 3, "TWidthLabel", "Width", "TWidthTrackbar", "TWidthEdit", kTCIWidthMin, kTCIWidthMax,
      [this] { return State.TCIWidth(); }, [this](int w) { State.SetTCIWidth(w); });
  TWidthTrackbar = width.Bar;
  TWidthEdit = width.Edit;
  layout->addLayout(grid);
  return GroupBox1;
}

void TColorForm::BuildSwitchMenu() {
  SwitchColorMenu = ui::Named(new QMenu(this), "SwitchColorMenu");
  for (int tab = 0; tab < kColorTabCount; ++tab) {
    QAction* item = SwitchColorMenu->addAction(kSwitchItems[tab].Caption);
    item->setObjectName(kSwitchItems[tab].Name);
    connect(item, &QAction::triggered, this, [this, tab] {
      State.SwitchWith(tab);
      ShowState();
    });
  }
  Button3->setMenu(SwitchColorMenu);
}

void TColorForm::ShowState() {
  for (const TBarPair& pair : Bars) {
    const QSignalBlocker barBlock(pair.Bar), editBlock(pair.Edit);
    const int v = pair.Value();
    pair.Bar->setValue(v);
    pair.Edit->setValue(v);
  }
  {
    const QSignalBlocker tabBlock(TabControl1), boxBlock(CheckBox1);
    TabControl1->setCurrentIndex(State.Tab());
    CheckBox1->setChecked(State.UseTCI());
  }
  FGColorImage->SetColour(State.Member(TColorMember::FG).Color());
  BGColorImage->SetColour(State.Member(TColorMember::BG).Color());
}

bool TColorForm::Execute() {
  State.Load(Colours);
  ShowState();
  if (exec() != QDialog::Accepted) return false;
  State.WriteBack(Colours);
  return true;
}

}  // namespace lumarte::editor
