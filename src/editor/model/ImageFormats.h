#pragma once
// Which format a file name stands for, and the name rules of opening and
// saving. The choice is made by the end of the full path alone, without
// regard to case.
#include <string>

namespace lumarte::editor {

enum class TImageFormat { Other, Bmp, Jpeg, Jpeg2000, Png, Gif, Wmf, Emf, Ico };

TImageFormat FormatOfFileName(const std::string& name);

// True for the ten extensions the editor opens by itself.
bool IsImageFileName(const std::string& name);
// The same without icons (the image browser shows no icons).
bool IsBrowsableFileName(const std::string& name);

// The extension check of the save dialog: true when the name ends in a
// format the editor saves.
bool HasSaveExtension(const std::string& name);

// The answers of the format chooser shown for a name without a usable
// extension; None when nothing was ticked.
enum class TSaveFormatChoice { Jpg, Bmp, Png, Emf, Wmf, Jp2, None };

// Appends the chosen extension (".jpg" when none is ticked):
// "picture.tif" + Png gives "picture.tif.png".
std::string WithChosenExtension(const std::string& name, TSaveFormatChoice choice);

// JPEG 2000 files are always written with the extension ".jp2".
std::string Jpeg2000FileName(const std::string& name);

// The open dialog's filter ("description|pattern|..."): all images first,
// then the registry's entries, then the metafiles.
std::string OpenDialogFilter(const std::string& combinedLoadFilter);

extern const char* const kSaveDialogFilter;

// The zoom factor after opening a W x H image: large images are shown
// smaller so that about 1.44 million screen pixels show the whole image.
double ZoomForOpenedImage(int width, int height, double currentZoom);

}  // namespace lumarte::editor
