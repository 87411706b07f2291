// Texts are single-byte in the system code page everywhere; these are the few
// places where Windows wants UTF-16 instead.
#pragma once

#include <windows.h>

#include <string>

// The text in UTF-16, converted from the system code page.
std::wstring WideFromAnsi(const std::string& text);

// Copies the text into a fixed UTF-16 buffer of `capacity` characters, cut to
// fit and always terminated.
void CopyWideFromAnsi(const std::string& text, wchar_t* buffer, int capacity);
