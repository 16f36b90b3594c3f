#include "browser/model/WebPage.h"

#include <algorithm>
#include <set>
#include <vector>

#include "browser/model/TagScanner.h"

namespace lumarte::browser {

namespace {

std::string Trimmed(const std::string& s) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// Where the host part of a URL starts (after "scheme://" when there is one).
size_t HostStart(const std::string& url) {
  size_t scheme = url.find("://");
  size_t slash = url.find('/');
  return scheme != std::string::npos && scheme < slash ? scheme + 3 : 0;
}

// "scheme://host:port" or "host:port".
std::string Origin(const std::string& url) {
  size_t path = url.find('/', HostStart(url));
  return path == std::string::npos ? url : url.substr(0, path);
}

std::vector<std::string> Attributes(const std::string& page, const std::string& pageUrl,
                                    const char* tag, const char* attribute,
                                    std::initializer_list<const char*> endings) {
  std::vector<std::string> found;
  TTagScanner scanner(page, tag);
  std::string text;
  while (scanner.Next(text)) {
    std::string value = Trimmed(AttributeValue(text, attribute));
    if (value.empty()) continue;
    bool wanted = endings.size() == 0;
    for (const char* e : endings) wanted = wanted || EndsWithNoCase(value, e);
    if (wanted) found.push_back(AbsoluteUrl(pageUrl, value));
  }
  return found;
}

// "a/./b" is "a/b" and "a/x/../b" is "a/b" in the path after the host, so
// one image reached by two paths is fetched once.
std::string WithoutDotSegments(const std::string& url) {
  size_t path = url.find('/', HostStart(url));
  if (path == std::string::npos) return url;
  std::vector<std::string> kept;
  size_t start = path + 1;
  for (;;) {
    size_t end = url.find('/', start);
    std::string segment = url.substr(start, end == std::string::npos ? end : end - start);
    if (segment == "..") {
      if (!kept.empty()) kept.pop_back();
    } else if (segment != ".") {
      kept.push_back(segment);
    } else if (end == std::string::npos) {
      kept.emplace_back();
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  std::string result = url.substr(0, path);
  for (const auto& s : kept) result += "/" + s;
  return result;
}

}  // namespace

std::string TypedUrl(const std::string& text) {
  std::string url = Trimmed(text);
  if (StartsWithNoCase(url, "http://")) url.erase(0, 7);
  return url;
}

std::string PageBase(const std::string& pageUrl) {
  std::string base = pageUrl;
  size_t host = HostStart(base);
  if (base.size() > host && base.back() == '/') {
    base.pop_back();
    return base;  // it names a folder, even when a dot is in its name
  }
  size_t slash = base.rfind('/');
  if (slash == std::string::npos || slash < host) return base;
  if (base.find('.', slash) != std::string::npos) base.erase(slash);
  return base;
}

std::string AbsoluteUrl(const std::string& pageUrl, const std::string& reference) {
  if (StartsWithNoCase(reference, "http://") || StartsWithNoCase(reference, "https://"))
    return reference;
  if (reference.starts_with("//")) {
    size_t scheme = pageUrl.find("://");
    bool hasScheme = scheme != std::string::npos && scheme < pageUrl.find('/');
    return (hasScheme ? pageUrl.substr(0, scheme + 1) : std::string("http:")) + reference;
  }
  if (reference.starts_with("/")) return WithoutDotSegments(Origin(pageUrl) + reference);
  return WithoutDotSegments(PageBase(pageUrl) + "/" + reference);
}

std::vector<std::string> FrameSources(const std::string& page, const std::string& pageUrl) {
  return Attributes(page, pageUrl, "frame", "src", {});
}

std::vector<std::string> CollectWebImages(const std::vector<TWebDocument>& documents,
                                          size_t limit) {
  std::vector<std::string> result;
  std::set<std::string> seen;
  auto add = [&](std::vector<std::string> urls) {
    for (auto& u : urls)
      if (result.size() < limit && seen.insert(u).second) result.push_back(std::move(u));
  };
  for (const auto& d : documents) add(Attributes(d.Text, d.Url, "img", "src", {".jpg", ".jpeg", ".png"}));
  for (const auto& d : documents) add(Attributes(d.Text, d.Url, "a", "href", {".jpg"}));
  return result;
}

std::string LocalNamePart(const std::string& url) {
  std::string name = url.substr(0, url.find_first_of("?#"));
  size_t slash = name.find_last_of("/\\");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  std::string safe;
  for (char c : name) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7F) safe += c;
  }
  // A name must not start with a dot (hidden, or part of "..").
  if (safe.empty() || safe.front() == '.') safe.insert(0, "image");
  // The end carries the extension that chooses the codec.
  if (safe.size() > 100) safe.erase(5, safe.size() - 100);
  for (size_t at; (at = safe.find("..")) != std::string::npos;) safe.erase(at, 1);
  return safe;
}

}  // namespace lumarte::browser
