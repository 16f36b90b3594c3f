// Icon and cursor files: the list reader, the codec's load, the preview
// drawing and writing back what was read.
#include <cstdint>

#include "FuzzLimits.h"
#include "imaging/ICOLoader.h"

using namespace lumarte::imaging;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LimitFuzzPictures();
  try {
    TMemoryStream in(data, size);
    TIconList list;
    list.LoadFromStream(in);
    for (int i = 0; i < list.Count(); ++i) IconPreview(list[i], 0x00FF00FF);
    TMemoryStream out;
    if (list.Kind != ikOther) list.SaveToStream(out);
  } catch (const lumarte::ELumarteBase&) {
  }
  try {
    TMemoryStream in(data, size);
    TICOLoader codec;
    codec.LoadFirst = true;
    TRevedBitmap bmp;
    codec.LoadFromStream(in, "ico", bmp);
    TMemoryStream out;
    if (bmp.Width < 256 && bmp.Height < 256) codec.SaveToStream(out, "cur", bmp);
  } catch (const lumarte::ELumarteBase&) {
  }
  return 0;
}
