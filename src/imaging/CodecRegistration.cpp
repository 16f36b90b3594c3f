#include "imaging/ICOLoader.h"
#include "imaging/ImageDLLLoader.h"
#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

namespace {

// The order decides which codec a lookup tries first; the external codec
// libraries always come last.
void RegisterBuiltinCodecs(TBitmapLoaders& loaders) {
  loaders.Add(&IconLoader());
  loaders.Add(&ImageDLLLoader());
}

}  // namespace

TBitmapLoaders& BitmapLoaders() {
  static TBitmapLoaders loaders = [] {
    TBitmapLoaders l;
    RegisterBuiltinCodecs(l);
    return l;
  }();
  return loaders;
}

}  // namespace lumarte::imaging
