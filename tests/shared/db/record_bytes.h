// Hand-made stream contents for tests: integers and texts as the database
// stores them, written out independently of the product's encoders.
#pragma once

#include <cstdint>
#include <string>

#include "platform/storage.h"

inline std::string Int(int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
          static_cast<char>((v >> 24) & 0xFF)};
}

inline std::string Text(const std::string& text) { return Int(static_cast<int32_t>(text.size())) + text; }

inline std::string BarBytes(const std::string& name, int32_t available = 1, const std::string& icon = "bar.ico",
                            int32_t iconIndex = 0) {
  return Text(name) + Int(0) + Int(0) + Int(0) + Text(icon) + Int(iconIndex) + Int(available);
}

// A button record with the reserved tail.
inline std::string ButtonBytes(const std::string& name, int32_t kind = 1, const std::string& target = "C:\\",
                               int32_t available = 1) {
  return Text(name) + Text(target) + Text("") + Text("") + Int(1) + Int(kind) + Text("") + Int(0) + Int(available) +
         Int(0) + std::string(128, '\0');
}

inline void PutStream(Storage& storage, const std::string& name, const std::string& bytes) {
  auto stream = storage.CreateStream(name);
  if (stream) {
    stream->Write(bytes);
    stream->Commit();
  }
}

inline std::string ReadStream(Storage& storage, const std::string& name) {
  std::unique_ptr<Stream> stream;
  std::string bytes;
  if (storage.OpenStream(name, stream) == StorageResult::kOk) stream->ReadAll(bytes);
  return bytes;
}
