#pragma once
// The object model of a status file in the Management Information Format that product
// installers leave behind: a component with groups, each group with attributes. Names are
// looked up in upper case; a missing group or attribute reads as empty text. The reader is pure
// C++ (the native fuzzing build compiles it); where status files are looked for is in
// mif/StatusFiles.cpp.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>

class CMifAttribute {
 public:
  virtual ~CMifAttribute() = default;
  std::string name;
  int32_t id = 0;
  std::string type;
  std::string value;
};

class CMifAttributeList {
 public:
  // Stores the attribute under its upper-cased name; a later one of the same name replaces it.
  void Set(const CMifAttribute& attribute);
  const CMifAttribute* Find(const std::string& name) const;
  size_t Count() const { return attributes_.size(); }

 private:
  std::unordered_map<std::string, CMifAttribute> attributes_;
};

class CMifGroup {
 public:
  virtual ~CMifGroup() = default;
  CMifAttributeList attributes;
  std::string name;
  int32_t id = 0;
  std::string className;
};

class CMifGroupList {
 public:
  // Stores the group under its upper-cased name; a later one of the same name replaces it.
  void Set(const CMifGroup& group);
  const CMifGroup* Find(const std::string& name) const;
  size_t Count() const { return groups_.size(); }
  void Clear() { groups_.clear(); }

 private:
  std::unordered_map<std::string, CMifGroup> groups_;
};

class CMif {
 public:
  std::string componentName;
  CMifGroupList groups;

  // Loads "<mifName>.mif" from the Windows directory, else from the temporary directory;
  // true when the file found reports an installation status.
  bool Load(const std::string& mifName);
  // Empties the groups and reads one file; false when it cannot be opened.
  bool ReadFile(const std::string& path);
  // Empties the groups and reads an open file to its end.
  void Read(std::FILE* file);
  // The value of an attribute of a group; empty when either is missing.
  std::string Value(const std::string& group, const std::string& attribute) const;
  // The value of Status in the group InstallStatus.
  std::string InstallStatus() const;
};
