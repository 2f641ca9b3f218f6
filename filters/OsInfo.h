#pragma once
// The running Windows family, version and service pack in the text forms that OS filters use.
// Every call asks the system afresh.
#include <string>

// What the system reports about itself (GetVersionExA).
struct OsVersionFacts {
  unsigned long platformId = 0;
  unsigned long major = 0;
  unsigned long minor = 0;
  unsigned long build = 0;
  std::string csdVersion;
};

OsVersionFacts QueryOsVersion();

// "W32s", "W95", "W98", "WNT", or empty for an unknown platform.
std::string OsNameOf(const OsVersionFacts& facts);
// major.minor.build (build: its low 16 bits).
std::string OsVersionOf(const OsVersionFacts& facts);
// The text after "Service Pack " on the NT family; empty otherwise.
std::string ServicePackOf(const OsVersionFacts& facts);

std::string GetOSName();
std::string GetOSVersion();
std::string GetServicePack();

// Name, version and service pack together, as the OS filters compare them.
struct OsIdentity {
  std::string name;
  std::string version;
  std::string servicePack;
};
OsIdentity RunningOsIdentity();
