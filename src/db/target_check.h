// File targets that the start-up load leaves unasked, and what becomes of
// their buttons once the answers come.
//
// Asking whether a file on a removable drive or a network path exists can
// stall for seconds (a disconnected share, an empty floppy drive), and the bar
// with it. The load at start-up leaves those targets alone: their buttons keep
// the Available they were stored with and are listed here. After the first
// paint a worker asks about the listed paths (it gets the paths only, never
// the database) and the answers hide the buttons whose target is missing, as
// the load would have. A check that never happens leaves the stored flag,
// so a save in between writes back what was read.
//
// When a volume arrives, the file buttons whose target lies on one of its
// drive letters are listed again (beside whatever the start-up list still
// holds) and asked about the same way: a missing target hides its button, and
// a button hidden only because its target was missing (CD::TargetMissing)
// shows again once the target is there.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/drive_kinds.h"
#include "platform/file_ops.h"

class CBar;
class CDB;
struct CD;

enum class TargetPlace { kLocal, kRemovable, kNetwork };

// Where a full path lies. UNC names ("\\server\share\...", also behind the
// "\\?\" and "\\.\" prefixes unless a drive letter follows) are on the
// network; a drive letter's path lies on that drive (remote, no drive or an
// unknown one: network; removable or CD-ROM: removable; fixed or RAM disk:
// local); anything else, such as a relative path, is local.
TargetPlace PlaceOfPath(const std::string& path, const std::function<DriveKind(char letter)>& driveKindOf);
// True for a path whose look-up may stall: network or removable.
bool IsSlowPath(const std::string& path, const std::function<DriveKind(char letter)>& driveKindOf);
// The upper-case drive letter a full path lies on ("\\?\" and "\\.\" names
// included), or 0 for a network or relative name.
char DriveLetterOfPath(const std::string& path);

// What a check of the listed paths found.
struct TargetAnswers {
  uint32_t Load = 0;  // DeferredTargets::Generation() of the list the paths came from
  std::vector<std::string> Missing;
};

class DeferredTargets {
 public:
  // The next load leaves slow targets unasked; later loads ask as before.
  void DeferOnNextLoad() { armed_ = true; }

  // Called as a load begins. Whatever an earlier load listed is dropped (its
  // buttons are gone); returns this list when the load is to defer, else null.
  DeferredTargets* BeginLoad();
  // During a deferring load: true, and the button listed under its resolved
  // target `path`, when the path is slow. Each drive's kind is asked once.
  bool Defer(const CD& button, const std::string& path, FileOps& files);

  bool Empty() const { return entries_.empty(); }
  // Changes with every load, so answers about an earlier load are known.
  uint32_t Generation() const { return generation_; }
  // The listed paths, each once, in load order.
  std::vector<std::string> Paths() const;

  // Volumes arrived on the drive letters of `unitMask` (bit 0 is A:): the file
  // buttons whose resolved target lies on one of them are listed too, shown
  // ones and those hidden for a missing target; a button the user hid is not.
  // What the list held stays (its check is asked for again). The generation
  // changes, so answers of a check started before are dropped. True when the
  // list is not empty (a check is to run).
  bool ListDrives(CDB& db, uint32_t unitMask);
  bool ListDrives(const std::string& programFolder, const std::vector<CBar*>& bars, uint32_t unitMask);

  // Applies the answers to the listed buttons still in the database (found
  // among its bars, never reached through the list), still file buttons and
  // naming the same target; a button edited or deleted meanwhile is left
  // alone. A shown button whose target is missing is hidden, as a load hides
  // it; a button hidden for a missing target whose target was found shows
  // again. Answers about an earlier list change nothing. The list is used up
  // either way. True when a button was hidden or shown, so the bar is to
  // rebuild its buttons.
  bool Apply(CDB& db, const TargetAnswers& answers);
  // The same over the given bars, whose relative targets lie in `programFolder`.
  bool Apply(const std::string& programFolder, const std::vector<CBar*>& bars, const TargetAnswers& answers);

 private:
  struct Entry {
    const CD* button = nullptr;  // identity only
    std::string path;
  };

  bool armed_ = false;
  uint32_t generation_ = 0;
  std::vector<Entry> entries_;
  DriveKinds drives_;

  static bool Answer(CD& button, bool missing);
};
