#include "editing/manager/manager_rules.h"

#include <algorithm>
#include <cctype>

#include "db/cdb.h"
#include "editing_ids.h"
#include "db/cd.h"

namespace {

const std::vector<int> kButtonBase = {IDC_MGR_TARGET,     IDC_MGR_NAME,       IDC_MGR_BROWSE_TARGET,
                                      IDC_MGR_TARGET_LABEL, IDC_MGR_NAME_LABEL, IDC_MGR_ICON_UPPER,
                                      IDC_MGR_RESTORE,    IDC_MGR_AVAILABLE,  IDC_MGR_DETAILS};
const std::vector<int> kFileDetails = {IDC_MGR_WORKDIR_LABEL, IDC_MGR_ARGS_LABEL, IDC_MGR_SIZE_LABEL,
                                       IDC_MGR_WORKDIR,       IDC_MGR_BROWSE_WORKDIR, IDC_MGR_ARGS,
                                       IDC_MGR_SIZE,          IDC_MGR_ICON_LOWER, IDC_MGR_CHANGE_ICON};
// A folder or a web address has no working folder and no arguments.
const std::vector<int> kOtherDetails = {IDC_MGR_SIZE_LABEL, IDC_MGR_SIZE, IDC_MGR_ICON_LOWER,
                                        IDC_MGR_CHANGE_ICON};
const std::vector<int> kBar = {IDC_MGR_NAME,          IDC_MGR_NAME_LABEL,     IDC_MGR_ICON_UPPER,
                               IDC_MGR_RESTORE,       IDC_MGR_ICON_LOWER,     IDC_MGR_CHANGE_ICON,
                               IDC_MGR_AVAILABLE,     IDC_MGR_SHOW_ON_LAUNCH, IDC_MGR_SHOW_ON_TIMER,
                               IDC_MGR_SHOW_AFTER,    IDC_MGR_SECONDS,        IDC_MGR_SECONDS_LABEL,
                               IDC_MGR_SECONDS_SPIN};

bool IsSchemeChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  });
}

}  // namespace

const std::vector<int>& LayoutControls() {
  static const std::vector<int> all = [] {
    std::vector<int> ids = kButtonBase;
    ids.insert(ids.end(), kFileDetails.begin(), kFileDetails.end());
    for (int id : kBar)
      if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
    return ids;
  }();
  return all;
}

std::vector<int> ShownControls(int kind, bool details) {
  switch (kind) {
    case kLayoutFile:
    case kLayoutFolder:
    case kLayoutWeb: {
      std::vector<int> ids = kButtonBase;
      if (details) {
        const auto& more = kind == kLayoutFile ? kFileDetails : kOtherDetails;
        ids.insert(ids.end(), more.begin(), more.end());
      }
      return ids;
    }
    case kLayoutBar:
      return kBar;
    default:
      return {};
  }
}

const std::vector<int>& AvailabilityControls() {
  static const std::vector<int> ids = {
      IDC_MGR_TARGET,         IDC_MGR_TARGET_LABEL,  IDC_MGR_ICON_UPPER,    IDC_MGR_NAME,
      IDC_MGR_NAME_LABEL,     IDC_MGR_DETAILS,       IDC_MGR_WORKDIR,       IDC_MGR_WORKDIR_LABEL,
      IDC_MGR_ARGS,           IDC_MGR_ARGS_LABEL,    IDC_MGR_SIZE,          IDC_MGR_SIZE_LABEL,
      IDC_MGR_ICON_LOWER,     IDC_MGR_CHANGE_ICON,   IDC_MGR_SHOW_ON_LAUNCH, IDC_MGR_SHOW_ON_TIMER,
      IDC_MGR_SECONDS,        IDC_MGR_SECONDS_SPIN,  IDC_MGR_SHOW_AFTER,    IDC_MGR_SECONDS_LABEL};
  return ids;
}

ManagerLayout ButtonLayout(int32_t kind) {
  if (kind == kFolder) return kLayoutFolder;
  if (kind == kInternet) return kLayoutWeb;
  return kLayoutFile;
}

int32_t ShowCmdForSizeChoice(int32_t choice, int32_t current) {
  switch (choice) {
    case 0: return 1;
    case 1: return 3;
    case 2: return 2;
    default: return current;
  }
}

int32_t SizeChoiceForShowCmd(int32_t showCmd, int32_t currentChoice) {
  switch (showCmd) {
    case 1: return 0;
    case 3: return 1;
    case 2: return 2;
    default: return currentChoice;
  }
}

bool HasUrlScheme(const std::string& target) {
  if (StartsWithNoCase(target, "mailto:")) return true;
  const size_t colon = target.find("://");
  if (colon == std::string::npos || colon == 0) return false;
  return std::all_of(target.begin(), target.begin() + static_cast<std::ptrdiff_t>(colon), IsSchemeChar);
}

std::string WebAddress(const std::string& target) {
  return HasUrlScheme(target) ? target : "http://" + target;
}

int32_t ClampShowAfterSeconds(int32_t seconds) {
  return std::clamp(seconds, kMinShowAfterSeconds, kMaxShowAfterSeconds);
}

int32_t ShowAfterSecondsOf(int32_t showAfterMs) { return ClampShowAfterSeconds(showAfterMs / 1000); }

int32_t FirstAvailableBar(const CDB& db) {
  for (int32_t i = 0; i < db.BarCount(); ++i)
    if (db.Bar(i)->Available) return i;
  return -1;
}

int DisplayedAfterDelete(int displayed, int32_t deleted) {
  if (displayed == deleted) return 0;
  return displayed > deleted ? displayed - 1 : displayed;
}

int DisplayedAfterSwap(int displayed, int32_t first, int32_t second) {
  if (displayed == first) return second;
  if (displayed == second) return first;
  return displayed;
}

ButtonSpec ButtonSpecOf(const WorkingFields& fields, int32_t kind) {
  ButtonSpec request;
  static_cast<ButtonFields&>(request) = fields;
  request.ShowCmd = ShowCmdForSizeChoice(fields.SizeChoice, 1);
  request.Kind = kind;
  return request;
}
