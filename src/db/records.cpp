#include "db/records.h"

#include <cstring>

#include "db/cbar.h"
#include "db/cd.h"
#include "platform/byte_codec.h"

namespace {

void PutInt(std::string& out, int32_t value) { PutU32(out, static_cast<uint32_t>(value)); }

void PutText(std::string& out, const std::string& text) {
  PutInt(out, static_cast<int32_t>(text.size()));
  out += text;
}

enum class TextRead { kRead, kMissing, kDamaged };

class RecordReader {
 public:
  explicit RecordReader(const std::string& bytes) : in_(bytes) {}

  // Leaves `value` as it is when the record has ended.
  bool ReadInt(int32_t& value) {
    uint32_t v = 0;
    if (!in_.U32(v)) return false;
    value = static_cast<int32_t>(v);
    return true;
  }

  TextRead ReadLength(int32_t& length) {
    if (!ReadInt(length)) return TextRead::kMissing;
    if (length < 0 || static_cast<size_t>(length) > Left()) return TextRead::kDamaged;
    return TextRead::kRead;
  }

  void TakeText(int32_t length, std::string& text) {
    const char* start = in_.Here();
    const void* zero = std::memchr(start, '\0', static_cast<size_t>(length));
    text.assign(start, zero ? static_cast<const char*>(zero) - start : static_cast<size_t>(length));
    in_.Skip(static_cast<size_t>(length));
  }

  TextRead ReadText(std::string& text) {
    int32_t length = 0;
    const TextRead result = ReadLength(length);
    if (result == TextRead::kRead) TakeText(length, text);
    return result;
  }

 private:
  size_t Left() const { return in_.Left(); }

  ByteReader in_;
};

}  // namespace

std::string EncodeDatabaseInfo(int32_t homeBar) {
  std::string out;
  PutInt(out, homeBar);
  return out;
}

bool DecodeDatabaseInfo(const std::string& bytes, int32_t& homeBar) {
  RecordReader reader(bytes);
  return reader.ReadInt(homeBar);
}

std::string EncodeBarRecord(const CBar& bar) {
  std::string out;
  PutText(out, bar.Name);
  PutInt(out, bar.ShowOnLaunch);
  PutInt(out, bar.ShowOnTimer);
  PutInt(out, bar.ShowAfter);
  PutText(out, bar.IconFile);
  if (!bar.IconFile.empty()) PutInt(out, bar.IconIndex);
  PutInt(out, bar.Available);
  return out;
}

int DecodeBarRecord(const std::string& bytes, const std::string& defaultIconFile, CBar& bar) {
  RecordReader reader(bytes);
  bar.Name.clear();
  if (reader.ReadText(bar.Name) == TextRead::kDamaged) return 0;
  bar.ShowOnLaunch = bar.ShowOnTimer = bar.ShowAfter = 0;
  reader.ReadInt(bar.ShowOnLaunch);
  reader.ReadInt(bar.ShowOnTimer);
  reader.ReadInt(bar.ShowAfter);

  bar.IconFile.clear();
  bar.IconIndex = 0;
  int32_t iconLength = 0;
  const TextRead icon = reader.ReadLength(iconLength);
  if (icon == TextRead::kDamaged) return 0;
  if (icon == TextRead::kRead && iconLength != 0) {
    reader.TakeText(iconLength, bar.IconFile);
    reader.ReadInt(bar.IconIndex);
  }
  // A path that was all zero bytes is as empty as a missing one.
  if (bar.IconFile.empty()) {
    bar.IconFile = defaultIconFile;
    bar.IconIndex = 0;
  }

  bar.Available = 1;
  reader.ReadInt(bar.Available);
  return 1;
}

std::string EncodeButtonRecord(const CD& button) {
  std::string out;
  PutText(out, button.Name);
  PutText(out, button.Target);
  PutText(out, button.WorkDir);
  PutText(out, button.Arguments);
  PutInt(out, button.ShowCmd);
  PutInt(out, button.Kind);
  PutText(out, button.IconFile);
  PutInt(out, button.IconIndex);
  PutInt(out, button.Available);
  PutInt(out, button.IsSeparator);
  out.append(kButtonReservedBytes, '\0');
  return out;
}

int DecodeButtonRecord(const std::string& bytes, CD& button) {
  RecordReader reader(bytes);
  for (std::string* text : {&button.Name, &button.Target, &button.WorkDir, &button.Arguments})
    if (reader.ReadText(*text) == TextRead::kDamaged) return 0;
  reader.ReadInt(button.ShowCmd);
  reader.ReadInt(button.Kind);
  if (reader.ReadText(button.IconFile) == TextRead::kDamaged) return 0;
  reader.ReadInt(button.IconIndex);
  reader.ReadInt(button.Available);
  reader.ReadInt(button.IsSeparator);
  return 1;
}
