#include "engine/Text.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
char UpperChar(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

std::string ToUpper(std::string text) {
  for (char& c : text) c = UpperChar(c);
  return text;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
  return true;
}

size_t HashNoCase(const std::string& text) {
  // FNV-1a over the upper-cased bytes.
  uint64_t hash = 14695981039346656037ULL;
  for (char c : text) hash = (hash ^ static_cast<unsigned char>(UpperChar(c))) * 1099511628211ULL;
  return static_cast<size_t>(hash ^ (hash >> 32));
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool ContainsNoCase(const std::string& text, const std::string& part) {
  return ToUpper(text).find(ToUpper(part)) != std::string::npos;
}

std::string Trim(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string WithoutEndQuotes(std::string text) {
  if (!text.empty() && text.front() == '"') text.erase(0, 1);
  if (!text.empty() && text.back() == '"') text.pop_back();
  return text;
}

std::string ExpandLineBreaks(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      result += '\n';
      ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

std::string FormatV(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (length <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  return std::string(buffer.data(), static_cast<size_t>(length));
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string result = FormatV(format, args);
  va_end(args);
  return result;
}

void CopyToBuffer(const std::string& text, char* buffer, size_t size) {
  if (!buffer || size == 0) return;
  size_t length = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}

FittedList FitList(const std::vector<std::string>& items, const std::string& separator, size_t size) {
  FittedList fitted;
  for (const std::string& item : items) {
    size_t grown = fitted.text.size() + (fitted.kept ? separator.size() : 0) + item.size();
    if (grown >= size) break;
    if (fitted.kept) fitted.text += separator;
    fitted.text += item;
    ++fitted.kept;
  }
  return fitted;
}

FieldReader::FieldReader(std::string text, char separator) : rest_(std::move(text)), separator_(separator) {}

std::string FieldReader::Next() {
  if (done_) return std::string();
  size_t at = rest_.find(separator_);
  if (at == std::string::npos) {
    done_ = true;
    std::string last = std::move(rest_);
    rest_.clear();
    return last;
  }
  std::string field = rest_.substr(0, at);
  rest_.erase(0, at + 1);
  return field;
}

std::string JoinTexts(const std::vector<std::string>& items, const std::string& separator) {
  std::string text;
  for (size_t i = 0; i < items.size(); ++i) text += (i ? separator : std::string()) + items[i];
  return text;
}
