// The profile rules, checked against every implementation the tree has: the
// file-backed copy everywhere, and the real Windows functions under Wine.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/profile_kinds.h"
#include "support/scratch_folder.h"

namespace {

class ProfileRulesTest : public ::testing::TestWithParam<ProfileKind> {
 protected:
  std::unique_ptr<Profile> ProfileOver(const std::string& file) { return GetParam().make(folder_.File(file)); }
  ScratchFolder folder_;
};

struct Write {
  const char* section;
  const char* key;
  const char* value;
};

struct WriteCase {
  const char* name;
  std::optional<std::string> initial;  // none: no file yet
  std::vector<Write> writes;
  std::string expected;
};

TEST_P(ProfileRulesTest, WritesLayOutTheFileLikeThePlatform) {
  const std::vector<WriteCase> cases = {
      {"new file and sections appended in order", std::nullopt,
       {{"view", "A", "1"}, {"prog", "B", "2"}, {"view", "C", "3"}},
       "[view]\r\nA=1\r\nC=3\r\n[prog]\r\nB=2\r\n"},
      {"empty file", "", {{"a", "k", "1"}}, "[a]\r\nk=1\r\n"},
      {"value replaced in place, names matched without case", "[View]\r\nA=1\r\nB=2\r\n",
       {{"VIEW", "a", "10"}}, "[View]\r\nA=10\r\nB=2\r\n"},
      {"new name keeps its trailing blank until the file is read again", std::nullopt,
       {{"clock", "ShowYear ", "1"}}, "[clock]\r\nShowYear =1\r\n"},
      {"trailing blank of a stored name is dropped", std::nullopt,
       {{"clock", "ShowYear ", "1"}, {"clock", "ShowYear ", "0"}, {"clock", "Sec", "1"}},
       "[clock]\r\nShowYear=0\r\nSec=1\r\n"},
      {"hand-written name without the blank is the same key", "[clock]\r\nShowYear=0\r\n",
       {{"clock", "ShowYear ", "1"}}, "[clock]\r\nShowYear=1\r\n"},
      {"leading blanks of names and values dropped", std::nullopt,
       {{" sec", " key", "  x"}}, "[sec]\r\nkey=x\r\n"},
      {"rewrite normalises blanks, blank lines and line ends", "  [a] \n\n  k  =  1  \n[ b ]\ny=2",
       {{"b", "z", "3"}}, "[a]\r\nk=1\r\n[b]\r\ny=2\r\nz=3\r\n"},
      {"unchanged value leaves the file untouched", "[a]\n\nk=1  \n", {{"a", "k", "1"}},
       "[a]\n\nk=1  \n"},
      {"comment-like and key-only lines kept", "; note\r\n[a]\r\nnoequals\r\n", {{"a", "k", "1"}},
       "; note\r\n[a]\r\nnoequals\r\nk=1\r\n"},
      {"first of duplicate sections and keys wins", "[a]\r\nx=1\r\nx=2\r\n[A]\r\ny=2\r\n",
       {{"a", "x", "9"}, {"a", "y", "5"}}, "[a]\r\nx=9\r\nx=2\r\ny=5\r\n[A]\r\ny=2\r\n"},
      {"keys before any section", "[a]\r\nk=1\r\n", {{"", "top", "1"}}, "top=1\r\n[a]\r\nk=1\r\n"},
      {"utf-8 mark kept", "\xEF\xBB\xBF[a]\r\nx=1\r\n", {{"a", "y", "2"}},
       "\xEF\xBB\xBF[a]\r\nx=1\r\ny=2\r\n"},
      {"bytes above 127 pass unchanged", "[a]\r\nk\xE9y=\xE4\r\n", {{"a", "v", "\xFF\x81"}},
       "[a]\r\nk\xE9y=\xE4\r\nv=\xFF\x81\r\n"},
      {"empty value", std::nullopt, {{"a", "k", ""}, {"a", "b", "   "}}, "[a]\r\nk=\r\nb=\r\n"},
      {"vertical tab and form feed are blanks, 0xA0 is not", "[a]\r\n\xA0k\xA0=\xA0v\xA0\r\n\vj\f=\f1\v",
       {{"a", "z", "1"}}, "[a]\r\n\xA0k\xA0=\xA0v\xA0\r\nj=1\r\nz=1\r\n"},
      {"odd lines", "[a]\r\n=5\r\n=6\r\n[b\r\nw=1\r\n[c]junk\r\nv=2\r\nk=1\x1a", {{"c", "v", "3"}},
       "[a]\r\n=5\r\n[b\r\nw=1\r\n[c]\r\nv=3\r\nk=1\r\n"},
  };
  int index = 0;
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = "w" + std::to_string(index++) + ".ini";
    if (c.initial) WriteBytes(folder_.File(file), *c.initial);
    auto profile = ProfileOver(file);
    for (const Write& w : c.writes) EXPECT_TRUE(profile->WriteString(w.section, w.key, w.value));
    EXPECT_EQ(ReadBytes(folder_.File(file)), c.expected);
  }
}

