// What reading and writing the bars needs besides the storage itself.
#pragma once

#include <functional>
#include <string>

class DeferredTargets;
class FileOps;

struct DatabaseIo {
  std::string ProgramFolder;
  FileOps& Files;
  // Shows a storage error; gets the step's suffix, e.g. " CBar::Save 1)".
  std::function<void(const std::string& suffix)> Report;
  // Set when a damaged or unreadable part of the file was left out.
  bool LostData = false;
  // Set while a load is to leave slow file targets unasked; they are listed here.
  DeferredTargets* SlowTargets = nullptr;
};
