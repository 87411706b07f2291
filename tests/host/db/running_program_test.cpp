#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/cd.h"
#include "db/new_button.h"
#include "db/running_program.h"

namespace {

const std::string kNotepad = "C:\\windows\\notepad.exe";

// The screen's windows, the most recently active first.
const std::vector<ProgramWindow> kWindows = {
    {10, "C:\\Tools\\Edit.exe", false},
    {11, "c:/WINDOWS/NOTEPAD.EXE", true},
    {12, "C:\\windows\\notepad.exe", false},
    {13, "C:\\windows\\notepad.exe.bak", false},
};

TEST(ChooseSwitch, WhichWindowAndWhatToDo) {
  struct Case {
    const char* name;
    std::string program;
    std::vector<ProgramWindow> windows;
    uintptr_t front;
    bool shift;
    SwitchChoice expected;
  };
  const std::vector<Case> cases = {
      {"no window of the program", "C:\\other.exe", kWindows, 10, false, {}},
      {"no windows at all", kNotepad, {}, 0, false, {}},
      {"most recent window, minimised: restored", kNotepad, kWindows, 10, false, {SwitchAction::kActivate, 11, true}},
      {"its window in front: minimised", kNotepad, kWindows, 12, false, {SwitchAction::kMinimise, 12, false}},
      {"a minimised window counts as not in front", kNotepad, kWindows, 11, false,
       {SwitchAction::kActivate, 11, true}},
      {"shift always starts another", kNotepad, kWindows, 10, true, {}},
      {"a longer name is another program", "C:\\windows\\notepad.ex", kWindows, 0, false, {}},
      {"no program", "", kWindows, 0, false, {}},
      {"visible window behind others", "c:\\tools\\edit.EXE", kWindows, 12, false,
       {SwitchAction::kActivate, 10, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ChooseSwitch(c.program, c.windows, c.front, c.shift), c.expected);
  }
}

TEST(ProgramOfButton, ProgramsAndShortcutsToThem) {
  const LinkTarget links = [](const std::string& link) -> std::string {
    if (link == "C:\\Links\\Pad.LNK") return kNotepad;
    if (link == "C:\\Links\\Doc.lnk") return "C:\\Docs\\letter.txt";
    return "";
  };
  struct Case {
    std::string target;
    int32_t kind;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {kNotepad, kFile, kNotepad},
      {"  C:\\Tools\\EDIT.EXE ", kFile, "C:\\Tools\\EDIT.EXE"},
      {"C:\\Links\\Pad.LNK", kFile, kNotepad},
      {"C:\\Links\\Doc.lnk", kFile, ""},
      {"C:\\Links\\broken.lnk", kFile, ""},
      {"C:\\Docs\\letter.txt", kFile, ""},
      {"C:\\Docs\\exe", kFile, ""},
      {".exe", kFile, ""},
      {"C:\\Tools.exe", kFolder, ""},
      {"http://example.com/setup.exe", kInternet, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    CD button;
    button.Kind = c.kind;
    button.Target = c.target;
    EXPECT_EQ(ProgramOfButton(button, links), c.expected);
  }
  CD separator = CD::MakeSeparator();
  separator.Target = kNotepad;
  EXPECT_EQ(ProgramOfButton(separator, links), "");
}

TEST(ProgramButton, NamedByDescriptionOrFileName) {
  const ButtonSpec described = ProgramButton(kNotepad, " Text Editor ");
  EXPECT_EQ(described.Name, "Text Editor");
  EXPECT_EQ(described.Target, kNotepad);
  EXPECT_EQ(described.WorkDir, "C:\\windows");
  EXPECT_EQ(described.IconFile, kNotepad);
  EXPECT_EQ(described.Kind, kFile);
  EXPECT_EQ(ProgramButton(kNotepad, "").Name, "notepad");
  EXPECT_EQ(ProgramButton("C:\\bin\\.hidden", "").Name, ".hidden");
}

}  // namespace
