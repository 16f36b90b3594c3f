#pragma once
// The JPEG 2000 save dialog: lossless or lossy compression at a rate, with a
// preview made by a round trip through the codec library.
#include <QDialog>
#include <QImage>
#include <string>

#include "imaging/ImageDLLLoader.h"
#include "imaging/JPEG2000Options.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSlider;
class QSpinBox;
class QTimer;

namespace lumarte::editor {

class TJPEG2000Form : public QDialog {
  Q_OBJECT
 public:
  // The options chosen stay in codec after the dialog, for the save that follows.
  explicit TJPEG2000Form(imaging::TImageDLLLoader& codec, QWidget* parent = nullptr);

  // Shows the dialog modally for image; true on OK.
  bool Execute(const imaging::TRevedBitmap& image);
  // Everything Execute does before the dialog is shown (image, preview).
  void Prepare(const imaging::TRevedBitmap& image);
  int Rate() const { return RateValue; }
  void SetRate(int rate);

  QScrollArea* ImageBox;
  QScrollArea* PreviewBox;
  QLabel* ImageView;
  QLabel* PreviewView;
  QRadioButton* OneToOne;
  QRadioButton* FullImage;
  QRadioButton* Lossless;
  QRadioButton* Lossy;
  QSlider* RateBar;
  QSpinBox* RateSpin;
  QLabel* RateLabel;
  QLabel* SizeLabel;
  QPushButton* PreviewButton;
  QPushButton* OkButton;
  QPushButton* CancelButton;
  QTimer* ScrollTimer;

 public slots:
  void MakePreview();
  // Lets the scroll box the user moved lead the other one.
  void SyncScrollBoxes();

 private:
  QGroupBox* BuildImageGroups();
  QGroupBox* BuildZoomGroup();
  QGroupBox* BuildCompressionGroup();
  void ApplyOptions();
  void ShowViews();
  void RememberScrollPositions();

  imaging::TImageDLLLoader& Codec;
  imaging::TRevedBitmap Image;
  QImage ImagePicture;
  QImage PreviewPicture;
  int RateValue = imaging::kJpeg2000DefaultRate;
  int LastPositions[4] = {};  // scroll bars as last seen: image h, v, preview h, v
};

}  // namespace lumarte::editor
