// Text conversion between UTF-8 and code page 932 for the tools and tests,
// through the platform's converter (iconv, or the system's code pages on
// Windows), never a table of our own.
#pragma once

#include <string>

// Converts in; returns false when a character has no form in the target.
bool RecodeText(const std::string& in, bool toCp932, std::string& out);
