#include <gtest/gtest.h>

#include "core/message_texts.h"

namespace {

TEST(MessageTextsTest, TextsKeepTheirExactBytes) {
  MessageTexts texts;
  const struct {
    int32_t id;
    const char* text;
  } cases[] = {
      {10, "Error:\nCannot open a registry entry"},
      {50, "On this edge of the screen it is impossible to have the bar with autohide property. \n"
           " Already there is a bar with such property here"},
      {54, "{ empty }"},
      {56, "https://www.orvantis.example/"},
      {83, "System error:\n (IStorage: "},
      {180, "mailto:support@orvantis.example"},
      {200, "Su"}, {206, "Sa"}, {207, "January"}, {218, "December"},
      {605, "Remove the following quickrail with all its buttons:\n"},
      {606, "\nAre you sure ?"},
  };
  for (const auto& c : cases) EXPECT_EQ(texts.Text(c.id), c.text) << "message " << c.id;
}

TEST(MessageTextsTest, UnknownIdsGiveEmptyTextAndZeroTemplate) {
  MessageTexts texts;
  EXPECT_EQ(texts.Text(999), "");
  EXPECT_EQ(texts.Text(999), "");
  EXPECT_EQ(texts.Text(-1), "");
  EXPECT_EQ(texts.TemplateId(1), 0);
  EXPECT_EQ(texts.TemplateId(1), 0);
  // Asking for an unknown id must not disturb its neighbours.
  EXPECT_EQ(texts.Text(58), "Do you want to close Orvantis.Quickrail?");
}

TEST(MessageTextsTest, TemplatesMapToThemselves) {
  MessageTexts texts;
  for (int32_t id : {100, 129, 134, 140, 173, 174, 188, 212, 225, 102, 137, 138, 141, 142, 168, 175,
                     192, 194, 207})
    EXPECT_EQ(texts.TemplateId(id), id);
}

}  // namespace
