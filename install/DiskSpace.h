#pragma once
// Disk space: what the selection needs per drive and per setup, against what the drives have.
// All quantities are kilobytes (1024 bytes) held in unsigned 32 bits; sums and free space
// stop at the largest value instead of wrapping round.
#include <windows.h>

#include <string>

class CSetup;

using Kilobytes = unsigned long;
constexpr Kilobytes kMostKilobytes = 0xFFFFFFFFUL;

Kilobytes AddKilobytes(Kilobytes a, Kilobytes b);
Kilobytes KilobytesOfBytes(unsigned long long bytes);

// The drive part of a path ("C:"); empty for a path without a drive letter.
std::string DriveOf(const std::string& path);

// What the selected components need on `drive` (compared without regard to case); installed
// core components count only when asked to.
Kilobytes RequiredOnDrive(const CSetup& master, const std::string& drive, bool countInstalledCore);
// What the selected components of one setup need on every drive, plus the allowance of its
// install type when that is not 0.
Kilobytes SetupSpace(const CSetup& setup, const CSetup& master);
// The same by setup ID: the master, a subsetup or a core component's setup; 0 when none has it.
Kilobytes SetupSpaceOf(const CSetup& master, const std::string& setupId);
// The master's, every core component setup's and every subsetup's space.
Kilobytes TotalSetupSpace(const CSetup& master);

// The free-space queries of the system, replaceable for tests.
struct FreeSpaceQueries {
  using Extended = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
  using Classic = BOOL(WINAPI*)(LPCSTR, LPDWORD, LPDWORD, LPDWORD, LPDWORD);
  Extended extended = nullptr;  // GetDiskFreeSpaceExA when the system offers it
  Classic classic = nullptr;
};
// The system's queries, the extended one looked up by name in Kernel32.dll.
FreeSpaceQueries SystemFreeSpaceQueries();
// The free K of the drive of `driveOrDirectory`; 0 when neither query answers.
Kilobytes FreeSpaceOnDrive(const std::string& driveOrDirectory, const FreeSpaceQueries& queries);
Kilobytes FreeSpaceOnDrive(const std::string& driveOrDirectory);

// Compares every target drive's need with its free space and, in an attended run, asks whether
// to proceed when it is too little. Throws a CCheckError with code 9 (cancel) or 12 (change the
// selection).
void CheckDiskSpace(const CSetup& master, bool countInstalledCore);
