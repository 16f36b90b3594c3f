#pragma once
// ZSoft PCX, version 5 run-length data of 8 bits per plane: one plane with a
// 256-colour table after the pixels, or three planes (red, green, blue).
#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

class TPCXLoader : public TBitmapLoader {
 public:
  bool CanLoad(const std::string& ext) override { return ExtIn(ext, {"PCX"}); }
  bool CanSave(const std::string& ext) override { return ExtIn(ext, {"PCX"}); }
  std::string GetLoadFilter() override { return "PCX image (*.pcx)|*.pcx"; }
  void LoadFromStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) override;
  void SaveToStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) override;
};

}  // namespace lumarte::imaging
