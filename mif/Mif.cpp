#include "mif/Mif.h"

#include <cstdio>
#include <cstdlib>

#include "engine/Text.h"
#include "engine/UniqueResource.h"

namespace {
// Longest token kept; the rest of a longer token is dropped so that it cannot turn into
// keywords of its own.
constexpr size_t kMaxTokenLength = 1023;
// How much of a line an unknown statement may take with it.
constexpr size_t kMaxSkippedLine = 1000;

bool IsSpace(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Reads a status file token by token. Every read is bounded and ends at the end of the file.
class MifTokenReader {
 public:
  explicit MifTokenReader(std::FILE* file) : file_(file) {}

  // The next token; false at the end of the file. A token that starts with a double quote
  // runs to the next double quote, which is not part of it.
  bool Next(std::string& token) {
    token.clear();
    int c = std::fgetc(file_);
    while (c != EOF && IsSpace(c)) c = std::fgetc(file_);
    if (c == EOF) return false;
    if (c == '"') {
      for (c = std::fgetc(file_); c != EOF && c != '"'; c = std::fgetc(file_)) Keep(token, c);
      return true;
    }
    for (; c != EOF && !IsSpace(c); c = std::fgetc(file_)) Keep(token, c);
    // The white space that ended the token stays for a statement that skips its line.
    if (c != EOF) std::ungetc(c, file_);
    return true;
  }

  // Drops the rest of the current line, at most kMaxSkippedLine characters of it.
  void SkipRestOfLine() {
    for (size_t i = 0; i < kMaxSkippedLine; ++i) {
      int c = std::fgetc(file_);
      if (c == EOF || c == '\n') return;
    }
  }

 private:
  static void Keep(std::string& token, int c) {
    if (token.size() < kMaxTokenLength) token += static_cast<char>(c);
  }
  std::FILE* file_;
};

int32_t ParseId(const std::string& text) {
  long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

bool Is(const std::string& token, const char* keyword) { return EqualsNoCase(token, keyword); }

// The file's statements as three nested levels: component, group, attribute. The parser is a
// loop over a level variable, so no nesting in the file can make it recurse.
class MifParser {
 public:
  MifParser(std::FILE* file, CMif& mif) : tokens_(file), mif_(mif) {}

  void Run() {
    if (!ReadComponentName()) return;
    Level level = Level::Component;
    while (tokens_.Next(token_)) {
      switch (level) {
        case Level::Component:
          if (Is(token_, "START")) {
            if (!tokens_.Next(token_)) return;
            group_ = CMifGroup();
            level = Level::Group;
          } else if (Is(token_, "END")) {
            return;
          }
          break;
        case Level::Group:
          if (!GroupStatement(level)) return;
          break;
        case Level::Attribute:
          if (!AttributeStatement(level)) return;
          break;
      }
    }
  }

 private:
  enum class Level { Component, Group, Attribute };

  bool ReadComponentName() {
    while (tokens_.Next(token_))
      if (Is(token_, "NAME")) return ReadAssigned(mif_.componentName);
    return false;
  }

  // Reads "=" and the value after it; false at the end of the file.
  bool ReadAssigned(std::string& value) {
    std::string equals;
    return tokens_.Next(equals) && tokens_.Next(value);
  }

  bool ReadAssignedId(int32_t& id) {
    std::string text;
    if (!ReadAssigned(text)) return false;
    id = ParseId(text);
    return true;
  }

  bool GroupStatement(Level& level) {
    if (Is(token_, "NAME")) return ReadAssigned(group_.name);
    if (Is(token_, "ID")) return ReadAssignedId(group_.id);
    if (Is(token_, "CLASS")) return ReadAssigned(group_.className);
    if (Is(token_, "START")) {
      if (!tokens_.Next(token_)) return false;
      attribute_ = CMifAttribute();
      level = Level::Attribute;
      return true;
    }
    if (Is(token_, "END")) {
      if (!tokens_.Next(token_)) return false;
      mif_.groups.Set(group_);
      level = Level::Component;
      return true;
    }
    tokens_.SkipRestOfLine();
    return true;
  }

  bool AttributeStatement(Level& level) {
    if (Is(token_, "NAME")) return ReadAssigned(attribute_.name);
    if (Is(token_, "ID")) return ReadAssignedId(attribute_.id);
    if (Is(token_, "TYPE")) return ReadAssigned(attribute_.type);
    if (Is(token_, "VALUE")) return ReadAssigned(attribute_.value);
    if (Is(token_, "END")) {
      if (!tokens_.Next(token_)) return false;
      group_.attributes.Set(attribute_);
      level = Level::Group;
      return true;
    }
    tokens_.SkipRestOfLine();
    return true;
  }

  MifTokenReader tokens_;
  CMif& mif_;
  std::string token_;
  CMifGroup group_;
  CMifAttribute attribute_;
};
}  // namespace

void CMifAttributeList::Set(const CMifAttribute& attribute) { attributes_[ToUpper(attribute.name)] = attribute; }

const CMifAttribute* CMifAttributeList::Find(const std::string& name) const {
  auto found = attributes_.find(ToUpper(name));
  return found == attributes_.end() ? nullptr : &found->second;
}

void CMifGroupList::Set(const CMifGroup& group) { groups_[ToUpper(group.name)] = group; }

const CMifGroup* CMifGroupList::Find(const std::string& name) const {
  auto found = groups_.find(ToUpper(name));
  return found == groups_.end() ? nullptr : &found->second;
}

bool CMif::ReadFile(const std::string& path) {
  UniqueStdFile file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    groups.Clear();
    componentName.clear();
    return false;
  }
  Read(file.get());
  return true;
}

void CMif::Read(std::FILE* file) {
  groups.Clear();
  componentName.clear();
  MifParser(file, *this).Run();
}

std::string CMif::Value(const std::string& group, const std::string& attribute) const {
  const CMifGroup* found = groups.Find(group);
  if (!found) return std::string();
  const CMifAttribute* value = found->attributes.Find(attribute);
  return value ? value->value : std::string();
}

std::string CMif::InstallStatus() const { return Value("InstallStatus", "Status"); }
