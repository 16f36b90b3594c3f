// The web page readers: tag scanning, attributes, frames, images, URL
// arithmetic and local names on any text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "browser/model/TagScanner.h"
#include "browser/model/WebPage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string page(reinterpret_cast<const char*>(data), size);
  std::string url = page.substr(0, page.find('\n'));
  for (const char* tag : {"img", "a", "frame"}) {
    lumarte::browser::TTagScanner scanner(page, tag);
    for (std::string text; scanner.Next(text);) lumarte::browser::AttributeValue(text, "src");
  }
  lumarte::browser::FrameSources(page, url);
  for (const auto& image : lumarte::browser::CollectWebImages({{url, page}, {"h/x/", page}}, 1000))
    lumarte::browser::LocalNamePart(image);
  lumarte::browser::PageBase(url);
  lumarte::browser::TypedUrl(url);
  return 0;
}
