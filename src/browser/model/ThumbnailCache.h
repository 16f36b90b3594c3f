#pragma once
// Downscaled pictures of images already shown: 200 slots searched by full
// path, a new picture replacing the one in a slot drawn at random.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "editor/model/Bitmap.h"

namespace lumarte::browser {

class TThumbnailCache {
 public:
  static constexpr int kSlots = 200;
  // randomBelow(n) gives 0..n-1; by default the program-wide generator.
  explicit TThumbnailCache(std::function<int(int)> randomBelow = {});

  // The picture kept for path (an empty raster for a file that did not
  // load), or null.
  std::shared_ptr<const editor::TBitmap> Find(const std::string& path) const;
  void Store(const std::string& path, std::shared_ptr<const editor::TBitmap> picture);
  void Clear();
  int Size() const;

  // A thumbnail size change empties the cache when it grows from below 70
  // to 100 or from below 90 to 120, so small pictures are not enlarged.
  static bool SizeChangeEmpties(int oldSize, int newSize);

 private:
  struct TSlot {
    std::string Path;
    std::shared_ptr<const editor::TBitmap> Picture;
  };
  std::array<TSlot, kSlots> Slots;
  std::function<int(int)> RandomBelow;
};

}  // namespace lumarte::browser
