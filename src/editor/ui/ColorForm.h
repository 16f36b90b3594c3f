#pragma once
// "Select Color": edits the program's colour set — foreground, background,
// Color 1..8, the line width and the transparent colour interval. The edits
// stay in the dialog until OK.
#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "editor/model/Bitmap.h"
#include "editor/model/ColorFormModel.h"

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabBar;

namespace lumarte::editor {

// A plain colour square (FGColorImage, BGColorImage).
class TColorSwatch : public QWidget {
 public:
  explicit TColorSwatch(const char* name, QWidget* parent = nullptr);
  void SetColour(TColor c);
  TColor Colour() const { return Shown; }
  QSize sizeHint() const override { return {40, 24}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TColor Shown = 0;
};

// The palette picture: reports the colour under the mouse and a click.
class TPaletteImage : public QWidget {
 public:
  explicit TPaletteImage(QWidget* parent = nullptr);
  std::function<void(const TColorEntry&)> Hovered;
  std::function<void(const TColorEntry&)> Picked;
  const TBitmap& Palette() const { return Picture; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  TBitmap Picture;
  QImage Shown;
};

class TColorForm : public QDialog {
 public:
  explicit TColorForm(TColorSet& colours, QWidget* parent = nullptr);

  // Shows the set modally; OK writes the edits into it and gives true,
  // Cancel leaves it as it was.
  bool Execute();
  // Hands "SelectColors.html" of the program folder to the desktop's viewer.
  std::function<void(const std::string& file)> OpenHelp;

  const TColorFormModel& Model() const { return State; }

  QTabBar* TabControl1;
  QSlider *RedTrackBar, *GreenTrackbar, *BlueTrackbar;
  QSpinBox *RedEdit, *GreenEdit, *BlueEdit;
  TColorSwatch *FGColorImage, *BGColorImage;
  QSlider* LineWidthTrackbar;
  QSpinBox* LineWidthEdit;
  TPaletteImage* Image3;
  QLabel* RGB;
  QPushButton* Button3;  // "switch Color with"
  QMenu* SwitchColorMenu;
  QGroupBox* GroupBox1;  // "Transparent Color Interval"
  QSlider *TRedTrackBar, *TGreenTrackBar, *TBlueTrackbar, *TWidthTrackbar;
  QSpinBox *TRedEdit, *TGreenEdit, *TBlueEdit, *TWidthEdit;
  QCheckBox* CheckBox1;
  QPushButton *Button1, *Button2, *Help;

 private:
  // A track bar and its spin edit, both showing one value of the model.
  struct TBarPair {
    QSlider* Bar;
    QSpinBox* Edit;
    std::function<int()> Value;
  };
  TBarPair AddBar(QGridLayout* grid, int row, const char* labelName, const char* caption,
                  const char* barName, const char* editName, int min, int max,
                  std::function<int()> value, std::function<void(int)> set);
  QWidget* BuildColourPage();
  QWidget* BuildIntervalGroup();
  void BuildSwitchMenu();
  // Puts the model's values into every control.
  void ShowState();

  TColorSet& Colours;
  TColorFormModel State;
  std::vector<TBarPair> Bars;
};

}  // namespace lumarte::editor
