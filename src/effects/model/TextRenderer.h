#pragma once
// How the Write effect measures and draws a line: through the platform's
// text drawing or a built-in bitmap font.
#include <string>
#include <vector>

#include "editor/model/Bitmap.h"

namespace lumarte::effects {

class TTextRenderer {
 public:
  virtual ~TTextRenderer() = default;
  virtual int Width(const std::string& line) = 0;
  virtual int LineHeight() = 0;
  // Draws the line with its box's top-left at (x, y) on a transparent ground.
  virtual void Draw(editor::TBitmap& target, int x, int y, const std::string& line,
                    editor::TColor colour) = 0;
};

// The characters of a UTF-8 line; a malformed byte becomes U+FFFD.
std::vector<char32_t> CodePoints(const std::string& utf8);

}  // namespace lumarte::effects