TEST_P(ProfileRulesTest, IntegersReadLikeThePlatform) {
  const std::string thirtyChars = std::string(28, '0') + "42";
  const struct {
    std::string stored;
    int32_t expected;
  } cases[] = {
      {"12", 12},         {"  12", 12},           {"-5", -5},         {"+5", 5},
      {"12abc", 12},      {"abc", 0},             {"- 5", 0},         {"--5", 0},
      {"1 2", 1},         {"0x10", 16},           {"0X10", 0},        {"0b101", 5},
      {"0o17", 15},       {"-0x10", -16},         {"ff", 0},          {"\"12\"", 12},
      {"' 7 '", 7},       {"\"-3\"", -3},         {"", 77},           {"\"\"", 77},
      {"4294967295", -1}, {"2147483648", INT32_MIN}, {"99999999999", 1215752191},
      {"-2147483649", INT32_MAX}, {thirtyChars, 4}, {thirtyChars.substr(1), 42},
      // A quoted value is cut to 29 characters before its quotes come off; with
      // exactly 30 after the opening quote the last digit goes.
      {"\"" + thirtyChars.substr(2) + "\"", 42}, {"'" + thirtyChars.substr(1) + "'", 4},
      {"\"" + thirtyChars + "\"", 4},            {"\"0" + thirtyChars + "\"", 0},
      {"\"5\"\"", 5},
      {"0x", 0},          {"0xg", 0},             {"-0b11", -3},      {"0o9", 0},
  };
  int index = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE("value '" + c.stored + "'");
    const std::string file = "i" + std::to_string(index++) + ".ini";
    WriteBytes(folder_.File(file), "[s]\r\nk=" + c.stored + "\r\n");
    EXPECT_EQ(ProfileOver(file)->GetInt("s", "k", 77), c.expected);
  }
}

