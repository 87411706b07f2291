#include "editing/browse/browse_rules.h"

#include <gtest/gtest.h>

#include "core/message_ids.h"
#include "editing/browse/shortcut_fields.h"

namespace {

// One link; `readable` of its five fields can be read before the reader fails.
struct OneLink : ShortcutReader {
  ShortcutFields link;
  int readable = 5;
  void Resolve(const std::string&, ShortcutFields& out) override {
    if (readable > 0) out.Target = link.Target;
    if (readable > 1) out.Arguments = link.Arguments;
    if (readable > 2) out.WorkDir = link.WorkDir;
    if (readable > 3) out.ShowCmd = link.ShowCmd;
    if (readable > 4) {
      out.IconFile = link.IconFile.empty() ? out.Target : link.IconFile;
      out.IconIndex = link.IconIndex;
    }
  }
  std::string Expanded(const std::string& path) override {
    const size_t at = path.find("%windir%");
    return at == std::string::npos ? path : path.substr(0, at) + "C:\\Windows" + path.substr(at + 8);
  }
};

WorkingFields Old() { return {"old", "old", "old dir", "old args", "old.ico", 4, 2}; }

}  // namespace

TEST(ChosenFileTest, APlainFileRunsFromItsFolderAndTheNextDialogOpensThere) {
  OneLink links;
  WorkingFields fields = Old();
  EXPECT_EQ(TakeChosenFile("C:\\Tools\\archive.tar.gz", fields, links).folder, "C:\\Tools\\");
  EXPECT_EQ(fields, (WorkingFields{"C:\\Tools\\archive.tar.gz", "archive.tar", "C:\\Tools\\", "",
                                   "C:\\Tools\\archive.tar.gz", 0, 0}));
}

// Its paths are taken with the environment's values, its arguments as they are.
TEST(ChosenFileTest, ALinkGivesItsFieldsAndItsShowCommandTheWindowSize) {
  OneLink links;
  links.link = {"%windir%\\ed.exe", "%windir%", "-n %windir%", 3, "", 0};
  WorkingFields fields = Old();
  TakeChosenFile("C:\\Links\\Editor.lnk", fields, links);
  EXPECT_EQ(fields, (WorkingFields{"C:\\Windows\\ed.exe", "Editor", "C:\\Windows", "-n %windir%",
                                   "C:\\Windows\\ed.exe", 0, 1}));

  links.link.ShowCmd = 7;  // not a window size: the size stays
  links.readable = 2;      // damaged after the arguments
  fields = Old();
  TakeChosenFile("C:\\Links\\Bad.lnk", fields, links);
  EXPECT_EQ(fields, (WorkingFields{"C:\\Windows\\ed.exe", "Bad", "old dir", "-n %windir%", "old.ico", 4, 2}));
}

// A link whose fields a button cannot hold whole is refused with the drop's
// reason for it, and the fields stay as they were; the dialog still opens
// where the link was.
struct LinkRefusalCase {
  const char* name;
  ShortcutFields link;
  int32_t refusal;
};

class ChosenLinkRefusalTest : public testing::TestWithParam<LinkRefusalCase> {};

TEST_P(ChosenLinkRefusalTest, ALinkIsTakenWholeOrNotAtAll) {
  OneLink links;
  links.link = GetParam().link;
  WorkingFields fields = Old();
  const ChosenFile chosen = TakeChosenFile("C:\\Links\\Tool.lnk", fields, links);
  EXPECT_EQ(chosen.folder, "C:\\Links\\");
  EXPECT_EQ(chosen.refusal, GetParam().refusal);
  if (chosen.refusal != 0) {
    EXPECT_EQ(fields, Old());
  } else {
    EXPECT_EQ(fields.Target, GetParam().link.Target);
  }
}

const std::string kLongest(259, 'p');

INSTANTIATE_TEST_SUITE_P(
    Links, ChosenLinkRefusalTest,
    testing::Values(
        LinkRefusalCase{"LongestFieldsFit", {"C:\\" + kLongest.substr(3), kLongest, kLongest, 1, kLongest, 0}, 0},
        LinkRefusalCase{"LongPathPrefix", {"\\\\?\\C:\\a.exe", "", "-q ?", 1, "", 0}, 0},
        LinkRefusalCase{"TargetNotInCodePage", {"C:\\?mega.exe", "", "", 1, "", 0}, kMsgNotInCodePage},
        LinkRefusalCase{"FolderNotInCodePage", {"C:\\a.exe", "C:\\?", "", 1, "", 0}, kMsgNotInCodePage},
        LinkRefusalCase{"IconNotInCodePage", {"C:\\a.exe", "", "", 1, "C:\\?.ico", 0}, kMsgNotInCodePage},
        LinkRefusalCase{"TargetTooLong", {kLongest + "p", "", "", 1, "", 0}, kMsgPathTooLong},
        LinkRefusalCase{"IconTooLong", {"C:\\a.exe", "", "", 1, kLongest + "p", 0}, kMsgPathTooLong},
        LinkRefusalCase{"ArgumentsTooLong", {"C:\\a.exe", "", kLongest + "a", 1, "", 0}, kMsgArgumentsTooLong}),
    [](const auto& info) { return std::string(info.param.name); });
