#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/RasterImage.h"

namespace lumarte::platform {

std::optional<lumarte::editor::TBitmap> ClipboardPicture() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data) return std::nullopt;
  QImage image;
  if (data->hasImage()) image = qvariant_cast<QImage>(data->imageData());
  // Other programs may offer only an encoded file (PNG, BMP, JPEG, ...).
  for (const QString& format : data->formats()) {
    if (!image.isNull()) break;
    if (format.startsWith("image/")) image = QImage::fromData(data->data(format));
  }
  if (image.isNull()) return std::nullopt;
  return FromQImage(image);
}

void SetClipboardPicture(const lumarte::editor::TBitmap& raster) {
  QGuiApplication::clipboard()->setImage(ToQImage(raster));
}

}  // namespace lumarte::platform
