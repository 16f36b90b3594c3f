#pragma once
// Windows icon and cursor files: every image of a file can be read, one image
// is written.
#include <cstdint>

#include "imaging/IconList.h"
#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

// Picks the image to import. The editor answers with its selection dialog;
// without a chooser the first image is taken.
class TIconChooser {
 public:
  virtual ~TIconChooser() = default;
  // Returns false for Cancel. index starts at 0; transparentColor (0x00BBGGRR)
  // may be changed by the user.
  virtual bool ChooseIcon(const TIconList& icons, int& index, uint32_t& transparentColor) = 0;
};

class TICOLoader : public TBitmapLoader {
 public:
  // Fills the pixels the icon leaves transparent; on saving, pixels of this
  // colour become transparent.
  uint32_t TransparentColor = 0x00FF00FF;
  // Take the first image without asking.
  bool LoadFirst = false;
  // Hot spot of the last cursor read; written into saved cursors.
  uint16_t HotSpotX = 0;
  uint16_t HotSpotY = 0;
  TIconChooser* Chooser = nullptr;  // not owned

  bool CanLoad(const std::string& ext) override { return ExtIn(ext, {"ICO", "CUR"}); }
  bool CanSave(const std::string& ext) override { return ExtIn(ext, {"ICO", "CUR"}); }
  std::string GetLoadFilter() override {
    return "Windows icon (*.ico)|*.ico|Windows cursor (*.cur)|*.cur";
  }
  // Always gives a 24-bit buffer. A cancelled choice raises the silent EAbort.
  void LoadFromStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) override;
  void SaveToStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) override;
};

// The registered instance.
TICOLoader& IconLoader();

// The single-image list SaveToStream writes for a buffer (exposed for tests).
TIconList IconListFromBitmap(const TRevedBitmap& bitmap, bool cursor, uint32_t transparentColor);

}  // namespace lumarte::imaging
