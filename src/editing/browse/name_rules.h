// How browsing and the preset bars make button names and paths from file
// names: the name is the file name cut before its last ".", a path's folder
// keeps its final backslash, and a web address loses its scheme for the name.
#pragma once

#include <string>

// "notes.txt" → "notes", "archive.tar.gz" → "archive.tar"; a name without "."
// (or one that begins with its only ".") gives "".
std::string NameBeforeLastDot(const std::string& fileName);
// The part after the last "\\" (or "/", or a drive's ":").
std::string FileNameOf(const std::string& path);
// The path without its file name, ending with "\\" ("C:\\Tools\\notes.txt" →
// "C:\\Tools\\"); "" when the path names no folder.
std::string FolderOf(const std::string& path);
// True when `text` contains `part` with exactly these letters.
bool ContainsExact(const std::string& text, const char* part);
// The button name of a web address: without a leading "http://" or "https://"
// (in any case); every other address is its own name.
std::string UrlButtonName(const std::string& url);
