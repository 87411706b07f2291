#include "barwnd/drop/bar_drop_items.h"

#include <algorithm>
#include <cctype>

#include "barwnd/drop/drop_data.h"
#include "db/cd.h"
#include "editing/browse/browse_rules.h"
#include "editing/manager/manager_rules.h"
#include "editing/browse/name_rules.h"
#include "editing/browse/shortcut_fields.h"
#include "editing/manager/working_fields.h"
#include "platform/path_rules.h"

namespace {

// The extension after the file name's last ".", in lower case.
std::string ExtensionOf(const std::string& path) {
  const std::string name = FileNameOf(path);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  std::string extension = name.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

// A file whose name has no part before its last "." ("Makefile", ".profile")
// would make a button without a caption: it keeps its whole name instead.
std::string CaptionOfFile(const std::string& path) {
  const std::string name = FileNameOf(path);
  const std::string cut = NameBeforeLastDot(name);
  return cut.empty() ? name : cut;
}

ButtonSpec WebButton(const std::string& address) {
  WorkingFields fields;
  fields.Target = WebAddress(address);
  fields.Name = UrlButtonName(fields.Target);
  fields.IconFile = fields.Target;  // the web icon, as the manager gives a new web link
  return ButtonSpecOf(fields, kInternet);
}

// "C:\\Tools\\" → "Tools"; a drive root has no name of its own.
std::string LastFolderName(std::string path) {
  return FileNameOf(WithoutFinalSeparators(path));
}

ButtonSpec FolderButton(const std::string& path, DropSystem& system) {
  WorkingFields fields;
  std::string name = system.FolderDisplayName(path);
  if (name.empty()) name = LastFolderName(path);
  if (name.empty()) name = path;
  TakeChosenFolder(path, name, fields);
  return ButtonSpecOf(fields, kFolder);
}

std::optional<ButtonSpec> LinkButton(const std::string& path, DropSystem& system) {
  ShortcutReader& links = system.Links();
  ShortcutFields link;
  links.ResolveExpanded(path, link);
  if (link.Target.empty()) return std::nullopt;
  WorkingFields fields;
  fields.Target = link.Target;
  fields.WorkDir = link.WorkDir;
  fields.Arguments = link.Arguments;
  fields.IconFile = link.IconFile;
  fields.IconIndex = link.IconIndex;
  fields.SizeChoice = SizeChoiceForShowCmd(link.ShowCmd, 0);
  fields.Name = CaptionOfFile(path);
  return ButtonSpecOf(fields, kFile);
}

ButtonSpec FileButton(const std::string& path) {
  WorkingFields fields;
  fields.Target = path;
  fields.WorkDir = FolderOf(path);
  fields.IconFile = path;
  fields.Name = CaptionOfFile(path);
  return ButtonSpecOf(fields, kFile);
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool IsWebAddress(const std::string& line) {
  if (line.find_first_of(" \t") != std::string::npos) return false;
  if (HasUrlScheme(line)) return true;
  return line.size() > 4 && std::equal(line.begin(), line.begin() + 4, "www.",
                                       [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

}  // namespace

std::optional<ButtonSpec> ButtonForDroppedItem(const DroppedItem& item, DropSystem& system,
                                               std::optional<DropRefusal>& refusal) {
  if (item.text.empty()) return std::nullopt;
  if (item.kind == DroppedItem::Kind::kAddress) return WebButton(item.text);

  const std::string& path = item.text;
  if (system.IsFolder(path)) return FolderButton(path, system);
  const std::string extension = ExtensionOf(path);
  if (extension == "lnk") return LinkButton(path, system);
  if (extension == "url") {
    const std::optional<std::string> address = system.InternetShortcutUrl(path);
    if (!address) refusal = DropRefusal::kAddressTooLong;
    if (!address || address->empty()) return std::nullopt;
    return WebButton(*address);
  }
  return FileButton(path);
}

std::vector<DroppedItem> AddressesFromText(const std::string& text) {
  std::vector<DroppedItem> items;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trimmed(text.substr(start, end - start));
    if (!line.empty()) {
      if (!IsWebAddress(line)) return {};
      items.push_back({DroppedItem::Kind::kAddress, line});
    }
    start = end + 1;
  }
  return items;
}

bool DropNeedsQuestion(std::size_t count) { return count > kDropItemsWithoutQuestion; }

std::string ManyDroppedItemsQuestion(std::size_t count) {
  return std::to_string(count) + " items were dropped on the quickrail.\nMake a button of each of them?";
}
