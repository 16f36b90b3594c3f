#pragma once
#include <cstdint>
#include <memory>

#include "imaging/Streams.h"

namespace lumarte::imaging {

class TStreamClass {
 public:
  virtual ~TStreamClass() = default;
  virtual void SaveToStream(TBaseStream& stream);
  virtual void LoadFromStream(TBaseStream& stream);
};

// A growable array of fixed-size records.
class TDynamicList : public TStreamClass {
 public:
  // dataPointer, when given, always receives the address of the current block.
  TDynamicList(int itemSize, void** dataPointer = nullptr);

  int Capacity() const { return Cap; }
  int ItemSize() const { return ItemBytes; }
  int Count = 0;
  int GrowBy = 0;
  uint8_t* Data() { return Block.get(); }
  uint8_t* Item(int index);

  // Appends one element (copied from item when given, else zeroed); returns its index.
  int Add(const void* item = nullptr);
  void Delete(int index);
  void Assign(const TDynamicList& other);
  void Clear();
  void SetCapacity(int capacity);
  void SaveToStream(TBaseStream& stream) override;
  void LoadFromStream(TBaseStream& stream) override;

 private:
  void Publish();
  void** DataPointer;
  int ItemBytes;
  int Cap = 0;
  std::unique_ptr<uint8_t[]> Block;
};

}  // namespace lumarte::imaging
