#include "platform/MetafileIO.h"

#include "imaging/Errors.h"
#include "imaging/FileUtils.h"
#include "imaging/metafile/MetafileRecords.h"
#include "imaging/metafile/MetafileWriter.h"
#include "platform/MetafileRender.h"

namespace lumarte::platform {

using lumarte::editor::TBitmap;

void LoadMetafile(const std::string& fileName, TBitmap& raster) {
  QImage image = RenderMetafile(imaging::ReadMetafileFile(fileName));
  TBitmap result(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    uint8_t* dst = result.ScanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      dst[3 * x] = qBlue(src[x]);
      dst[3 * x + 1] = qGreen(src[x]);
      dst[3 * x + 2] = qRed(src[x]);
    }
  }
  raster = std::move(result);
}

void SaveMetafile(const std::string& fileName, const TBitmap& raster) {
  std::string ext = imaging::UpperCase(imaging::ExtractExt(fileName));
  if (ext != "WMF" && ext != "EMF") throw ELumarteError("Format not supported!");
  imaging::TRasterView view;
  view.Width = raster.Width();
  view.Height = raster.Height();
  view.Pixels = raster.Empty() ? nullptr : raster.ScanLine(0);
  view.Stride = static_cast<size_t>(raster.BytesPerLine());
  imaging::SaveMetafileFile(fileName, view, ext == "EMF");
}

}  // namespace lumarte::platform
