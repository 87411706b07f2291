// The section reader's rules on blocks as the platform's section read returns
// them (taken from runs under Wine), and the reader's use of the platform:
// one read per section, a longer buffer for a long section, the per-key reads
// where a section cannot answer, fresh reads after a write.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/profile_sections.h"

namespace {

std::string Block(std::initializer_list<std::string> lines) {
  std::string block;
  for (const std::string& line : lines) block += line + '\0';
  return block + '\0';
}

SectionValues Values(const std::string& block) { return SectionValues::FromBlock(block.data(), block.size()); }

constexpr const char* kAsk = "(ask the platform)";

TEST(SectionValuesTest, AnswersLikeThePerKeyReads) {
  // A hand-edited section as the section read hands it back: names and values
  // trimmed, quotes kept, comment lines gone, the bare "lone" and the second
  // "=6" of two nameless lines dropped by the platform already.
  const SectionValues values = Values(Block({"q1=\"quoted\"", "q2='x'", "q3=\"half", "q4=\"", "q6=\"\"",
                                             "sp=spaced value", "lone", "lone=5", "# hash=6", "=5", "Name=v",
                                             "dup=1", "DUP=2", "empty=", "ab=c=d", "n=0x1F", "qn='-12'",
                                             "big=99999999999"}));
  const struct {
    std::string key;
    std::string def;
    std::string text;  // or kAsk
    std::optional<int32_t> number;  // none: kAsk
  } cases[] = {
      {"q1", "D", "quoted", 0},          {"q2", "D", "x", 0},
      {"q3", "D", "\"half", 0},          {"q4", "D", "\"", 0},
      {"q6", "D", "", 77},               {"sp", "D", "spaced value", 0},
      {"lone", "D", "D", 77},            {"# hash", "D", "6", 6},
      {"NAME", "D", "v", 0},             {"dup", "D", "1", 1},
      {"Dup", "D", "1", 1},              {"empty", "D", "", 77},
      {"ab", "D", "c=d", 0},             {" \tn\x1a ", "D", "0x1F", 31},
      {"qn", "D", "-12", -12},           {"big", "", "99999999999", 1215752191},
      {"missing", "\"d\"  ", "d", 77},   {"missing", "d\t", "d\t", 77},
      // Left to the platform: the nameless key, comments (not in the block),
      // names beyond printable ASCII, '?' (what the code page could not hold).
      {"", "D", kAsk, std::nullopt},     {" ", "D", kAsk, std::nullopt},
      {";c", "D", kAsk, std::nullopt},   {"k\xE9y", "D", kAsk, std::nullopt},
      {"a\x01", "D", kAsk, std::nullopt}, {"a?", "D", kAsk, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("key '" + c.key + "'");
    EXPECT_EQ(values.GetString(c.key, c.def).value_or(kAsk), c.text);
    EXPECT_EQ(values.GetInt(c.key, 77), c.number);
  }
}

TEST(SectionValuesTest, NamesBeyondAsciiLeaveEverythingAfterThemToThePlatform) {
  const SectionValues values = Values(Block({"plain=1", "\xC4" "dge=3", "\xA0k\xA0=v", "Edge=2"}));
  EXPECT_EQ(values.GetInt("plain", 0), 1);  // found before the odd names
  EXPECT_EQ(values.GetInt("Edge", 0), std::nullopt);
  EXPECT_EQ(values.GetString("missing", "D"), std::nullopt);
}

TEST(SectionValuesTest, ReadsBlocksWithOrWithoutTheirEndAndUntrimmed) {
  const std::string cut("a=1\0b=2", 7);
  const struct {
    const char* name;
    SectionValues values;
  } cases[] = {
      {"block without its zeros", SectionValues::FromBlock(cut.data(), cut.size())},
      {"zeros at the end", Values(Block({"a=1", "b=2"}))},
      {"untrimmed lines", Values(Block({" a\t= 1 ", "\tb =2\x1a"}))},
      {"a zero ends the block early", Values(Block({"a=1", "b=2", "", "c=3"}))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.values.GetInt("a", 0), 1);
    EXPECT_EQ(c.values.GetString("b", ""), "2");
    EXPECT_EQ(c.values.GetInt("c", 9), 9);
  }
  EXPECT_EQ(SectionValues().GetInt("a", 5), 5);
  EXPECT_EQ(SectionValues::FromBlock("", 0).GetString("a", "x"), "x");
}

// The platform's section read over a set of blocks: cuts a block short the
// way it does (size - 2, also when the block would just fit) and counts reads.
struct FakeSections {
  std::map<std::string, std::string> blocks;  // whole blocks, with both zeros at the end
  std::map<std::string, int> failing;         // section -> reads left that fail
  std::vector<size_t> sizes;

  std::optional<size_t> Read(const std::string& section, char* buffer, size_t size) {
    sizes.push_back(size);
    if (failing[section] > 0) {
      --failing[section];
      return std::nullopt;
    }
    // The length counts all but the block's last zero.
    const std::string block = blocks.count(section) ? blocks[section] : std::string(2, '\0');
    const size_t n = block.size() + 1 <= size ? block.size() - 1 : size - 2;
    block.copy(buffer, n);
    buffer[n] = buffer[n + 1] = '\0';
    return n;
  }
  SectionRead Reader() {
    return [this](const std::string& s, char* b, size_t n) { return Read(s, b, n); };
  }
};

// Stands for the per-key functions: answers with marks, applies writes to the
// fake file's blocks (appending; enough for these tests).
struct PerKeyDouble : Profile {
  explicit PerKeyDouble(FakeSections& file) : file(file) {}
  int32_t GetInt(const char*, const char*, int32_t) override { return ++reads, -999; }
  std::string GetString(const char*, const char*, const std::string&) override {
    return ++reads, "per key";
  }
  bool WriteInt(const char* s, const char* k, int32_t v) override { return WriteString(s, k, std::to_string(v)); }
  bool WriteString(const char* s, const char* k, const std::string& v) override {
    std::string& block = file.blocks[s];
    if (block.empty()) block = std::string(1, '\0');
    block.insert(0, std::string(k) + "=" + v + '\0');  // the first of a name wins
    return true;
  }
  FakeSections& file;
  int reads = 0;
};

class SectionProfileTest : public ::testing::Test {
 protected:
  FakeSections file_;
  PerKeyDouble perKey_{file_};
  SectionProfile profile_{file_.Reader(), perKey_};
};

TEST_F(SectionProfileTest, ReadsEachSectionOnceForAllItsKeys) {
  file_.blocks["view"] = Block({"Edge=3", "AutoHide=1"});
  file_.blocks["clock"] = Block({"Font_PitchAndFamily=Arial"});
  EXPECT_EQ(profile_.GetInt("view", "Edge", 1), 3);
  EXPECT_EQ(profile_.GetInt(" view\t", "autohide", 0), 1);  // the per-key reads trim section names too
  EXPECT_EQ(profile_.GetInt("view", "LargeIcon", 0), 0);
  EXPECT_EQ(profile_.GetInt("prog", "Splash", 1), 1);  // no such section
  EXPECT_EQ(profile_.GetInt("prog", "Logo", 1), 1);
  EXPECT_EQ(profile_.GetInt("clock", "Font_PitchAndFamily", 0), 0);
  EXPECT_EQ(profile_.GetString("clock", "Font_PitchAndFamily", ""), "Arial");
  EXPECT_EQ(profile_.SectionReads(), 3);
  EXPECT_EQ(perKey_.reads, 0);
}

TEST_F(SectionProfileTest, ReadsALongSectionAgainWithALongerBuffer) {
  const std::string longValue(10000, 'x');
  const struct {
    const char* name;
    std::string block;
    size_t reads;
  } cases[] = {
      {"a value longer than the buffer", Block({"long=" + longValue, "after=7"}), 3},
      // A block that just fits comes back as one cut short: it is read again.
      {"a block that just fills the buffer", Block({"k=" + std::string(4096 - 13, 'y'), "after=7"}), 2},
      {"one character less", Block({"k=" + std::string(4096 - 14, 'y'), "after=7"}), 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSections file;
    file.blocks["s"] = c.block;
    PerKeyDouble perKey(file);
    SectionProfile profile(file.Reader(), perKey);
    EXPECT_EQ(profile.GetInt("s", "after", 0), 7);
    EXPECT_EQ(file.sizes.size(), c.reads);
  }
}

TEST_F(SectionProfileTest, WhatASectionCannotAnswerIsAskedPerKey) {
  file_.blocks["view"] = Block({"Edge=3"});
  file_.failing["prog"] = 1;
  EXPECT_EQ(profile_.GetInt("prog", "Splash", 1), -999);
  EXPECT_EQ(profile_.GetString("prog", "Logo", ""), "per key");  // a failed section is not read again
  EXPECT_EQ(profile_.GetString("view", ";Edge", ""), "per key");
  EXPECT_EQ(profile_.GetInt("view", nullptr, 1), -999);
  EXPECT_EQ(profile_.GetInt(nullptr, "Edge", 1), -999);
  EXPECT_EQ(profile_.GetInt("view", "Edge", 1), 3);
  EXPECT_EQ(perKey_.reads, 5);
  EXPECT_EQ(profile_.SectionReads(), 2);
}

TEST_F(SectionProfileTest, AReadThatNeverFitsEndsInThePerKeyRead) {
  // A reader that always claims to be cut short would otherwise grow forever.
  const auto alwaysCut = [](const std::string&, char* buffer, size_t size) -> std::optional<size_t> {
    buffer[0] = buffer[1] = '\0';
    return size - 2;
  };
  SectionProfile profile(alwaysCut, perKey_);
  EXPECT_EQ(profile.GetInt("s", "k", 0), -999);
  EXPECT_LT(profile.SectionReads(), 20);
  const auto tooLong = [](const std::string&, char*, size_t size) -> std::optional<size_t> { return size + 1; };
  SectionProfile strange(tooLong, perKey_);
  EXPECT_EQ(strange.GetInt("s", "k", 0), -999);
}

TEST_F(SectionProfileTest, AReadAfterAWriteSeesTheWrite) {
  file_.blocks["view"] = Block({"Edge=3"});
  EXPECT_EQ(profile_.GetInt("view", "Edge", 1), 3);
  EXPECT_TRUE(profile_.WriteInt("view", "Edge", 0));
  EXPECT_EQ(profile_.GetInt("view", "Edge", 1), 0);
  EXPECT_TRUE(profile_.WriteString("view", "Edge", "2"));
  EXPECT_EQ(profile_.GetInt("view", "Edge", 1), 2);
  EXPECT_EQ(perKey_.reads, 0);
}

}  // namespace
