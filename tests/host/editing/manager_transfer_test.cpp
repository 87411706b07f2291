// The manager's "Export bar..." and "Import bars...": the bar with the edits
// of the selected entry goes out, bars come in at the end as an edit that
// Cancel takes back, and a file that is no file of bars adds nothing.
#include "manager_fixture.h"

namespace {

TEST_F(ManagerTest, ExportedBarComesBackAsAPendingEditThatCancelTakesBack) {
  MakeBars({"Tools: a, -, b", "B: c"});
  SaveFile();
  Open();
  ASSERT_TRUE(Click(Item(0, 2)));
  view_.controls.Name = "renamed";  // typed, not yet left
  view_.barsFile = "C:\\Out\\tools.qrbar";
  Editor().OnExportBar();
  EXPECT_EQ(view_.chosenFor, std::vector<std::string>{"save Tools.qrbar"});
  Editor().OnImportBars();
  EXPECT_EQ(Describe(), "Tools: a, -, renamed | B: c | Tools (2): a, -, renamed");
  EXPECT_EQ(Tree().At(Editor().Selected()).Caption, "a") << "the first imported bar's first button";
  EXPECT_TRUE(view_.messages.empty());
  Editor().OnCancel();
  EXPECT_EQ(Describe(), "Tools: a, -, b | B: c");
}

TEST_F(ManagerTest, ImportRefusesAFileThatHoldsNoBarsAndNamesIt) {
  MakeBars({"A: a"});
  SaveFile();
  Open();
  for (const char* bytes : {"", "a text file, no compound file"}) {
    files_.Put("C:\\Out\\notes.txt", bytes);
    view_.barsFile = "C:\\Out\\notes.txt";
    Editor().OnImportBars();
    EXPECT_EQ(view_.messages.back(),
              "This file is damaged or is no file of bars; nothing was imported:\nC:\\Out\\notes.txt");
  }
  CDB none(storage_, files_, nullptr);
  ASSERT_EQ(none.WriteOther("C:\\Out\\none.qrbar"), 1);
  view_.barsFile = "C:\\Out\\none.qrbar";
  Editor().OnImportBars();
  EXPECT_EQ(view_.messages.back(), "This file holds no bars; nothing was imported:\nC:\\Out\\none.qrbar");
  ASSERT_TRUE(Click(Tree().Root()));
  Editor().OnExportBar();
  EXPECT_EQ(view_.messages.back(), "Select the bar to export, or one of its buttons, first.");
  EXPECT_EQ(view_.chosenFor.size(), 3u) << "no file is asked for without a bar";
  EXPECT_EQ(Describe(), "A: a");
}

}  // namespace
