#include "editor/model/ImageFormats.h"

#include <algorithm>
#include <array>
#include <utility>

#include "imaging/FileUtils.h"

namespace lumarte::editor {

namespace {

// Longest suffixes first is not needed: no listed extension ends another one.
constexpr std::array<std::pair<const char*, TImageFormat>, 10> kExtensions{{
    {".BMP", TImageFormat::Bmp},
    {".JPG", TImageFormat::Jpeg},
    {".JPEG", TImageFormat::Jpeg},
    {".JP2", TImageFormat::Jpeg2000},
    {".JPC", TImageFormat::Jpeg2000},
    {".PNG", TImageFormat::Png},
    {".GIF", TImageFormat::Gif},
    {".WMF", TImageFormat::Wmf},
    {".EMF", TImageFormat::Emf},
    {".ICO", TImageFormat::Ico},
}};

}  // namespace

TImageFormat FormatOfFileName(const std::string& name) {
  std::string upper = imaging::UpperCase(name);
  for (const auto& [ext, format] : kExtensions)
    if (upper.ends_with(ext)) return format;
  return TImageFormat::Other;
}

bool IsImageFileName(const std::string& name) {
  return FormatOfFileName(name) != TImageFormat::Other;
}

bool IsBrowsableFileName(const std::string& name) {
  TImageFormat f = FormatOfFileName(name);
  return f != TImageFormat::Other && f != TImageFormat::Ico;
}

bool HasSaveExtension(const std::string& name) {
  TImageFormat f = FormatOfFileName(name);
  return f != TImageFormat::Other && f != TImageFormat::Ico;
}

std::string WithChosenExtension(const std::string& name, TSaveFormatChoice choice) {
  switch (choice) {
    case TSaveFormatChoice::Bmp:
      return name + ".bmp";
    case TSaveFormatChoice::Png:
      return name + ".png";
    case TSaveFormatChoice::Emf:
      return name + ".emf";
    case TSaveFormatChoice::Wmf:
      return name + ".wmf";
    case TSaveFormatChoice::Jp2:
      return name + ".jp2";
    case TSaveFormatChoice::Jpg:
    case TSaveFormatChoice::None:
      break;
  }
  return name + ".jpg";
}

std::string Jpeg2000FileName(const std::string& name) {
  auto slash = name.rfind('/');
  auto dot = name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return name + ".jp2";
  return name.substr(0, dot) + ".jp2";
}

std::string OpenDialogFilter(const std::string& combinedLoadFilter) {
  // The registry's text is "list|list|entries|": its first field is the
  // extension list of every codec.
  auto bar = combinedLoadFilter.find('|');
  std::string list = combinedLoadFilter.substr(0, bar);
  std::string rest;
  if (bar != std::string::npos) {
    auto second = combinedLoadFilter.find('|', bar + 1);
    if (second != std::string::npos) rest = combinedLoadFilter.substr(second + 1);
  }
  return "All images (" + list + ")|*.wmf;*.emf;" + list + "|" + rest +
         "Windows Meta File (*.emf,*.wmf)|*.wmf;*.emf;";
}

const char* const kSaveDialogFilter =
    "JPEG, JPG,  JP2, PNG, BMP, EMF, WMF,GIF|*.jpg;*.jpeg;*.png;*.bmp;*.emf;*.wmf;*.jp2;*.gif";

double ZoomForOpenedImage(int width, int height, double currentZoom) {
  double pixels = static_cast<double>(width) * height;
  if (pixels <= 0) return currentZoom;
  return std::min(1440000.0 / pixels, currentZoom);
}

}  // namespace lumarte::editor
