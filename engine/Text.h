#pragma once
// Text helpers shared by every subsystem: case rules, trimming, list splitting, formatting.
// Pure C++: the native build tools and checks compile this file too.
#include <cstdarg>
#include <string>
#include <vector>

std::string ToUpper(std::string text);
bool EqualsNoCase(const std::string& a, const std::string& b);
// A hash of the text that texts equal without regard to case share.
size_t HashNoCase(const std::string& text);
bool StartsWithNoCase(const std::string& text, const std::string& prefix);
bool ContainsNoCase(const std::string& text, const std::string& part);
// Removes blanks (space, tab, CR, LF) at both ends.
std::string Trim(const std::string& text);
// Removes one double quote at the start and one at the end, where present.
std::string WithoutEndQuotes(std::string text);
// Every two-character sequence backslash-n becomes a line feed.
std::string ExpandLineBreaks(const std::string& text);
// printf-style formatting into a string of any length.
std::string Format(const char* format, ...);
std::string FormatV(const char* format, va_list args);
// Copies text into a caller's buffer of `size` bytes, cutting it to fit, always terminated.
void CopyToBuffer(const std::string& text, char* buffer, size_t size);

// The items joined by `separator`, as much of them as a buffer of `size` bytes holds with its
// terminating zero: a list that does not fit ends at its last whole item, never inside one.
struct FittedList {
  std::string text;
  size_t kept = 0;  // items in `text`
};
FittedList FitList(const std::vector<std::string>& items, const std::string& separator, size_t size);

// The items joined by `separator`, all of them.
std::string JoinTexts(const std::vector<std::string>& items, const std::string& separator);

// Splits a list value field by field: the next field is the text up to the first separator,
// the rest is what follows it; when no separator is left the whole rest is the last field.
// Fields are not trimmed and may be empty.
class FieldReader {
 public:
  explicit FieldReader(std::string text, char separator = ';');
  bool AtEnd() const { return done_; }
  std::string Next();
  const std::string& Rest() const { return rest_; }

 private:
  std::string rest_;
  char separator_;
  bool done_ = false;
};
