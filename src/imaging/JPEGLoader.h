#pragma once
// The registered JPEG codec.
#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

class TJPEGLoader : public TBitmapLoader {
 public:
  bool CanLoad(const std::string& ext) override { return ExtIn(ext, {"JPG", "JPEG", "JPE"}); }
  bool CanSave(const std::string& ext) override { return ExtIn(ext, {"JPG", "JPEG"}); }
  std::string GetLoadFilter() override {
    return "JPEG encoded (*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;*.jpe";
  }
  std::string GetSaveFilter() override { return "JPEG encoded (*.jpg)|*.jpg"; }
  // Grey JPEGs load as 8-bit pictures with the grey ramp, all others 24-bit.
  void LoadFromStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) override;
  // Quality 90, baseline; grey pictures are written with one component.
  void SaveToStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) override;
};

TJPEGLoader& JPEGLoader();

}  // namespace lumarte::imaging
