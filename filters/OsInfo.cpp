#include "filters/OsInfo.h"

#include <windows.h>

#include "engine/Text.h"

OsVersionFacts QueryOsVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  OsVersionFacts facts;
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
  if (!GetVersionExA(&info)) return facts;
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
  facts.platformId = info.dwPlatformId;
  facts.major = info.dwMajorVersion;
  facts.minor = info.dwMinorVersion;
  facts.build = info.dwBuildNumber;
  info.szCSDVersion[sizeof info.szCSDVersion - 1] = '\0';
  facts.csdVersion = info.szCSDVersion;
  return facts;
}

std::string OsNameOf(const OsVersionFacts& facts) {
  switch (facts.platformId) {
    case VER_PLATFORM_WIN32s:
      return "W32s";
    case VER_PLATFORM_WIN32_WINDOWS:
      return facts.minor == 0 ? "W95" : "W98";
    case VER_PLATFORM_WIN32_NT:
      return "WNT";
    default:
      return std::string();
  }
}

std::string OsVersionOf(const OsVersionFacts& facts) {
  return Format("%lu.%lu.%lu", facts.major, facts.minor, facts.build & 0xFFFFUL);
}

std::string ServicePackOf(const OsVersionFacts& facts) {
  static const std::string prefix = "Service Pack ";
  if (facts.platformId != VER_PLATFORM_WIN32_NT) return std::string();
  if (!StartsWithNoCase(facts.csdVersion, prefix)) return std::string();
  return facts.csdVersion.substr(prefix.size());
}

std::string GetOSName() { return OsNameOf(QueryOsVersion()); }
std::string GetOSVersion() { return OsVersionOf(QueryOsVersion()); }
std::string GetServicePack() { return ServicePackOf(QueryOsVersion()); }

OsIdentity RunningOsIdentity() {
  OsVersionFacts facts = QueryOsVersion();
  return {OsNameOf(facts), OsVersionOf(facts), ServicePackOf(facts)};
}
