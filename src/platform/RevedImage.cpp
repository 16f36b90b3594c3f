#include "platform/RevedImage.h"

namespace lumarte::platform {

QImage QImageOf(const imaging::TRevedBitmap& bitmap) {
  if (!bitmap.Present) return {};
  if (bitmap.PixelFormat == imaging::pf24bit)
    return QImage(bitmap.Map.get(), bitmap.Width, bitmap.Height, bitmap.BytesPerLine,
                  QImage::Format_BGR888)
        .copy();
  QImage image(bitmap.Map.get(), bitmap.Width, bitmap.Height, bitmap.BytesPerLine,
               QImage::Format_Indexed8);
  QList<QRgb> table;
  for (int i = 0; i < 256; ++i) {
    const uint8_t* e = bitmap.Palette->data() + 3 * i;
    table.append(qRgb(e[2], e[1], e[0]));
  }
  image.setColorTable(table);
  return image.copy();
}

}  // namespace lumarte::platform
