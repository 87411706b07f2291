// The rules the Windows profile functions (as Wine implements them) follow
// when they read a settings file, as plain functions: shared by the host's
// file-backed profile (ini_profile.h) and the section reader
// (profile_sections.h). Kept apart from the file-backed profile so that the
// program, which reads through the real functions, links none of its file code.
#pragma once

#include <cstdint>
#include <string>

// The blanks the profile functions trim from lines, names and values.
bool IsProfileBlank(char c);
std::string TrimProfileBlanks(const std::string& text);
// Section and key names compare without regard to ASCII case only.
bool ProfileNamesEqual(const std::string& a, const std::string& b);
// A stored value enclosed in matching ' or " quotes, without them.
std::string ProfileUnquoted(const std::string& value);
// What a text read gives for a missing key: the default without its trailing
// spaces (tabs stay) and without enclosing quotes.
std::string ProfileDefaultText(const std::string& def);
// The integer the profile functions make of a stored value (already unquoted).
// Exposed for the tests and for anyone parsing hand-edited values the same way.
int32_t ProfileIntFromText(const std::string& text, int32_t def);
// The integer an integer read gives for a value as it stands in the file,
// quotes and all (the quotes come off after the value is cut to 29 characters).
int32_t ProfileIntFromStored(const std::string& stored, int32_t def);
// A text read through the platform's profile functions gives at most the
// buffer's size less one characters, so a result that fills the buffer may
// have been cut: the buffer grows and the read is asked again, up to a buffer
// that holds `limit` characters with room to spare.
enum class ProfileReadStep { kWhole, kGrow, kTooLong };
// What to do after a read gave `length` characters into a buffer of
// `bufferSize`; for kGrow, `nextSize` is the buffer of the next read.
ProfileReadStep NextProfileRead(size_t bufferSize, size_t length, size_t limit, size_t& nextSize);
// The text without the blanks at its start.
std::string TrimProfileLeadingBlanks(const std::string& text);
