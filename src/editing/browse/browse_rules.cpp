#include "editing/browse/browse_rules.h"

#include "core/message_texts.h"
#include "editing/manager/manager_rules.h"
#include "editing/browse/name_rules.h"
#include "editing/browse/shortcut_fields.h"
#include "core/message_ids.h"
#include "db/cd.h"

bool HoldsUnwritable(const std::string& path) {
  const std::size_t from = path.rfind("\\\\?\\", 0) == 0 ? 4 : 0;
  return path.find('?', from) != std::string::npos;
}

int32_t LinkRefusalText(const ShortcutFields& link) {
  for (const std::string* path : {&link.Target, &link.WorkDir, &link.IconFile}) {
    if (HoldsUnwritable(*path)) return kMsgNotInCodePage;
  }
  for (const std::string* path : {&link.Target, &link.WorkDir, &link.IconFile}) {
    if (path->size() > kMaxButtonFieldLength) return kMsgPathTooLong;
  }
  return link.Arguments.size() > kMaxButtonFieldLength ? kMsgArgumentsTooLong : 0;
}

ChosenFile TakeChosenFile(const std::string& path, WorkingFields& fields, ShortcutReader& links) {
  ChosenFile chosen{FolderOf(path)};
  if (ContainsExact(path, ".lnk")) {
    ShortcutFields link{fields.Target, fields.WorkDir, fields.Arguments, 0, fields.IconFile, fields.IconIndex};
    links.ResolveExpanded(path, link);
    chosen.refusal = LinkRefusalText(link);
    if (chosen.refusal != 0) return chosen;
    fields.Target = link.Target;
    fields.WorkDir = link.WorkDir;
    fields.Arguments = link.Arguments;
    fields.IconFile = link.IconFile;
    fields.IconIndex = link.IconIndex;
    fields.SizeChoice = SizeChoiceForShowCmd(link.ShowCmd, fields.SizeChoice);
  } else {
    fields.Target = path;
    fields.WorkDir = FolderOf(path);
    fields.Arguments.clear();
    fields.IconFile = path;
    fields.IconIndex = 0;
    fields.SizeChoice = 0;
  }
  fields.Name = NameBeforeLastDot(FileNameOf(path));
  return chosen;
}

void TakeChosenFolder(const std::string& path, const std::string& displayName, WorkingFields& fields) {
  fields.Target = path;
  fields.Name = displayName;
  fields.WorkDir.clear();
  fields.IconFile = path;
  fields.IconIndex = 0;
}

std::string DialogFilter(const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::string filter;
  for (const auto& [description, pattern] : pairs) {
    filter += description;
    filter += '\0';
    filter += pattern;
    filter += '\0';
  }
  filter += '\0';
  return filter;
}

std::string TargetFilter(int kind, MessageTexts& texts) {
  if (kind == kInternet) return DialogFilter({{texts.Text(kMsgUrlFilesFilter), "*.url"}, {texts.Text(kMsgAllFilesFilter), "*.*"}});
  return DialogFilter({{texts.Text(kMsgAllFilesFilter), "*.*"}});
}