TEST_P(ProfileRulesTest, StringsReadLikeThePlatform) {
  const std::string longValue(5000, 'x');
  const std::string longerValue(70000, 'z');
  // Quoted values that exactly fill a buffer the reader may first try.
  const std::string fill255(255, 'f');
  const std::string fill511(511, 'g');
  WriteBytes(folder_.File("s.ini"),
             "top=1\r\n; note=2\r\n"
             "[a]\r\nq1=\"quoted\"\r\nq2='x'\r\nq3=\"half\r\nq4=\"\r\nq5=\"a\"b\"\r\nq6=\"\"\r\n"
             "sp=  spaced value  \r\nlone\r\nlong=" + longValue + "\r\nlq=\"" + longValue + "\"\r\n" +
             "f255=\"" + fill255 + "\"\r\nf511=\"" + fill511 + "\"\r\n" +
             ";c=5\r\ntwice\r\ntwice=5\r\ndup=1\r\nDUP=2\r\ndup=3\r\n# hash=6\r\n=7\r\n=8\r\n"
             "empty=\r\nab=c=d\r\n\t t \t=\t v \t\r\nq7=  \"  x  \"  \r\nsub=x\x1a y\r\n[c=1\r\n"
             "k\xE9y=low\r\nK\xC9Y=up\r\n\xA0k\xA0=\xA0v\xA0\r\nafter=9\r\n" +
             "[Clock]\r\nShowYear=3\r\n[A]\r\nsecond=1\r\n[big]\r\nv=" + longerValue + "\r\nw=1\r\n");
  auto profile = ProfileOver("s.ini");
  const struct {
    const char* section;
    const char* key;
    const char* def;
    std::string expected;
  } cases[] = {
      {"a", "q1", "D", "quoted"}, {"a", "q2", "D", "x"},    {"a", "q3", "D", "\"half"},
      {"a", "q4", "D", "\""},     {"a", "q5", "D", "a\"b"}, {"a", "q6", "D", ""},
      {"a", "sp", "D", "spaced value"},   {"a", "lone", "D", "D"},
      {"a", "missing", "def  ", "def"},   {"nosuch", "q1", "D", "D"},
      {"a", "long", "", longValue},       {"a", "lq", "", longValue},
      {"a", "f255", "", fill255},         {"a", "f511", "", fill511},
      {"a", ";c", "", "5"},               {" clock ", "SHOWYEAR ", "", "3"},
      // Hand-edited sections: the first of equal names wins, even a name
      // without '='; only ';' starts a comment; blanks and quotes.
      {"", "top", "D", "1"},              {"", "; note", "D", "2"},
      {"a", "twice", "D", "D"},           {"a", "DUP", "D", "1"},
      {"a", "# hash", "D", "6"},          {"a", "", "D", "7"},
      {"a", "empty", "D", ""},            {"a", "ab", "D", "c=d"},
      {"a", "t", "D", "v"},               {"a", "\tt\x1a", "D", "v"},
      {"a", "q7", "D", "  x  "},          {"a", "sub", "D", "x\x1a y"},
      {"a", "[c", "D", "1"},              {"a", "missing", "\"d\" ", "d"},
      {"a", "missing", "d\t", "d\t"},     {"a", "missing", "\"", "\""},
      // Bytes above 127 are not folded, and 0xA0 is no blank.
      {"a", "K\xC9Y", "D", "up"},         {"a", "k\xC9y", "D", "up"},
      {"a", "\xA0k\xA0", "D", "\xA0v\xA0"}, {"a", "\xA0k", "D", "D"},
      {"a", "after", "D", "9"},
      // Only the first of two sections with one name counts.
      {"A", "second", "D", "D"},          {"\tA\x1a", "q1", "D", "quoted"},
      {"big", "v", "", longerValue},      {"big", "w", "", "1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(profile->GetString(c.section, c.key, c.def), c.expected);
  }
}

TEST_P(ProfileRulesTest, MissingFileOrFolder) {
  auto profile = ProfileOver("none.ini");
  EXPECT_EQ(profile->GetInt("view", "Edge", 1), 1);
  EXPECT_EQ(profile->GetString("clock", "Font_PitchAndFamily", ""), "");
  EXPECT_FALSE(std::filesystem::exists(folder_.File("none.ini")));
  EXPECT_FALSE(ProfileOver("no_such_folder/x.ini")->WriteInt("a", "k", 1));
  EXPECT_EQ(ProfileOver("no_such_folder/x.ini")->GetInt("a", "k", 5), 5);
  EXPECT_EQ(ProfileOver("no_such_folder/x.ini")->GetString("a", "k", "d  "), "d");
  EXPECT_EQ(profile->GetString("clock", "Font_PitchAndFamily", "'d'  "), "d");
}

// A profile that keeps what it read must not answer from it after a write.
TEST_P(ProfileRulesTest, ReadsAfterAWriteSeeTheWrite) {
  WriteBytes(folder_.File("rw.ini"), "[view]\r\nEdge=3\r\n[clock]\r\nSec=1\r\n");
  auto profile = ProfileOver("rw.ini");
  EXPECT_EQ(profile->GetInt("view", "Edge", 1), 3);
  EXPECT_EQ(profile->GetInt("clock", "Sec", 0), 1);
  EXPECT_EQ(profile->GetString("prog", "Logo", "D"), "D");
  EXPECT_TRUE(profile->WriteInt("view", "Edge", 0));
  EXPECT_EQ(profile->GetInt("view", "Edge", 1), 0);
  EXPECT_TRUE(profile->WriteString("prog", "Logo", "Arial"));
  EXPECT_EQ(profile->GetString("prog", "Logo", "D"), "Arial");
  EXPECT_TRUE(profile->WriteInt("clock", "Type12h", 1));
  EXPECT_EQ(profile->GetInt("clock", "Type12h", 0), 1);
  EXPECT_EQ(profile->GetInt("clock", "Sec", 0), 1);
}

// A value is read whole up to the limit; a longer one is not read at all.
TEST_P(ProfileRulesTest, BoundedReadsTakeValuesWholeOrNotAtAll) {
  constexpr size_t kLimit = 3000;
  const std::string atLimit(kLimit, 'a');
  const std::string over(kLimit + 1, 'b');
  WriteBytes(folder_.File("long.ini"), "[s]\r\nat=" + atLimit + "\r\nover=" + over + "\r\nshort=x\r\n");
  auto profile = ProfileOver("long.ini");
  EXPECT_EQ(profile->GetBoundedString("s", "at", "", kLimit), std::optional<std::string>(atLimit));
  EXPECT_EQ(profile->GetBoundedString("s", "over", "", kLimit), std::nullopt);
  EXPECT_EQ(profile->GetBoundedString("s", "short", "", kLimit), std::optional<std::string>("x"));
  EXPECT_EQ(profile->GetBoundedString("s", "none", "d", kLimit), std::optional<std::string>("d"));
}

INSTANTIATE_TEST_SUITE_P(, ProfileRulesTest, ::testing::ValuesIn(ProfileKindsUnderTest()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
