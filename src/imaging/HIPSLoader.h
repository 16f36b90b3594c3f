#pragma once
// HIPS, the text-headed image format of the HIPS image-processing system
// (old- and new-style headers); read only.
#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

class THIPSLoader : public TBitmapLoader {
 public:
  bool CanLoad(const std::string& ext) override { return ExtIn(ext, {"HIP", "HIPS"}); }
  bool CanSave(const std::string&) override { return false; }
  std::string GetLoadFilter() override { return "DTU HIPS image (*.hips)|*.hips;*.hip"; }
  std::string GetSaveFilter() override { return ""; }
  uint8_t Capabilities() override { return capLoadStream; }
  void LoadFromStream(TBaseStream& stream, const std::string& ext, TRevedBitmap& bitmap) override;
};

}  // namespace lumarte::imaging
