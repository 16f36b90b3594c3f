#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

namespace {

// The order decides which codec a lookup tries first; the external codec
// libraries always come last.
void RegisterBuiltinCodecs(TBitmapLoaders& loaders) {
  (void)loaders;
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
