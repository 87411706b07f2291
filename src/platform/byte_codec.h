// Little-endian integers in byte strings: the program's own files, the system's
// drop blocks and registry numbers all store them this way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

inline void PutU16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

inline void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline void PutU64(std::string& out, uint64_t v) {
  PutU32(out, static_cast<uint32_t>(v));
  PutU32(out, static_cast<uint32_t>(v >> 32));
}

// The number of `width` bytes at `at` of a block of `size` bytes; nothing when
// the block ends before it.
inline std::optional<uint32_t> GetLittleEndian(const unsigned char* block, std::size_t size, std::size_t at,
                                               std::size_t width) {
  if (!block || width > 4 || at > size || size - at < width) return std::nullopt;
  uint32_t v = 0;
  for (std::size_t i = 0; i < width; ++i) v |= static_cast<uint32_t>(block[at + i]) << (8 * i);
  return v;
}

inline std::optional<uint16_t> GetU16(const unsigned char* block, std::size_t size, std::size_t at) {
  const auto v = GetLittleEndian(block, size, at, 2);
  return v ? std::optional<uint16_t>(static_cast<uint16_t>(*v)) : std::nullopt;
}

inline std::optional<uint32_t> GetU32(const unsigned char* block, std::size_t size, std::size_t at) {
  return GetLittleEndian(block, size, at, 4);
}

inline std::optional<uint32_t> GetU32(const std::string& bytes, std::size_t at) {
  return GetU32(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), at);
}

// Reads numbers and blocks one after the other; a read past the end fails and
// leaves both the value and the position as they were.
class ByteReader {
 public:
  explicit ByteReader(const std::string& bytes, std::size_t pos = 0) : bytes_(bytes), pos_(pos) {}

  bool U32(uint32_t& v) {
    const auto read = GetU32(bytes_, pos_);
    if (!read) return false;
    v = *read;
    pos_ += 4;
    return true;
  }
  bool U64(uint64_t& v) {
    if (Left() < 8) return false;
    uint32_t low = 0;
    uint32_t high = 0;
    U32(low);
    U32(high);
    v = (static_cast<uint64_t>(high) << 32) | low;
    return true;
  }
  bool Bytes(std::size_t n, std::string& out) {
    if (Left() < n) return false;
    out.assign(bytes_, pos_, n);
    pos_ += n;
    return true;
  }
  bool Skip(std::size_t n) {
    if (Left() < n) return false;
    pos_ += n;
    return true;
  }
  std::size_t Left() const { return pos_ <= bytes_.size() ? bytes_.size() - pos_ : 0; }
  bool AtEnd() const { return Left() == 0; }
  std::size_t Position() const { return pos_; }
  const char* Here() const { return bytes_.data() + pos_; }

 private:
  const std::string& bytes_;
  std::size_t pos_;
};
