#include "imaging/ImageDLLLoader.h"

#include <dlfcn.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <set>

#include "imaging/FileUtils.h"

namespace lumarte::imaging {

namespace {

// Each function is looked up by the decorated name of the Windows libraries
// and by the decoration the Itanium C++ ABI gives the very same declaration
// (ImageContainer.h): an ELF library cannot export a name holding "@@", which
// the linker reads as a symbol version.
struct TExportName {
  const char* Decorated;
  const char* Itanium;
};
constexpr TExportName kLoadImageName{"?LibLoadImage@@YGHPAD0PAUTImageContainer@@@Z",
                                     "_Z12LibLoadImagePcS_P15TImageContainer"};
constexpr TExportName kSaveImageName{"?LibSaveImage@@YGHPAD0PAUTImageContainer@@@Z",
                                     "_Z12LibSaveImagePcS_P15TImageContainer"};
constexpr TExportName kFreeImageName{"?LibFreeImage@@YGHPAUTImageContainer@@@Z",
                                     "_Z12LibFreeImageP15TImageContainer"};
constexpr TExportName kLoadFilterName{"?LibGetLoadFilter@@YGPADXZ", "_Z16LibGetLoadFilterv"};
constexpr TExportName kSaveFilterName{"?LibGetSaveFilter@@YGPADXZ", "_Z16LibGetSaveFilterv"};

// Images a library hands back beyond these are nonsense, not pictures.
constexpr int32_t kMaxSide = 65535;
constexpr int64_t kMaxPixels = int64_t{1} << 28;

template <typename F>
F FindExport(void* module, const TExportName& name) {
  void* p = ::dlsym(module, name.Decorated);
  if (!p) p = ::dlsym(module, name.Itanium);
  return reinterpret_cast<F>(p);
}

char* CopyText(const char* text) {
  return text ? ::strdup(text) : nullptr;
}

struct TResultText {
  int Code;
  const char* Load;  // null: the code has no load meaning
  const char* Save;
};
constexpr TResultText kResultTexts[] = {
    {kLibCannotOpen, "Unable to open file", "Unable to open file"},
    {kLibBadData, "Error in bitmap data", "Error encoding image"},
    {kLibUnsupportedFormat, "Unsupported pixel format", "Unsupported pixel format"},
    {kLibCannotClose, nullptr, "Unable to close file"},
};

std::string ResultMessage(int code, bool save) {
  for (const auto& row : kResultTexts) {
    const char* text = save ? row.Save : row.Load;
    if (row.Code == code && text) return text;
  }
  std::string number = std::to_string(code);
  return save ? "Error writing image file: " + number : "Error in bitmap data: " + number;
}

// Tells the library to release its image whatever happens to the copy.
class TReleaseGuard {
 public:
  TReleaseGuard(TLibFreeImage release, TImageContainer* container)
      : Release(release), Container(container) {}
  ~TReleaseGuard() { Release(Container); }
  TReleaseGuard(const TReleaseGuard&) = delete;
  TReleaseGuard& operator=(const TReleaseGuard&) = delete;

 private:
  TLibFreeImage Release;
  TImageContainer* Container;
};

}  // namespace

void StoreContainerImage(const TImageContainer& c, TRevedBitmap& bitmap) {
  const int planes = c.Format & kContainerPlanesMask;
  if (planes == 0) throw ERevedBitmap("Unsupported bitmap format");
  const bool planar = (c.Format & 0xF0) == kContainerSeparatePlanes;
  if (planes != 1 && c.Format != 3 && !planar) throw ERevedBitmap("Unsupported pixel format");
  if (c.Width < 1 || c.Height < 1 || c.Width > kMaxSide || c.Height > kMaxSide ||
      int64_t{c.Width} * c.Height > kMaxPixels)
    throw ERevedBitmap("Invalid bitmap size");
  if (!c.Data) throw ERevedBitmap("Error in bitmap data");
  if (planes == 1) {
    bitmap.New(c.Width, c.Height, pf8bit);
    std::memcpy(bitmap.Map.get(), c.Data, static_cast<size_t>(bitmap.Size));
    if (c.Palette)
      std::memcpy(bitmap.Palette->data(), c.Palette, bitmap.Palette->size());
    else
      *bitmap.Palette = DefaultPalette();
    return;
  }
  bitmap.New(c.Width, c.Height, pf24bit);
  if (!planar) {
    std::memcpy(bitmap.Map.get(), c.Data, static_cast<size_t>(bitmap.Size));
    return;
  }
  bitmap.Clear(0);  // two planes leave the third black
  bitmap.InterleavePlanes(c.Data, planes);
  if (planes > 3)
    throw ERevedBitmap("The image contains " + std::to_string(planes) +
                       " color planes, only 3 were loaded");
}

TImageDLLLoader::TImageDLLLoader() : Records(sizeof(TDLLRecord)) {}

TImageDLLLoader::~TImageDLLLoader() {
  Clear();
}

void TImageDLLLoader::Clear() {
  for (int i = 0; i < Records.Count; ++i) {
    const TDLLRecord& r = Record(i);
    std::free(r.LoadFilter);
    std::free(r.SaveFilter);
    if (r.Module) ::dlclose(r.Module);
  }
  Records.Clear();
  Extensions.clear();
}

const TDLLRecord& TImageDLLLoader::Record(int index) const {
  return *reinterpret_cast<const TDLLRecord*>(Records.Item(index));
}

bool TImageDLLLoader::ScanFolder(const std::string& folder) {
  // Without a folder, dlopen would search the system's library path instead.
  std::string dir = AddBackslash(folder.empty() ? "." : folder);
  auto files = FindFiles(dir + "*.so", 0);
  SortFiles(files, files.size(), 0);  // a stable order, whatever the directory says
  bool accepted = false;
  for (const auto& f : files)
    if (!(f.Attributes & faDirectory)) accepted |= AddLibrary(dir + f.Name);
  return accepted;
}

bool TImageDLLLoader::AddLibrary(const std::string& path) {
  const int index = Records.Add();  // stays empty when the library does not load
  TDLLRecord r{};
  r.Module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!r.Module) return false;
  r.LoadImage = FindExport<TLibLoadImage>(r.Module, kLoadImageName);
  r.SaveImage = FindExport<TLibSaveImage>(r.Module, kSaveImageName);
  r.FreeImage = FindExport<TLibFreeImage>(r.Module, kFreeImageName);
  if (!r.LoadImage || !r.SaveImage || !r.FreeImage) {
    ::dlclose(r.Module);
    Records.Delete(index);
    return false;
  }
  if (auto get = FindExport<TLibGetFilter>(r.Module, kLoadFilterName)) {
    r.LoadFilter = CopyText(get());
    if (r.LoadFilter) RegisterExtensions(r.LoadFilter);
  }
  if (auto get = FindExport<TLibGetFilter>(r.Module, kSaveFilterName))
    r.SaveFilter = CopyText(get());
  std::memcpy(Records.Item(index), &r, sizeof r);
  return true;
}

