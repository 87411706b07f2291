// The manager's browse steps with the real system dialogs, answered by the test.
#include "editing/browse_services_win.h"

#include <gtest/gtest.h>

#include "app/message_texts.h"
#include "win/editing/browse_dialog_answer_win.h"
#include "win/editing/shortcut_test_support_win.h"

namespace {

WorkingFields Filled() {
  WorkingFields fields;
  fields.Target = "http://";
  fields.Name = "old";
  fields.WorkDir = "old dir";
  fields.Arguments = "old args";
  fields.IconFile = "old.ico";
  fields.IconIndex = 4;
  fields.SizeChoice = 2;
  return fields;
}

class BrowseServicesTest : public testing::Test {
 protected:
  MessageTexts texts;
  ShellManagerServices services{texts, "SOFTWARE\\Orvantis Software Browse Test"};
  TempFolder folder;
};

}  // namespace

TEST_F(BrowseServicesTest, AFileForAFileButtonAndTheNextDialogStartsInItsFolder) {
  EXPECT_EQ(services.LastBrowseFolder(), "c:\\");
  const std::string file = folder.Put("archive.tar.gz", "x");
  WorkingFields fields = Filled();
  DialogAnswer answer = DialogAnswer::FileName(file);
  ASSERT_TRUE(services.BrowseTarget(nullptr, 0, fields));
  EXPECT_EQ(fields.Target, file);
  EXPECT_EQ(fields.Name, "archive.tar");
  EXPECT_EQ(fields.WorkDir, folder.Path() + "\\");
  EXPECT_EQ(fields.Arguments, "");
  EXPECT_EQ(fields.IconFile, file);
  EXPECT_EQ(fields.IconIndex, 0);
  EXPECT_EQ(fields.SizeChoice, 0);
  EXPECT_EQ(services.LastBrowseFolder(), folder.Path() + "\\");
}

TEST_F(BrowseServicesTest, ALinkForAFileButtonGivesTheLinksFields) {
  const std::string target = folder.Put("ed.exe", "MZ");
  ASSERT_TRUE(MakeShellLink(folder.PathOf("Editor.lnk"), {target, "-x", folder.Path(), SW_SHOWMAXIMIZED, "", 0}));
  WorkingFields fields = Filled();
  DialogAnswer answer = DialogAnswer::FileName(folder.PathOf("Editor.lnk"));
  ASSERT_TRUE(services.BrowseTarget(nullptr, 0, fields));
  EXPECT_EQ(fields.Target, target);
  EXPECT_EQ(fields.Name, "Editor");
  EXPECT_EQ(fields.Arguments, "-x");
  EXPECT_EQ(fields.WorkDir, folder.Path());
  EXPECT_EQ(fields.IconFile, target);
  // Under Wine the shell reads every link's show command back as 1 (normal).
  EXPECT_EQ(fields.SizeChoice, RunningUnderWine() ? 0 : 1);
}

TEST_F(BrowseServicesTest, AnInternetShortcutForAWebLinkButtonAndCancelChangesNothing) {
  const std::string url = folder.Put("News.url", "[InternetShortcut]\r\nURL=https://news.example/today\r\n");
  WorkingFields fields = Filled();
  {
    DialogAnswer answer = DialogAnswer::FileName(url);
    ASSERT_TRUE(services.BrowseTarget(nullptr, 2, fields));
  }
  EXPECT_EQ(fields.Target, "https://news.example/today");
  EXPECT_EQ(fields.Name, "news.example/today");
  EXPECT_EQ(fields.WorkDir, "old dir");
  EXPECT_EQ(services.LastBrowseFolder(), "c:\\");  // a web link leaves the folder as it was

  const WorkingFields before = fields;
  DialogAnswer cancel = DialogAnswer::Cancel();
  EXPECT_FALSE(services.BrowseTarget(nullptr, 2, fields));
  EXPECT_TRUE(cancel.Answered());
  EXPECT_EQ(fields, before);
}

TEST_F(BrowseServicesTest, AFolderForAFolderButtonAndForTheWorkingFolder) {
  const std::string docs = folder.MakeFolder("Docs");
  WorkingFields fields = Filled();
  {
    DialogAnswer answer = DialogAnswer::Folder(docs);
    ASSERT_TRUE(services.BrowseTarget(nullptr, 1, fields));
    EXPECT_NE(answer.ControlTexts().find("|Folder selection|"), std::string::npos) << answer.ControlTexts();
  }
  EXPECT_EQ(fields.Target, docs);
  EXPECT_EQ(fields.Name, "Docs");
  EXPECT_EQ(fields.WorkDir, "");
  EXPECT_EQ(fields.IconFile, docs);

  {
    DialogAnswer answer = DialogAnswer::Folder(folder.Path());
    ASSERT_TRUE(services.BrowseWorkDir(nullptr, fields));
    EXPECT_NE(answer.ControlTexts().find("|Working folder selection|"), std::string::npos) << answer.ControlTexts();
  }
  EXPECT_EQ(fields.WorkDir, folder.Path());
  const WorkingFields before = fields;
  DialogAnswer cancel = DialogAnswer::Cancel();
  EXPECT_FALSE(services.BrowseWorkDir(nullptr, fields));
  EXPECT_EQ(fields, before);
}
