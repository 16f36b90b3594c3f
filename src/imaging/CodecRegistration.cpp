#include "imaging/BMPLoader.h"
#include "imaging/GIFLoader.h"
#include "imaging/HIPSLoader.h"
#include "imaging/ICOLoader.h"
#include "imaging/ImageDLLLoader.h"
#include "imaging/JPEGLoader.h"
#include "imaging/PCXLoader.h"
#include "imaging/PNGLoader.h"
#include "imaging/RevedBitmap.h"

namespace lumarte::imaging {

namespace {

// Each codec lives as long as the program.
template <class TLoader>
TBitmapLoader* Instance() {
  static TLoader loader;
  return &loader;
}

// The order decides which codec a lookup tries first; the external codec
// libraries always come last.
void RegisterBuiltinCodecs(TBitmapLoaders& loaders) {
  loaders.Add(&GifLoader());
  loaders.Add(Instance<TPCXLoader>());
  loaders.Add(Instance<TBMPLoader>());
  loaders.Add(Instance<THIPSLoader>());
  loaders.Add(&PNGLoader());
  loaders.Add(&JPEGLoader());
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
