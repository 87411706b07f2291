// The bar a first run starts with: drives, documents, a few Windows programs
// and a web search, each only where it exists on this machine.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "db/cd.h"

inline constexpr const char* kSampleBarName = "The Sample Quickrail";
inline constexpr const char* kWebSearchAddress = "https://www.google.com/";

struct SampleButton {
  bool separator = false;
  std::string name;
  int32_t kind = kSeparator;  // a ButtonKind
  std::string target;
  std::string workDir;
  std::string iconFile;
};

// What the sample bar asks of the machine. The Windows answers never raise a
// system error dialog (an empty floppy drive simply does not exist).
class SampleBarProbes {
 public:
  virtual ~SampleBarProbes() = default;
  virtual bool DirectoryExists(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual std::optional<std::string> DocumentsFolder() = 0;
  virtual std::optional<std::string> WindowsFolder() = 0;
};

std::vector<SampleButton> SampleBarButtons(SampleBarProbes& probes);

class CDB;
// Adds "The Sample Quickrail" with the buttons above as the database's last bar.
void AddSampleBar(CDB& db, SampleBarProbes& probes);
