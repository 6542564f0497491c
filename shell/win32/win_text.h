// Code page 932 text to and from the wide strings of the Windows API.
#pragma once

#include <string>

// The wide form of code page 932 bytes.
std::wstring FromCp932(const std::string& bytes);
std::wstring FromCp932(const char* bytes);
// The code page 932 form of a wide string; *ok is false when a character has
// none (nothing is replaced by a look-alike).
std::string ToCp932(const std::wstring& text, bool* ok);
