// One bar: a named, ordered row of buttons that it owns. Every button's
// CommandId is kept at ButtonCommandId(bar ordinal, position), so the bar
// renumbers its buttons after every change of their order and the database
// tells it its ordinal whenever that changes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "db/cd.h"
#include "db/launch.h"

class Storage;
struct DatabaseIo;

class CBar {
 public:
  std::string Name;
  int32_t ShowOnLaunch = 0;
  int32_t ShowOnTimer = 0;
  int32_t ShowAfter = 0;  // milliseconds
  std::string IconFile;
  int32_t IconIndex = 0;
  int32_t Available = 1;

  // Into an empty bar the button becomes the only one whatever the position;
  // position -1 or Count() - 1 appends; any other existing position puts the
  // button right after that one. Returns 0 for a position that names no button:
  // the bar is unchanged and `button` is left with the caller.
  int Insert(std::unique_ptr<CD>&& button, int32_t position);
  int InsertSeparator(int32_t position);
  // Returns 0 (and changes nothing) for a position that names no button.
  int Remove(int32_t position);
  // Exchanges two buttons (the manager's Up and Down pass neighbours).
  int Swap(int32_t first, int32_t second);
  void Clear();

  int32_t Count() const { return static_cast<int32_t>(buttons_.size()); }
  // Null when the position names no button.
  CD* At(int32_t position);
  const CD* At(int32_t position) const;
  // Visible buttons; separators count, their flag is always set.
  int32_t CountAvailable() const;
  // The first button with the id, in list order; null when none has it.
  const CD* FindByCommandId(int32_t commandId) const;

  // Opens the button with the id through the process-wide launcher (the shell
  // on Windows); an id that no button has launches nothing. A relative file
  // target lies in `programFolder` (see MakeLaunchRecord).
  void Launch(int32_t commandId, const std::string& programFolder = {}) const;
  void Launch(int32_t commandId, const Launcher& launcher, const std::string& programFolder = {}) const;

  int32_t Ordinal() const { return ordinal_; }
  void SetOrdinal(int32_t ordinal);

  // Reads the bar from its storage; 0 when the bar is to be dropped.
  int Load(Storage& storage, DatabaseIo& io);
  // Writes the bar as element `ordinal` of the root; 0 when it was not
  // written completely.
  int Save(Storage& root, int32_t ordinal, DatabaseIo& io) const;

 private:
  void Renumber(size_t from);

  std::vector<std::unique_ptr<CD>> buttons_;
  int32_t ordinal_ = 0;
};
