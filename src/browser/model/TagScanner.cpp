#include "browser/model/TagScanner.h"

#include <algorithm>
#include <cctype>

namespace lumarte::browser {

namespace {

char Lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool SameNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

size_t FindNoCase(std::string_view text, std::string_view what, size_t from) {
  if (what.empty() || from > text.size()) return std::string_view::npos;
  auto it = std::search(text.begin() + static_cast<long>(from), text.end(), what.begin(),
                        what.end(), [](char x, char y) { return Lower(x) == Lower(y); });
  return it == text.end() ? std::string_view::npos : static_cast<size_t>(it - text.begin());
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && SameNoCase(text.substr(text.size() - suffix.size()), suffix);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameNoCase(text.substr(0, prefix.size()), prefix);
}

TTagScanner::TTagScanner(std::string_view page, std::string tag) : Page(page), Opening("<" + tag) {}

bool TTagScanner::Next(std::string& tagText) {
  while (Position < Page.size()) {
    size_t start = FindNoCase(Page, Opening, Position);
    if (start == std::string_view::npos) break;
    size_t after = start + Opening.size();
    if (after >= Page.size() || !IsBlank(Page[after])) {
      Position = after;  // "<image" is no "<img" tag
      continue;
    }
    size_t end = Page.find('>', after);
    if (end == std::string_view::npos) end = Page.size();
    tagText.assign(Page.substr(start + 1, end - start - 1));
    // A closing "</tag" can never open a tag, so going on after the ">"
    // finds the same tags as skipping to it, and never skips a later tag.
    Position = end + 1;
    return true;
  }
  Position = Page.size();
  return false;
}

std::string AttributeValue(std::string_view tagText, std::string_view name) {
  std::string key = std::string(name) + "=";
  for (size_t at = FindNoCase(tagText, key); at != std::string_view::npos;
       at = FindNoCase(tagText, key, at + 1)) {
    if (at > 0 && !IsBlank(tagText[at - 1])) continue;  // "lowsrc=" is not "src="
    size_t begin = at + key.size();
    if (begin < tagText.size() && (tagText[begin] == '"' || tagText[begin] == '\'')) {
      size_t close = tagText.find(tagText[begin], begin + 1);
      if (close == std::string_view::npos) close = tagText.size();
      return std::string(tagText.substr(begin + 1, close - begin - 1));
    }
    size_t end = begin;
    while (end < tagText.size() && !IsBlank(tagText[end])) ++end;
    return std::string(tagText.substr(begin, end - begin));
  }
  return {};
}

}  // namespace lumarte::browser
