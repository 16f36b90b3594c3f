#pragma once
// The gallery code of the list, table and paragraph styles, its pages and
// their Previous/Next links, and where it goes into a page skeleton.
#include <string>
#include <vector>

#include "gallery/model/GalleryProject.h"

namespace lumarte::gallery {

extern const char* const kCodeStart;  // "\r\n<!-THUMBNAILCREATORSTART-!>\r\n\r\n"
extern const char* const kCodeEnd;    // "\r\n\r\n<!-THUMBNAILCREATOREND-!>\r\n"
// "<!-PAGE" n "-!>", the form the markers are searched in.
std::string PageMarker(int n);

// What every entry text of a run shares.
struct TCodeContext {
  std::string Prefix;  // relative URL from the gallery page to the image folder
  std::string Target;  // target="..." or empty
};

// "../" for every folder of galleryFile, then imageDir + "/" unless empty.
std::string ImagePrefix(const std::string& galleryFile, const std::string& imageDir);
std::string TargetAttribute(const TGallerySettings& s);
// ".html" or ".htm" as galleryFile has it; ".html" when it has none.
std::string PageExtension(const std::string& galleryFile);
// gallery.html for page 1, gallery2.html, gallery3.html, ... after it.
std::string PageFileName(const std::string& galleryFile, int n);

std::string WriteList(const std::vector<GalleryEntry>& entries, const TGallerySettings& s,
                      const TCodeContext& c);
std::string WriteTable(const std::vector<GalleryEntry>& entries, const TGallerySettings& s,
                       const TCodeContext& c);
std::string WriteParagraphs(const std::vector<GalleryEntry>& entries, const TGallerySettings& s,
                            const TCodeContext& c);

std::string InsertNavigation(const std::string& code, const std::string& galleryFile);

// The skeleton as the pages use it (an "!ThumbnailCreatorAddHere!" without
// its comment removed) and the insertion point in it.
struct TInsertion {
  std::string Skeleton;
  size_t Point = 0;
};
TInsertion FindInsertionPoint(const std::string& skeleton);

// The chunk of every page, in page order.
std::vector<std::string> SplitPages(const std::string& code);
// Skeleton before the point, chunk, skeleton after it, each a CR LF line;
// placeholders are filled by the caller.
std::string PageText(const TInsertion& ins, const std::string& chunk);

// The page an image links to when thumbnails link to HTML.
std::string ImagePageText(const std::vector<std::string>& skeleton, const GalleryEntry& e);

}  // namespace lumarte::gallery
