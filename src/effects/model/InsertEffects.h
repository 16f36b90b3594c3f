#pragma once
// Effects that put new content into the image: Write (text) and Paste
// Insert (a picture).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "effects/model/EffectInput.h"
#include "effects/model/TextRenderer.h"

namespace lumarte::effects {

struct EffectRow;

enum class TextAlignment { Left, Center, Right };

struct WriteParams {
  std::string Text;  // lines separated by line ends
  std::string Font = "DejaVu Sans";
  int Size = 12;  // points, 6..512
  int Left = 0, Top = 0;
  TextAlignment Alignment = TextAlignment::Left;
  bool Bold = false, Italic = false;
  bool BitmapFont = false;  // the built-in fonts instead of the platform's drawing
};
// Pixels per inch of the fonts' point sizes.
constexpr int kTextPpi = 96;

// Copies the image and writes the lines in the foreground colour: the widest
// line's width W sets the alignment, each line goes one line height plus one
// pixel below the last. The selection does not limit the text.
editor::TBitmap WriteText(const EffectInput& in, const std::vector<std::string>& lines,
                          const WriteParams& p, TTextRenderer& renderer);
// The lines of a text (line ends "\n", "\r\n" or "\r").
std::vector<std::string> SplitLines(const std::string& text);

// The platform's text drawing for a font; set by the program at start-up.
using PlatformTextFactory = std::function<std::unique_ptr<TTextRenderer>(const WriteParams&)>;
void SetPlatformText(PlatformTextFactory factory);
std::unique_ptr<TTextRenderer> MakeTextRenderer(const WriteParams& p);

enum class PasteMode { AsNewSelection, ToSelectionAdjustSize, ToSelectionWallpaper };
struct PasteInsertParams {
  PasteMode Mode = PasteMode::AsNewSelection;
  int X = 0, Y = 0;  // the top-left corner for AsNewSelection
  bool Mix = false;  // average old and new pixels
};
// Copies the image and writes the picture into it: at (X, Y), scaled into
// the selection's bounds (one factor from the widths), or tiled from the
// selection's corner over the selected pixels.
editor::TBitmap PasteInsert(const EffectInput& in, const editor::TBitmap& picture,
                            const PasteInsertParams& p);
// Where the pasted picture comes from (the clipboard in the program, a file
// on the command line); it raises an error when there is no picture.
void SetPastePicture(std::function<editor::TBitmap()> source);

void AddInsertEffects(std::vector<EffectRow>& rows);

}  // namespace lumarte::effects
