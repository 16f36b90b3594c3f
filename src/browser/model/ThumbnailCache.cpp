#include "browser/model/ThumbnailCache.h"

#include "editor/model/TempFiles.h"

namespace lumarte::browser {

TThumbnailCache::TThumbnailCache(std::function<int(int)> randomBelow)
    : RandomBelow(randomBelow ? std::move(randomBelow) : editor::TTempFiles::ProgramRandom) {}

std::shared_ptr<const editor::TBitmap> TThumbnailCache::Find(const std::string& path) const {
  for (const auto& slot : Slots)
    if (slot.Picture && slot.Path == path) return slot.Picture;
  return nullptr;
}

void TThumbnailCache::Store(const std::string& path,
                            std::shared_ptr<const editor::TBitmap> picture) {
  TSlot& slot = Slots[static_cast<size_t>(RandomBelow(kSlots)) % kSlots];
  slot.Path = path;
  slot.Picture = std::move(picture);
}

void TThumbnailCache::Clear() {
  for (auto& slot : Slots) slot = {};
}

int TThumbnailCache::Size() const {
  int n = 0;
  for (const auto& slot : Slots) n += slot.Picture != nullptr;
  return n;
}

bool TThumbnailCache::SizeChangeEmpties(int oldSize, int newSize) {
  return (oldSize < 70 && newSize == 100) || (oldSize < 90 && newSize == 120);
}

}  // namespace lumarte::browser
