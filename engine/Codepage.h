#pragma once
// Conversions between the ANSI code page and UTF-16.
#include <string>

std::wstring WideFromAnsi(const std::string& text);
std::string AnsiFromWide(const std::wstring& text);