void TImageDLLLoader::RegisterExtensions(const std::string& filter) {
  const std::string up = UpperCase(filter);
  std::set<std::string> seen;
  for (size_t p = up.find("*."); p != std::string::npos; p = up.find("*.", p + 2)) {
    size_t e = p + 2;
    while (e < up.size() && (std::isalnum(static_cast<unsigned char>(up[e])) || up[e] == '_')) ++e;
    std::string ext = up.substr(p + 2, e - p - 2);
    // Description and pattern part usually both name an extension: once is enough.
    if (!ext.empty() && seen.insert(ext).second) Extensions.push_back(ext);
  }
}

const TDLLRecord* TImageDLLLoader::FindRecord(const std::string& ext, bool save) const {
  for (int i = 0; i < Records.Count; ++i) {
    const TDLLRecord& r = Record(i);
    const char* filter = save ? r.SaveFilter : r.LoadFilter;
    if (filter && FilterMentions(filter, ext)) return &r;
  }
  return nullptr;
}

std::string TImageDLLLoader::JoinFilters(bool save) const {
  std::string all;
  for (int i = 0; i < Records.Count; ++i) {
    const char* filter = save ? Record(i).SaveFilter : Record(i).LoadFilter;
    if (!filter || !*filter) continue;
    if (!all.empty()) all += '|';
    all += filter;
  }
  return all;
}

std::string TImageDLLLoader::GetLoadFilter() {
  return JoinFilters(false);
}
std::string TImageDLLLoader::GetSaveFilter() {
  return JoinFilters(true);
}

void TImageDLLLoader::LoadFromFile(const std::string& fileName, const std::string& ext,
                                   TRevedBitmap& bitmap) {
  const TDLLRecord* r = FindRecord(ext, false);
  if (!r) throw ERevedBitmap("Unsupported file format");
  // The library receives writable texts, as its C signature asks.
  std::string name = fileName, extension = ext, options = Options;
  TImageContainer c{};
  c.Options = options.data();
  int code = r->LoadImage(name.data(), extension.data(), &c);
  if (code != kLibOk) throw ERevedBitmap(ResultMessage(code, false));
  TReleaseGuard guard(r->FreeImage, &c);
  StoreContainerImage(c, bitmap);
}

void TImageDLLLoader::SaveToFile(const std::string& fileName, const std::string& ext,
                                 TRevedBitmap& bitmap) {
  SaveWithOptions(fileName, ext, bitmap, Options);
}

void TImageDLLLoader::SaveWithOptions(const std::string& fileName, const std::string& ext,
                                      const TRevedBitmap& bitmap, std::string options) const {
  const TDLLRecord* r = FindRecord(ext, true);
  if (!r) throw ERevedBitmap("Unsupported file format");
  if (!bitmap.Present || (bitmap.PixelFormat != pf8bit && bitmap.PixelFormat != pf24bit))
    throw ERevedBitmap("Unsupported pixel format");
  std::string name = fileName, extension = ext;
  TImageContainer c{};
  c.Width = bitmap.Width;
  c.Height = bitmap.Height;
  c.LineWidth = bitmap.Width;
  c.Format = bitmap.PixelFormat == pf8bit ? 1 : 3;
  c.Data = bitmap.Map.get();
  c.Palette = bitmap.PixelFormat == pf8bit ? bitmap.Palette->data() : nullptr;
  c.Options = options.data();
  int code = r->SaveImage(name.data(), extension.data(), &c);
  if (code != kLibOk) throw ERevedBitmap(ResultMessage(code, true));
}

TImageDLLLoader& ImageDLLLoader() {
  static TImageDLLLoader loader;
  return loader;
}

bool ScanProgramFolder() {
  static const bool accepted = ImageDLLLoader().ScanFolder(ProgramDirectory());
  return accepted;
}

}  // namespace lumarte::imaging
