#include "editor/model/ChannelSplit.h"

#include "editor/model/DocumentList.h"
#include "imaging/Errors.h"

namespace lumarte::editor {

TBitmap ChannelImage(const TBitmap& image, TColourChannel channel) {
  // Byte order in a pixel is blue, green, red.
  const int keep = channel == TColourChannel::Red ? 2 : channel == TColourChannel::Green ? 1 : 0;
  TBitmap out(image.Width(), image.Height());
  const size_t rowBytes = static_cast<size_t>(image.BytesPerLine());
  for (int y = 0; y < image.Height(); ++y) {
    const uint8_t* s = image.ScanLine(y);
    uint8_t* d = out.ScanLine(y);
    for (size_t i = 0; i < rowBytes; i += 3) {
      d[i] = d[i + 1] = d[i + 2] = 0;
      d[i + keep] = s[i + keep];
    }
  }
  return out;
}

void DocumentList::LMRGBSplitImage1Click() {
  // Three new documents push the others down three slots.
  if (Slot(7).InUse) throw ELumarteError(kTooManyImages);
  const TBitmap source = *Current().Bitmap;
  for (TColourChannel c : {TColourChannel::Red, TColourChannel::Green, TColourChannel::Blue}) {
    auto raster = std::make_unique<TBitmap>(ChannelImage(source, c));
    NewDocumentSlot();
    TBM& d = Current();
    d.Bitmap = std::move(raster);
    d.FileName = "New";
    d.NeedsSaveAs = true;
    d.JpegQuality = 50;
    d.JpegProgressive = true;
    d.Modified = true;
    d.InUse = true;
    Refresh(0);
  }
  Host.FitWindowToImage();
}

}  // namespace lumarte::editor
