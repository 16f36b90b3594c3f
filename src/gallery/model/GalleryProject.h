#pragma once
// The gallery being built: its images with their per-image texts, every
// setting of the creator with its default, and the undo lists of the last run.
#include <string>
#include <vector>

#include "gallery/model/GalleryUndo.h"

namespace lumarte::editor {
class TEditorPrompts;
}

namespace lumarte::gallery {

struct GalleryEntry {
  std::string FileName;     // full path of the source image
  std::string Name;         // published file name (no folder part)
  std::string Link;         // link target, relative to the image folder
  std::string ThumbName;    // thumbnail name plus its size attributes
  std::string Hint;         // alt text
  std::string Description;  // caption below the thumbnail
};

enum class TGalleryStyle { List, Paragraph, Table, Collage };
enum class TThumbQuality { High, Middle, Low, VeryLow };
enum class TSizingMode { Limit, HardLimit, Stretch, Fit };
enum class THAlign { Left, Center, Right };
enum class TVAlign { Top, Middle, Bottom };
enum class TCollagePartitioning { Table, Random, Circle };

struct TListOptions {
  bool Ordered = false;
  std::string CSSClass;
};

struct TTableOptions {
  std::string CSSClass;
  int Border = 0;
  std::string Width;
  THAlign TDAlign = THAlign::Center;
  TVAlign TDVAlign = TVAlign::Middle;
};

struct TParaOptions {
  std::string CSSClass;
  THAlign Align = THAlign::Left;
};

struct TCollageOptions {
  TCollagePartitioning Partitioning = TCollagePartitioning::Table;
  std::string BackgroundColor = "black = #000000 ";  // an item of the colour list
  bool Center = false;
  std::string CSSClass;
  uint32_t Seed = 0;  // of the random partitioning
};

// The nine lines of the default image-page skeleton.
std::vector<std::string> DefaultImagePageSkeleton();

struct TGallerySettings {
  std::string HTMLDir;            // base folder, no trailing separator
  std::string ImageDir = "images";
  std::string HTMLFile;
  std::string TemplateName;       // empty: no template
  TGalleryStyle Style = TGalleryStyle::Table;
  int ListRows = 20;
  int Cols = 5;
  int Rows = 3;
  TThumbQuality Quality = TThumbQuality::Middle;
  TSizingMode Sizing = TSizingMode::Limit;
  int Width = 70;
  int Height = 70;
  bool ImageResize = false;
  int GreaterThan = 800;
  bool AdjustCompression = false;
  bool LinkIsHTML = false;
  bool NoHTML = false;
  bool ImagesAreThumbnails = false;
  bool ShowHTMLCode = false;
  bool UseTargetFrame = false;
  std::string TargetFrame;
  TListOptions List;
  TTableOptions Table;
  TParaOptions Para;
  TCollageOptions Collage;
  std::vector<std::string> ImagePageSkeleton = DefaultImagePageSkeleton();
  // Values of the eight template parameters and their names.
  std::string ParameterNames[8];
  std::string ParameterValues[8];
  // Where "Lumarte.dhf" and "Templates/" are read; the program folder unless
  // a caller says otherwise.
  std::string ProgramFolder;
};

// The published name for a file name: .bmp/.png become .jpg; blanks, "%20"
// and "%" become "_".
std::string WebName(const std::string& name);
// What showing an entry makes of its name: ".jpg" appended unless it ends
// in .jpg or .jpeg.
std::string ShownName(const std::string& name);
// "gal" -> "gal.html", "gal." -> "gal.html", "gal.ht" -> "gal.html".
std::string CompleteHtmlFileName(const std::string& text);
// The HTML-File text for a page chosen in the save dialog: its path below
// htmlDir up to ".htm", completed; raises "File must be in the HTML
// directory." for a page elsewhere.
std::string HtmlFileInFolder(const std::string& htmlDir, const std::string& chosen);
// The Image-Dir text as the field keeps it: blanks trimmed, no leading separator.
std::string NormalizeImageDir(const std::string& text);
// "no Template" confirmed in the template dialog.
void ClearTemplate(TGallerySettings& s);
// The text after the last "/" or "\".
std::string FilePart(const std::string& path);

class GalleryProject {
 public:
  std::vector<GalleryEntry> Entries;
  TGallerySettings Settings;
  TUndoLog Undo;

  // Appends an entry when the file is an image; a missing file is skipped
  // silently, one that does not decode is reported through report.
  bool AddImage(const std::string& fileName, const std::string& name,
                editor::TEditorPrompts* report = nullptr);
  void MoveUp(size_t index);
  void MoveDown(size_t index);
  void Remove(size_t index);
  // The list box hint: "N Images".
  std::string CountHint() const { return std::to_string(Entries.size()) + " Images"; }
};

}  // namespace lumarte::gallery
