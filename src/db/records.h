// Byte layouts of the database's streams: integers are 32-bit little-endian,
// texts a 32-bit byte length followed by the bytes (no terminating zero; a
// reader ends the text at the first zero byte). Decoders never trust a stored
// length: one that is negative or runs past the end of the stream marks the
// record as damaged. A record that simply ends early keeps the defaults of the
// fields it no longer holds.
#pragma once

#include <cstdint>
#include <string>

class CBar;
struct CD;

inline constexpr const char* kDatabaseInfoName = "__database_info__";
inline constexpr const char* kBarInfoName = "__quickrail_info__";
inline constexpr size_t kButtonReservedBytes = 128;

std::string EncodeDatabaseInfo(int32_t homeBar);
// False (and `homeBar` unchanged) when the stream holds fewer than 4 bytes.
bool DecodeDatabaseInfo(const std::string& bytes, int32_t& homeBar);

// Name, ShowOnLaunch, ShowOnTimer, ShowAfter, IconFile, IconIndex, Available.
std::string EncodeBarRecord(const CBar& bar);
// 1 when read, 0 when damaged. An empty icon path gives `defaultIconFile`
// with index 0; the index field is stored only after a non-empty path.
int DecodeBarRecord(const std::string& bytes, const std::string& defaultIconFile, CBar& bar);

// Every stored field of the button, then 128 reserved zero bytes.
std::string EncodeButtonRecord(const CD& button);
// 1 when read, 0 when damaged.
int DecodeButtonRecord(const std::string& bytes, CD& button);
