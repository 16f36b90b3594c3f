#pragma once
// Draws the commands of a read metafile with QPainter.
#include <QImage>

#include "imaging/metafile/MetafileRecords.h"

namespace lumarte::platform {

// An RGB32 image of the picture's size, white where nothing is drawn. Text
// needs a QGuiApplication; without one text runs are left out. A picture too
// large for an image raises EFormatError "Metafile too large".
QImage RenderMetafile(const imaging::TMetaPicture& picture);

}  // namespace lumarte::platform
