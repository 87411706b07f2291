// What the bar draws a button from when its own icon cannot be found: the
// lookups tried after the first, and the generic icon asked of the shell.
#include <gtest/gtest.h>

#include "icons/button_icon.h"

namespace {

struct GenericCase {
  const char* path;
  GenericIconQuery expected;
};

class GenericIconForTest : public testing::TestWithParam<GenericCase> {};

TEST_P(GenericIconForTest, NamesTheKindOfThePath) {
  const GenericIconQuery query = GenericIconFor(GetParam().path);
  EXPECT_EQ(query.name, GetParam().expected.name) << GetParam().path;
  EXPECT_EQ(query.directory, GetParam().expected.directory) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, GenericIconForTest,
    testing::Values(
        // Files: the icon of their type, also for a file that has gone.
        GenericCase{"C:\\Windows\\explorer.exe", {"C:\\Windows\\explorer.exe", false}},
        GenericCase{"C:\\Program Files\\My.App\\run", {"C:\\Program Files\\My.App\\run", true}},
        // Folders: a closing separator, or no extension in the last part.
        GenericCase{"C:\\Data\\", {"C:\\Data\\", true}},
        GenericCase{"C:\\Data\\Old Photos", {"C:\\Data\\Old Photos", true}},
        GenericCase{"\\\\server\\share", {"\\\\server\\share", true}},
        // Drives, with or without the separator.
        GenericCase{"Q:\\", {"Q:\\", true}}, GenericCase{"q:", {"q:\\", true}},
        GenericCase{"Q:/", {"Q:\\", true}},
        // Web addresses in any case of the scheme, and mail links.
        GenericCase{"http://www.orvantis.example/", {".url", false}},
        GenericCase{"HTTPS://www.orvantis.example/a.exe", {".url", false}},
        GenericCase{"mailto:help@orvantis.example", {".url", false}},
        // Not a scheme: a path with "://" after a drive or a folder.
        GenericCase{"C:\\x://y.txt", {"C:\\x://y.txt", false}},
        GenericCase{"", {"", false}}));

struct FallbackCase {
  const char* path;
  std::vector<IconFallback> expected;
};

class IconFallbacksTest : public testing::TestWithParam<FallbackCase> {};

// A program file may hold no icons (Explorer's under Wine): the shell's icon
// for the file comes first. Paths the shell was already asked about, and web
// addresses, go straight to the generic icon. The system's icon ends every list.
TEST_P(IconFallbacksTest, EndsWithAnIconThatAlwaysExists) {
  EXPECT_EQ(IconFallbacks(GetParam().path), GetParam().expected) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, IconFallbacksTest,
    testing::Values(FallbackCase{"C:\\Windows\\explorer.exe",
                                 {IconFallback::ShellOfPath, IconFallback::GenericOfKind, IconFallback::SystemDefault}},
                    FallbackCase{"http://www.orvantis.example/",
                                 {IconFallback::GenericOfKind, IconFallback::SystemDefault}},
                    FallbackCase{"C:\\Data", {IconFallback::GenericOfKind, IconFallback::SystemDefault}},
                    FallbackCase{"C:\\x.Exe", {IconFallback::GenericOfKind, IconFallback::SystemDefault}}));

}  // namespace
