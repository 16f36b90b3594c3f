#pragma once
// Gallery templates: ".tpl" settings files, their parameters, and the
// placeholders every written page goes through.
#include <string>
#include <vector>

#include "gallery/model/GalleryProject.h"

namespace lumarte::gallery {

// Lines of a text, split at CR LF, LF or CR.
std::vector<std::string> SplitLines(const std::string& text);

// "Templates/" in the program folder, with the trailing "/".
std::string TemplateFolder(const TGallerySettings& s);
// Names of the "*.html" files of the folder, then of the "*.tpl" files not
// yet listed, without extension, sorted.
std::vector<std::string> TemplateNames(const std::string& folder);

// What selecting a template shows: its description and parameter rows.
struct TTemplateParameters {
  std::string Description;
  std::string Names[8];
  bool IsColour[8] = {};
  bool HasDefault[8] = {};
  std::string Defaults[8];
  int Count = 0;  // rows 1..Count are enabled
};
TTemplateParameters ReadTemplateParameters(const std::vector<std::string>& tplLines);

// The settings keys applied by the template dialog's OK, in line order. A
// numeric key with a non-integer value raises EConvertError naming it; the
// keys before it stay applied.
void ApplyTemplateSettings(const std::vector<std::string>& tplLines, TGallerySettings& s);

// Values the placeholders stand for.
struct TPlaceholderValues {
  std::string GalleryFileName;
  std::string FirstImageLink;
  std::string ThumbWidth;
  std::string ThumbHeight;
  std::string ParameterNames[8];
  std::string ParameterValues[8];
};
TPlaceholderValues PlaceholderValuesFor(const GalleryProject& p, const std::string& galleryFile);

// Replaces every placeholder; the search goes on after each inserted value,
// so a value holding its own placeholder cannot loop.
std::string SubstitutePlaceholders(const std::string& text, const TPlaceholderValues& v);

// The keys a run reads.
struct TTemplateRunKeys {
  bool IndexIsNotGallery = false;
  std::string IndexFile;
  struct TCopy {
    std::string Source, Target;
  };
  std::vector<TCopy> Copies;
};
TTemplateRunKeys ReadTemplateRunKeys(const std::vector<std::string>& tplLines);

// Whether a COPY target stays below the HTML folder.
bool IsContainedPath(const std::string& relative);

}  // namespace lumarte::gallery
