#include "core/message_texts.h"

#include <utility>

namespace {

struct TextEntry {
  int32_t id;
  const char* text;
};

// Every text the program builds in code. Weekdays lie at 200 + day (0 Sunday),
// months at 206 + month (1 January), which the clock panel relies on.
constexpr TextEntry kTexts[] = {
    {10, "Error:\nCannot open a registry entry"},
    {11, "Error:\nCannot read a registry entry"},
    {12, "System error:\n (AddStartup, CoCreateInstance)"},
    {13, "System error:\n (AddStartup, QueryInterface)"},
    {14, "System error:\n (AddStartup, Save)"},
    {50,
     "On this edge of the screen it is impossible to have the bar with autohide property. \n"
     " Already there is a bar with such property here"},
    {51, "An error while registering the panel"},
    {54, "{ empty }"},
    {56, "https://www.orvantis.example/"},
    {58, "Do you want to close Orvantis.Quickrail?"},
    {83, "System error:\n (IStorage: "},
    {100, "All files (*.*)"},
    {101, "Folder selection"},
    {102, "Working folder selection"},
    {103, "Internet shortcut files (*.url)"},
    {121, "- separator -"},
    {180, "mailto:support@orvantis.example"},
    {200, "Su"},
    {201, "Mo"},
    {202, "Tu"},
    {203, "We"},
    {204, "Th"},
    {205, "Fr"},
    {206, "Sa"},
    {207, "January"},
    {208, "February"},
    {209, "March"},
    {210, "April"},
    {211, "May"},
    {212, "June"},
    {213, "July"},
    {214, "August"},
    {215, "September"},
    {216, "October"},
    {217, "November"},
    {218, "December"},
    {600, "Quickrails"},
    {603, "File name is not specified"},
    {604, "The button (quickrail) name is not specified"},
    {605, "Remove the following quickrail with all its buttons:\n"},
    {606, "\nAre you sure ?"},
    // Refusals and failures the program reports and then goes on.
    {760, "The address in this internet shortcut is too long to be taken (more than 32767 characters):\n"},
    {761, "An operation failed because of an internal error; it was abandoned and the program goes on.\n\n"},
};

// Logical template ids are the resource ids of the English templates.
constexpr int32_t kTemplateIds[] = {100, 129, 134, 140, 173, 174, 188, 212, 225,
                                    102, 137, 138, 141, 142, 168, 175, 192, 194, 207};

}  // namespace

MessageTexts::MessageTexts() {
  for (const TextEntry& entry : kTexts) texts_[entry.id] = entry.text;
  for (int32_t id : kTemplateIds) templates_[id] = id;
}

std::string MessageTexts::Text(int32_t id) {
  // operator[] leaves an empty entry behind for an unknown id, as intended.
  return texts_[id];
}

int32_t MessageTexts::TemplateId(int32_t id) { return templates_[id]; }
