// What the fuzz targets share: a check that turns a broken rule into a crash
// libFuzzer records, and comparisons of the stored fields of the model.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "db/cbar.h"
#include "db/cd.h"
#include "db/cdb.h"

#define FUZZ_CHECK(condition)                                                          \
  do {                                                                                 \
    if (!(condition)) {                                                                \
      std::fprintf(stderr, "%s:%d: rule broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                    \
    }                                                                                  \
  } while (0)

inline std::string BytesOf(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// Every field the button stream holds.
inline bool SameStoredButton(const CD& a, const CD& b) {
  return a.Name == b.Name && a.Target == b.Target && a.WorkDir == b.WorkDir && a.Arguments == b.Arguments &&
         a.ShowCmd == b.ShowCmd && a.Kind == b.Kind && a.IconFile == b.IconFile && a.IconIndex == b.IconIndex &&
         a.Available == b.Available && a.IsSeparator == b.IsSeparator;
}

// Every field the bar record holds (not the buttons).
inline bool SameStoredBar(const CBar& a, const CBar& b) {
  return a.Name == b.Name && a.ShowOnLaunch == b.ShowOnLaunch && a.ShowOnTimer == b.ShowOnTimer &&
         a.ShowAfter == b.ShowAfter && a.IconFile == b.IconFile && a.IconIndex == b.IconIndex &&
         a.Available == b.Available;
}

inline bool SameDatabase(const CDB& a, const CDB& b) {
  if (a.BarCount() != b.BarCount() || a.GetHomeBar() != b.GetHomeBar()) return false;
  for (int32_t i = 0; i < a.BarCount(); ++i) {
    const CBar& x = *a.Bar(i);
    const CBar& y = *b.Bar(i);
    if (!SameStoredBar(x, y) || x.Count() != y.Count()) return false;
    for (int32_t j = 0; j < x.Count(); ++j)
      if (!SameStoredButton(*x.At(j), *y.At(j)) || x.At(j)->CommandId != y.At(j)->CommandId) return false;
  }
  return true;
}

// Ordinals follow positions and every command id follows its bar and position.
inline bool NumberedInOrder(const CDB& db) {
  for (int32_t i = 0; i < db.BarCount(); ++i) {
    const CBar& bar = *db.Bar(i);
    if (bar.Ordinal() != i) return false;
    for (int32_t j = 0; j < bar.Count(); ++j)
      if (bar.At(j)->CommandId != ButtonCommandId(i, j)) return false;
  }
  return true;
}

inline bool HasZeroByte(const std::string& text) { return text.find('\0') != std::string::npos; }
