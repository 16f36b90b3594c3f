#include "gallery/model/Collage.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/Rounding.h"
#include "gallery/model/ColourList.h"
#include "gallery/model/GalleryImages.h"
#include "gallery/model/ImageSizing.h"

namespace lumarte::gallery {

namespace {

int RoundI(double v) { return static_cast<int>(Round(v)); }

}  // namespace

TCollageComposer::TCollageComposer(const TGallerySettings& s, size_t first, size_t count,
                                   TRandomGenerator& random)
    : S(s), Random(random), Canvas(s.Width * s.Cols, s.Height * s.Rows), First(first), Count(count) {
  Canvas.BrushColor = ColourOfItem(s.Collage.BackgroundColor);
  Canvas.FillRect(0, 0, Canvas.Width(), Canvas.Height());
}

void TCollageComposer::Corner(int& x1, int& y1) {
  const int W = S.Width, H = S.Height;
  const int cw = Canvas.Width() - W, ch = Canvas.Height() - H;
  const double pi = std::numbers::pi;
  switch (S.Collage.Partitioning) {
    case TCollagePartitioning::Table:
      x1 = W * GX;
      y1 = H * GY;
      if (++GX == S.Cols) {
        GX = 0;
        ++GY;
      }
      return;
    case TCollagePartitioning::Random:
      x1 = cw > 0 ? static_cast<int>(Random.Below(static_cast<uint32_t>(cw))) : 0;
      y1 = ch > 0 ? static_cast<int>(Random.Below(static_cast<uint32_t>(ch))) : 0;
      return;
    case TCollagePartitioning::Circle: {
      const int64_t perPage = int64_t{S.Rows} * S.Cols;
      const int64_t m = std::max<int64_t>(1, std::min<int64_t>(perPage, int64_t(Count) - 1 - int64_t(First)));
      if (J == 0) {
        x1 = RoundI(cw * 0.5);
        y1 = RoundI(ch * 0.5);
        return;
      }
      double a, radius = 0.5;
      if (Canvas.Width() > 6 * W && Canvas.Height() > 6 * H) {
        if (J >= m / 4) {
          a = J * (8 * pi / 3) / m;
        } else {
          const int64_t m2 = std::max<int64_t>(1, std::min<int64_t>(perPage - 2, int64_t(Count) - 4 - int64_t(First)));
          a = J * 8 * pi / m2;
          radius = 0.25;
        }
      } else {
        a = J * 2 * pi / m;
      }
      x1 = RoundI((std::sin(a) * radius + 0.5) * cw);
      y1 = RoundI((std::cos(a) * radius + 0.5) * ch);
      return;
    }
  }
}

TCollageRect TCollageComposer::Place(const editor::TBitmap& thumb) {
  const int tw = thumb.Width(), th = thumb.Height();
  int x1 = 0, y1 = 0;
  Corner(x1, y1);
  if (S.Collage.Center && S.Collage.Partitioning != TCollagePartitioning::Random) {
    x1 += (S.Width - tw) / 2;
    y1 += (S.Height - th) / 2;
  }
  const int w = std::min(tw, S.Width), h = std::min(th, S.Height);
  for (int y = 0; y < h; ++y) {
    if (y1 + y < 0 || y1 + y >= Canvas.Height()) continue;
    for (int x = std::max(0, -x1); x < w && x1 + x < Canvas.Width(); ++x)
      std::copy_n(thumb.ScanLine(y) + 3 * x, 3, Canvas.ScanLine(y1 + y) + 3 * (x1 + x));
  }
  const TCollageRect r{x1, y1, x1 + w, y1 + h};
  UsedW = std::max(UsedW, r.X2);
  UsedH = std::max(UsedH, r.Y2);
  ++J;
  return r;
}

editor::TBitmap TCollageComposer::Finish() const {
  // Cutting never makes the picture larger than its canvas.
  const int w = std::min(UsedW + 1, Canvas.Width()), h = std::min(UsedH + 1, Canvas.Height());
  editor::TBitmap out(w, h);
  for (int y = 0; y < h; ++y) std::copy_n(Canvas.ScanLine(y), 3 * w, out.ScanLine(y));
  return out;
}

std::string WriteCollage(GalleryProject& p, const TCodeContext& c, const std::string& galleryFile,
                         const std::string& imageFolder, ProgressReporter& progress) {
  const TGallerySettings& s = p.Settings;
  const std::string q = "\"";
  const std::string C = s.Collage.CSSClass.empty() ? "" : "class=" + q + s.Collage.CSSClass + q;
  std::string n = galleryFile;
  std::replace(n.begin(), n.end(), '/', '_');
  std::replace(n.begin(), n.end(), '\\', '_');
  const size_t perPage = static_cast<size_t>(s.Rows) * static_cast<size_t>(s.Cols);
  const size_t count = p.Entries.size();
  TRandomGenerator random;
  random.Seed(s.Collage.Seed);
  std::string code = std::string(kCodeStart) + PageMarker(1) + "\r\n\r\n";
  int page = 1;
  for (size_t first = 0; first < count; first += perPage, ++page) {
    if (page > 1) code += "\r\n" + PageMarker(page) + "\r\n\r\n";
    code += "\r\n<map name=" + q + "LumarteThumbnailCreatorMap" + q + ">\r\n";
    TCollageComposer composer(s, first, count, random);
    std::string areas;
    for (size_t i = first; i < std::min(count, first + perPage); ++i) {
      progress.SetProgress(0, static_cast<int>(i),
                           "Thumbnail Creator: Creating Collage " + std::to_string(i) + " of " +
                               std::to_string(count),
                           static_cast<int>(count));
      const GalleryEntry& e = p.Entries[i];
      const TCollageRect r =
          composer.Place(DecodeSource(imageFolder + e.ThumbName.substr(0, e.ThumbName.find('"'))));
      areas.insert(0, "<area shape=rect coords=" + q + std::to_string(r.X1) + "," +
                          std::to_string(r.Y1) + "," + std::to_string(r.X2) + "," +
                          std::to_string(r.Y2) + q + " href=" + q + c.Prefix + e.Link + q + " " +
                          C + " " + c.Target + ">\r\n");
    }
    const std::string picture = n + std::to_string(page) + ".jpg";
    code += areas + "\r\n</map>\r\n<img src=" + q + c.Prefix + picture + q + " usemap=" + q +
            "#LumarteThumbnailCreatorMap" + q + " " + C + ">";
    p.Undo.Write(imageFolder + picture, EncodeJpeg(composer.Finish(), CollageQuality(s.Quality)), false);
  }
  return code + kCodeEnd;
}

}  // namespace lumarte::gallery
