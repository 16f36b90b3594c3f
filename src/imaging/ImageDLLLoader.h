#pragma once
// External codec libraries: shared objects in the program folder that load
// and save formats the library does not know itself.
#include <string>
#include <vector>

#include "imaging/DynamicLists.h"
#include "imaging/ImageContainer.h"
#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

using TLibLoadImage = int (*)(char*, char*, TImageContainer*);
using TLibSaveImage = int (*)(char*, char*, TImageContainer*);
using TLibFreeImage = int (*)(TImageContainer*);
using TLibGetFilter = char* (*)();

// One scanned library: six pointer-sized fields, trivially copyable so that
// it can live in a TDynamicList. A library that failed to load keeps a record
// with everything null; it never matches a filter.
struct TDLLRecord {
  void* Module;
  char* LoadFilter;  // owned copy, or null
  char* SaveFilter;  // owned copy, or null
  TLibLoadImage LoadImage;
  TLibSaveImage SaveImage;
  TLibFreeImage FreeImage;
};

class TImageDLLLoader : public TBitmapLoader {
 public:
  TImageDLLLoader();
  ~TImageDLLLoader() override;
  TImageDLLLoader(const TImageDLLLoader&) = delete;
  TImageDLLLoader& operator=(const TImageDLLLoader&) = delete;

  // Handed to every library call (the JPEG 2000 dialog sets "rate=0.050").
  std::string Options;

  // Loads every *.so in folder that exports the three required functions;
  // true when at least one was accepted.
  bool ScanFolder(const std::string& folder);
  // Unloads every library.
  void Clear();
  int RecordCount() const { return Records.Count; }
  const TDLLRecord& Record(int index) const;
  // Extensions named by the load filters, each once per library, upper case,
  // in scan order (the formats the editor's picture loading may offer).
  const std::vector<std::string>& GraphicExtensions() const { return Extensions; }

  std::string GetLoadFilter() override;
  std::string GetSaveFilter() override;
  uint8_t Capabilities() override { return capLoadFile | capSaveFile; }
  void LoadFromFile(const std::string& fileName, const std::string& ext,
                    TRevedBitmap& bitmap) override;
  void SaveToFile(const std::string& fileName, const std::string& ext,
                  TRevedBitmap& bitmap) override;
  // SaveToFile with options of its own instead of Options, so that saves on
  // several threads need not share the field.
  void SaveWithOptions(const std::string& fileName, const std::string& ext,
                       const TRevedBitmap& bitmap, std::string options) const;

 private:
  bool AddLibrary(const std::string& path);
  void RegisterExtensions(const std::string& filter);
  const TDLLRecord* FindRecord(const std::string& ext, bool save) const;
  std::string JoinFilters(bool save) const;

  mutable TDynamicList Records;
  std::vector<std::string> Extensions;
};

// The registered instance (always the registry's last codec).
TImageDLLLoader& ImageDLLLoader();

// Scans the program folder into the registered instance, as the programs do
// at start; later calls do nothing. True when a library was accepted.
bool ScanProgramFolder();

// Turns a library's image into a pixel buffer: one plane gives 8 bits, three
// interleaved samples or separate planes give 24 bits. Raises the library's
// messages for formats it cannot take (exposed for tests).
void StoreContainerImage(const TImageContainer& container, TRevedBitmap& bitmap);

}  // namespace lumarte::imaging
