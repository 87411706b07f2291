// The dialog's field list against controls kept in maps: loading shows every
// field in its control, saving reads every control back into its field.
#include "platform/dialog_fields.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

namespace {

class FakeControls final : public DialogControls {
 public:
  std::map<int, std::string> texts;
  std::map<int, bool> checks;
  std::map<int, int> selections;

  std::string ItemText(int id) const override { return texts.count(id) ? texts.at(id) : std::string(); }
  void SetItemText(int id, const std::string& text) override { texts[id] = text; }
  bool IsChecked(int id) const override { return checks.count(id) && checks.at(id); }
  void SetChecked(int id, bool checked) override { checks[id] = checked; }
  int ListSelection(int id) const override { return selections.count(id) ? selections.at(id) : -1; }
  void SetListSelection(int id, int index) override { selections[id] = index; }
  std::optional<int> ItemNumber(int id) const override {
    const std::string text = ItemText(id);
    if (text.empty() || text.find_first_not_of("-0123456789") != std::string::npos) return std::nullopt;
    return std::stoi(text);
  }
  void SetItemNumber(int id, int value) override { texts[id] = std::to_string(value); }
};

struct Record {
  std::string name;
  int flag = 0;
  int size = 0;
  int seconds = 0;
};

DialogFields Bind(Record& r) {
  return DialogFields().Text(1, r.name).Check(2, r.flag).Selection(3, r.size).Number(4, r.seconds);
}

TEST(DialogFields, LoadShowsEveryFieldAndSaveReadsEveryControlBack) {
  Record shown{"Notepad", 1, 2, 30};
  FakeControls controls;
  Bind(shown).Load(controls);
  EXPECT_EQ(controls.texts[1], "Notepad");
  EXPECT_TRUE(controls.checks[2]);
  EXPECT_EQ(controls.selections[3], 2);
  EXPECT_EQ(controls.texts[4], "30");

  Record taken;
  Bind(taken).Save(controls);
  EXPECT_EQ(taken.name, shown.name);
  EXPECT_EQ(taken.flag, shown.flag);
  EXPECT_EQ(taken.size, shown.size);
  EXPECT_EQ(taken.seconds, shown.seconds);
}

TEST(DialogFields, SaveTakesWhatTheControlsHoldNow) {
  struct Case {
    const char* secondsText;
    bool checked;
    int selection;
    int expectedSeconds;  // a text that is no number keeps the field
  };
  const Case cases[] = {{"45", false, 0, 45}, {"", true, -1, 7}, {"x1", true, 1, 7}, {"-3", false, 4, -3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.secondsText);
    FakeControls controls;
    controls.texts = {{1, "edited"}, {4, c.secondsText}};
    controls.checks[2] = c.checked;
    controls.selections[3] = c.selection;
    Record r{"old", 5, 5, 7};
    Bind(r).Save(controls);
    EXPECT_EQ(r.name, "edited");
    EXPECT_EQ(r.flag, c.checked ? 1 : 0);
    EXPECT_EQ(r.size, c.selection);
    EXPECT_EQ(r.seconds, c.expectedSeconds);
  }
}

}  // namespace
