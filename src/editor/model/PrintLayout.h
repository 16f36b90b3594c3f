#pragma once
// Where an image lands on a printed page: the print dialog's options and the
// page rectangle they give, in printer device pixels.

namespace lumarte::editor {

enum class THorizontalAlign { Left, Center, Right };
enum class TVerticalAlign { Top, Middle, Bottom };

struct TPrintOptions {
  bool Landscape = false;
  int TargetWidth = 100;   // per cent of the page width, 0..100
  int TargetHeight = 100;  // per cent of the page height, 1..100
  THorizontalAlign Horizontal = THorizontalAlign::Left;
  TVerticalAlign Vertical = TVerticalAlign::Top;
  int Copies = 1;
  bool PrintAll = false;
};

// Right and bottom are exclusive: the rectangle is Right - Left pixels wide.
struct TPrintRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TPrintRect&) const = default;
};

// The image scaled into the target box (a share of the page), keeping its
// aspect ratio: a smaller image is enlarged until it touches the box, a
// larger one reduced; then aligned on the page. Single precision, edges
// truncated, as printed pages have always been laid out. An empty image
// gets an empty rectangle.
TPrintRect PrintRectangle(int pageWidth, int pageHeight, int imageWidth, int imageHeight,
                          const TPrintOptions& options);

}  // namespace lumarte::editor
