#pragma once
// Finding tags of one kind in a web page and reading their attributes; the
// page is any text, however broken.
#include <string>
#include <string_view>

namespace lumarte::browser {

class TTagScanner {
 public:
  // tag without "<", e.g. "img"; matched without regard to case when a
  // blank (space, tab, line end) follows it.
  TTagScanner(std::string_view page, std::string tag);
  // The next tag's text: everything between its "<" and the next ">" (or the
  // end of the page). False when there is none left.
  bool Next(std::string& tagText);

 private:
  std::string_view Page;
  std::string Opening;  // "<tag", lower-cased
  size_t Position = 0;
};

// The value of name= in a tag's text (name matched without regard to case,
// at the start of a word): a quoted value runs to its closing quote, any
// other to the next blank or the end. Empty when the tag has no such
// attribute.
std::string AttributeValue(std::string_view tagText, std::string_view name);

// Case-insensitive search from `from`; npos when absent.
size_t FindNoCase(std::string_view text, std::string_view what, size_t from = 0);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

}  // namespace lumarte::browser
