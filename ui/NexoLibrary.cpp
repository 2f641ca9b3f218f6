#include "ui/NexoLibrary.h"

#include "engine/Log.h"
#include "engine/Params.h"
#include "engine/Paths.h"
#include "engine/ProductLibrary.h"
#include "engine/Text.h"
#include "model/Model.h"

namespace {
constexpr char kEntryName[] = "ShowFrameworkServerAdv";
using ShowFrameworkServerAdv = int(__stdcall*)(char* serverName, int* advancedUsed);

const CSetup* FindNexoSetup(const CSetup& master) {
  if (EqualsNoCase(master.ID.Raw(), "NEXO")) return &master;
  if (const CSetup* sub = master.subsetups.Find("NEXO")) return sub;
  for (const CComponent& component : master.components)
    if (component.setup && EqualsNoCase(component.setup->ID.Raw(), "NEXO")) return component.setup;
  return nullptr;
}

// The "NEXO" directory beside the master's directory on the CD, else inside it.
std::string NexoDirectoryOnCD(const CSetup& master) {
  std::string root = master.currentCDRoot.empty() ? master.SrcDir : master.currentCDRoot;
  root = StripTrailingBackslashes(root);
  for (const std::string& candidate : {JoinPath(ParentDirectory(root), "NEXO"), JoinPath(root, "NEXO")})
    if (FileExists(JoinPath(candidate, "prop.ini"))) return candidate;
  return "";
}
}  // namespace

std::string LocateNexoLibrary(const CSetup& master) {
  std::string library;
  const CSetup* nexo = FindNexoSetup(master);
  if (nexo && !nexo->SetupDLL.empty()) {
    library = JoinPath(nexo->SrcDir, nexo->SetupDLL);
  } else {
    LogLine("The NEXO Library is not specified.  Locate on CD :");
    std::string directory = NexoDirectoryOnCD(master);
    if (directory.empty()) {
      LogLine("Unable to locate NEXO Library");
      return "";
    }
    std::string file = ReadIniString(JoinPath(directory, "prop.ini"), "Main", "SetupDLL");
    if (file.empty()) {
      LogLine("Unable to locate NEXO Library");
      return "";
    }
    library = JoinPath(directory, file);
  }
  if (!FileExists(library)) {
    LogLine("The NEXO Library is not found.");
    return "";
  }
  LogLine("NEXO Library = " + library);
  return library;
}

bool NexoLibraryOffersAdvanced(const std::string& library) {
  if (library.empty()) return false;
  LogLine("Load the NEXO Library " + library + " :");
  ScopedLogIndent indent;
  LibraryCallResult found = WithProductEntry<ShowFrameworkServerAdv>(
      DirectoryOf(library), LastPathName(library), kEntryName, [](ShowFrameworkServerAdv) { return 1; });
  if (found.status == LibraryCall::NotLoaded) LogLine("Unable to load the NEXO library");
  if (found.status == LibraryCall::EntryMissing) LogLine("The function ShowFrameworkServerAdv is not in the Library");
  return found.Called();
}

bool RunAdvancedServerSettings(const std::string& library, std::string& serverName, bool& advancedUsed) {
  LogLine("Getting advanced Quelwise Server settings :");
  char buffer[kServerNameBufferSize] = {};
  CopyToBuffer(serverName, buffer, sizeof buffer);
  int advanced = 0;
  LibraryCallResult answer = CallProductEntry<ShowFrameworkServerAdv>(DirectoryOf(library), LastPathName(library),
                                                                      kEntryName, buffer, &advanced);
  if (!answer.Called() || answer.value == 0) return false;
  // The library writes into a buffer of fixed size; never read past it.
  buffer[sizeof buffer - 1] = '\0';
  serverName = buffer;
  if (advanced) advancedUsed = true;
  return true;
}
