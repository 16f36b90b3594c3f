#include "imaging/DynamicLists.h"

#include <cstring>

namespace lumarte::imaging {

void TStreamClass::SaveToStream(TBaseStream&) {
  throw EFormatError("SaveToStream not supported");
}

void TStreamClass::LoadFromStream(TBaseStream&) {
  throw EFormatError("LoadFromStream not supported");
}

TDynamicList::TDynamicList(int itemSize, void** dataPointer)
    : DataPointer(dataPointer), ItemBytes(itemSize) {
  LUMARTE_ASSERT(itemSize > 0);
  Publish();
}

void TDynamicList::Publish() {
  if (DataPointer) *DataPointer = Block.get();
}

uint8_t* TDynamicList::Item(int index) {
  LUMARTE_ASSERT(index >= 0 && index < Count);
  return Block.get() + static_cast<size_t>(index) * ItemBytes;
}

void TDynamicList::SetCapacity(int capacity) {
  LUMARTE_ASSERT(capacity >= 0);
  if (capacity == Cap) return;
  auto block = capacity ? std::make_unique<uint8_t[]>(static_cast<size_t>(capacity) * ItemBytes)
                        : nullptr;
  if (capacity < Count) Count = capacity;
  if (Count) std::memcpy(block.get(), Block.get(), static_cast<size_t>(Count) * ItemBytes);
  Block = std::move(block);
  Cap = capacity;
  Publish();
}

int TDynamicList::Add(const void* item) {
  if (Count == Cap) {
    if (Cap == 0 && GrowBy == 0)
      SetCapacity(16);
    else
      SetCapacity(GrowBy <= 0 ? Cap * 2 : Cap + GrowBy);
  }
  uint8_t* dst = Block.get() + static_cast<size_t>(Count) * ItemBytes;
  if (item)
    std::memcpy(dst, item, ItemBytes);
  else
    std::memset(dst, 0, ItemBytes);
  return Count++;
}

void TDynamicList::Delete(int index) {
  LUMARTE_ASSERT(index >= 0 && index < Count);
  uint8_t* p = Block.get() + static_cast<size_t>(index) * ItemBytes;
  std::memmove(p, p + ItemBytes, static_cast<size_t>(Count - index - 1) * ItemBytes);
  --Count;
}

void TDynamicList::Assign(const TDynamicList& other) {
  LUMARTE_ASSERT(other.ItemBytes == ItemBytes);
  if (&other == this) return;
  Count = 0;
  SetCapacity(other.Count);
  if (other.Count)
    std::memcpy(Block.get(), other.Block.get(), static_cast<size_t>(other.Count) * ItemBytes);
  Count = other.Count;
}

void TDynamicList::Clear() {
  Count = 0;
  SetCapacity(0);
}

void TDynamicList::SaveToStream(TBaseStream& stream) {
  stream.WriteDWordLE(static_cast<uint32_t>(Count));
  stream.WriteExact(Block.get(), static_cast<size_t>(Count) * ItemBytes);
}

void TDynamicList::LoadFromStream(TBaseStream& stream) {
  uint32_t n = stream.ReadDWordLE();
  // A count beyond what the stream can hold is corrupt data, not a reason to allocate.
  int64_t avail = stream.Available();
  if (n > 0x7FFFFFFu || (avail >= 0 && static_cast<int64_t>(n) * ItemBytes > avail))
    throw EInOutError("Read less than expected");
  Clear();
  SetCapacity(static_cast<int>(n));
  stream.ReadExact(Block.get(), static_cast<size_t>(n) * ItemBytes);
  Count = static_cast<int>(n);
}

}  // namespace lumarte::imaging
