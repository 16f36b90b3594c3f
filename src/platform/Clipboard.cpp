#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/RasterImage.h"

namespace lumarte::platform {

std::optional<lumarte::editor::TBitmap> ClipboardPicture() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasImage()) return std::nullopt;
  QImage image = qvariant_cast<QImage>(data->imageData());
  if (image.isNull()) return std::nullopt;
  return FromQImage(image);
}

void SetClipboardPicture(const lumarte::editor::TBitmap& raster) {
  QGuiApplication::clipboard()->setImage(ToQImage(raster));
}

}  // namespace lumarte::platform
