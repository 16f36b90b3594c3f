#pragma once
// What the browser takes from a web page: the frames to follow and the
// JPEG and PNG images it shows or links to, as absolute URLs.
#include <string>
#include <vector>

namespace lumarte::browser {

// What the "Open Website" dialog gives: the text without a leading
// "http://" (any case) and without surrounding blanks.
std::string TypedUrl(const std::string& text);

// The folder part of a page URL that relative references start from: the
// URL without its trailing "/", or without its last path segment when that
// names a file (contains a "."). A bare host name is its own base.
std::string PageBase(const std::string& pageUrl);

// A reference made absolute against its page: "http://" and "https://"
// URLs stay, "//host/x" takes the page's scheme, "/x" the page's host, and
// anything else is appended to the page's base after a "/".
std::string AbsoluteUrl(const std::string& pageUrl, const std::string& reference);

// The src of every "<frame" tag, absolute, in page order.
std::vector<std::string> FrameSources(const std::string& page, const std::string& pageUrl);
struct TWebDocument {
  std::string Url;
  std::string Text;
};
// The images of fetched documents, each read against its own URL: the src
// of every "<img" tag ending in ".JPG", ".JPEG" or ".PNG" in all of them,
// then the href of every "<a" tag ending in ".JPG" (any case); absolute, in
// page order, without duplicates, at most limit.
std::vector<std::string> CollectWebImages(const std::vector<TWebDocument>& documents,
                                          size_t limit);

// A safe local file name for a downloaded URL: its last path segment
// without query, "/", "\\", "..", or control characters, at most 100
// characters (the end is kept, so the extension survives).
std::string LocalNamePart(const std::string& url);

}  // namespace lumarte::browser
