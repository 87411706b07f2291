// Every key of "options.ini", once: its section, its name in the file, the
// record field it fills, its loaded default, the values it may take and
// whether Save writes it. The
// rows stand in the order Save writes them, which is the order of a file the
// program made; Load reads the same rows, and the record's constructor takes
// its defaults from them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "core/settings.h"

// The font's face name; it has no member pointer of a shape the others share.
struct FaceNameField {};

// Where a value lives in the record. A byte field holds a LOGFONT byte: it is
// written as 0…255 and read keeping the low 8 bits of the stored number. The
// face name and the text fields hold text; their default is the empty text.
class SettingField {
 public:
  constexpr SettingField(int32_t Settings::*field) : where_(field) {}
  constexpr SettingField(int32_t FontRecord::*field) : where_(field) {}
  constexpr SettingField(uint8_t FontRecord::*field) : where_(field) {}
  constexpr SettingField(FaceNameField field) : where_(field) {}
  constexpr SettingField(char (Settings::*field)[32]) : where_(field) {}

  bool IsByte() const { return std::holds_alternative<uint8_t FontRecord::*>(where_); }
  bool IsText() const {
    return std::holds_alternative<FaceNameField>(where_) || std::holds_alternative<char (Settings::*)[32]>(where_);
  }

  // Number fields only.
  int32_t Get(const Settings& settings) const;
  void Set(Settings& settings, int32_t value) const;
  // Text fields only; a text longer than the record holds is cut.
  std::string GetText(const Settings& settings) const;
  void SetText(Settings& settings, const std::string& text) const;

 private:
  std::variant<int32_t Settings::*, int32_t FontRecord::*, uint8_t FontRecord::*, FaceNameField,
               char (Settings::*)[32]>
      where_;
  // The text a text field keeps, terminated within its 32 bytes.
  const char (&Text(const Settings& settings) const)[32];
};

// The values the program itself can give a key, both ends included. A number
// read from the file outside them is a hand edit the program cannot show
// sensibly; it loads as the key's loaded default.
struct ValueRange {
  int32_t min;
  int32_t max;
  bool Holds(int32_t value) const { return value >= min && value <= max; }
};

inline constexpr ValueRange kAnyValue{INT32_MIN, INT32_MAX};

struct SettingKey {
  const char* section;
  // Exactly as the program writes it: "ShowYear " keeps its trailing blank.
  const char* key;
  SettingField field;
  // The loaded default; a text field's is always the empty text.
  int32_t def;
  // Byte fields keep their low 8 bits instead; flags count any value as set.
  ValueRange range = kAnyValue;
  // False for keys that are read but never written ("Floating").
  bool written = true;
  // Written only when the value is not the default or the file has the key
  // already: a user who never changed it keeps a file without it.
  bool writtenOnceSet = false;
};

// The rows, in the file's order.
std::span<const SettingKey> SettingsTable();
