#pragma once
// The NEXO Library a product CD may carry: it offers the advanced framework server settings
// behind the Advanced button of the server pages.
#include <cstddef>
#include <string>

#include "include/tessaro.h"

class CSetup;

// The server name buffer that the library's entry point is handed, terminating zero included.
constexpr size_t kServerNameBufferSize = TS_SERVER_BUFFER_SIZE;

// The library's path: the setup library of the model's "NEXO" setup, else the one that the
// description in the CD's "NEXO" directory names. Empty when there is none; the search is logged.
std::string LocateNexoLibrary(const CSetup& master);
// Whether the library loads and has the entry point of the advanced settings (logged when not).
bool NexoLibraryOffersAdvanced(const std::string& library);
// Asks the library for advanced settings of `serverName`; true when the user confirmed, with
// the name given back and `advancedUsed` set when advanced settings were made.
bool RunAdvancedServerSettings(const std::string& library, std::string& serverName, bool& advancedUsed);
