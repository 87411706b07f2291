#include "editing/browse/browse_rules.h"

#include <gtest/gtest.h>

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
};

WorkingFields Old() { return {"old", "old", "old dir", "old args", "old.ico", 4, 2}; }

}  // namespace

TEST(ChosenFileTest, APlainFileRunsFromItsFolderAndTheNextDialogOpensThere) {
  OneLink links;
  WorkingFields fields = Old();
  EXPECT_EQ(TakeChosenFile("C:\\Tools\\archive.tar.gz", fields, links), "C:\\Tools\\");
  EXPECT_EQ(fields, (WorkingFields{"C:\\Tools\\archive.tar.gz", "archive.tar", "C:\\Tools\\", "",
                                   "C:\\Tools\\archive.tar.gz", 0, 0}));
}

TEST(ChosenFileTest, ALinkGivesItsFieldsAndItsShowCommandTheWindowSize) {
  OneLink links;
  links.link = {"C:\\Apps\\ed.exe", "C:\\Work", "-n", 3, "", 0};
  WorkingFields fields = Old();
  TakeChosenFile("C:\\Links\\Editor.lnk", fields, links);
  EXPECT_EQ(fields, (WorkingFields{"C:\\Apps\\ed.exe", "Editor", "C:\\Work", "-n", "C:\\Apps\\ed.exe", 0, 1}));

  links.link.ShowCmd = 7;  // not a window size: the size stays
  links.readable = 2;      // damaged after the arguments
  fields = Old();
  TakeChosenFile("C:\\Links\\Bad.lnk", fields, links);
  EXPECT_EQ(fields, (WorkingFields{"C:\\Apps\\ed.exe", "Bad", "old dir", "-n", "old.ico", 4, 2}));
}
