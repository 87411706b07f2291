#include "core/message_texts.h"

#include <utility>

namespace {

struct TextEntry {
  int32_t id;
  const char* text;
};

// Every text the program builds in code, by the numbers of message_ids.h.
// Weekdays lie at 200 + day (0 Sunday), months at 206 + month (1 January),
// which the clock panel relies on.
constexpr TextEntry kTexts[] = {
    {kMsgRegistryOpenFailed, "Error:\nCannot open a registry entry"},
    {kMsgRegistryReadFailed, "Error:\nCannot read a registry entry"},
    {kMsgStartupCreateFailed, "System error:\n (AddStartup, CoCreateInstance)"},
    {kMsgStartupQueryFailed, "System error:\n (AddStartup, QueryInterface)"},
    {kMsgStartupSaveFailed, "System error:\n (AddStartup, Save)"},
    {kMsgAutoHideEdgeTaken,
     "On this edge of the screen it is impossible to have the bar with autohide property. \n"
     " Already there is a bar with such property here"},
    {kMsgAppBarRefused, "An error while registering the panel"},
    {kMsgEmptyBar, "{ empty }"},
    {kMsgWebAddress, "https://www.orvantis.example/"},
    {kMsgExitQuestion, "Do you want to close Orvantis.Quickrail?"},
    {kMsgStorageError, "System error:\n (IStorage: "},
    {kMsgCancelShowsUndoCopy,
     "Cancel could not put the database file back or read it.\n"
     "The bars are shown as the undo copy \"undo_tmp.acc\" holds them; the next save writes them to \"lbars.acc\"."},
    {kMsgCancelShowsDatabase,
     "Cancel could not put the database file back.\n"
     "The bars are shown as \"lbars.acc\" holds them now."},
    {kMsgCancelReadNothing,
     "Cancel could not read the bars back: neither \"undo_tmp.acc\" nor \"lbars.acc\" could be read.\n"
     "The bars are shown as they were before the cancelled changes; the next save writes them and keeps a "
     "copy of \"lbars.acc\" first."},
    {kMsgAllFilesFilter, "All files (*.*)"},
    {kMsgFolderSelection, "Folder selection"},
    {kMsgWorkingFolderSelection, "Working folder selection"},
    {kMsgUrlFilesFilter, "Internet shortcut files (*.url)"},
    {kMsgSeparatorName, "- separator -"},
    {kMsgSupportMail, "mailto:support@orvantis.example"},
    {kMsgFirstWeekday, "Su"},
    {201, "Mo"},
    {202, "Tu"},
    {203, "We"},
    {204, "Th"},
    {205, "Fr"},
    {206, "Sa"},
    {kMsgFirstMonth, "January"},
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
    {kMsgManagerRoot, "Quickrails"},
    {kMsgNoTarget, "File name is not specified"},
    {kMsgNoName, "The button (quickrail) name is not specified"},
    {kMsgDeleteBarQuestion, "Remove the following quickrail with all its buttons:\n"},
    {kMsgDeleteBarQuestionEnd, "\nAre you sure ?"},
    // Drops on the bar: the items left out, one line each, and a drop abandoned.
    {kMsgDropRefusedHeader, "These dropped items were not put on the quickrail:"},
    {761, "more files than one drop takes"},
    {762, "the list of dropped files ends early; the names after it are missing"},
    {763, "the text is too long to be a web address"},
    {kMsgNotInCodePage, "it holds characters the system's code page cannot write"},
    {kMsgPathTooLong, "a path or name longer than a button holds"},
    {kMsgArgumentsTooLong, "the shortcut's arguments are longer than a button holds"},
    {767, "the web address is longer than a button holds"},
    {kMsgDropRefusedMore, "Not listed, further items:"},
    {kMsgDropAbandoned, "The quickrail changed before the dropped items could be put on it; nothing was added."},
    // Refusals and failures the program reports and then goes on.
    {kMsgUrlTooLong, "The address in this internet shortcut is too long to be taken (more than 32767 characters):\n"},
    {kMsgHotKeyTaken, "The hot key "},
    {kMsgHotKeyTakenEnd, " is used by another program; choose another one."},
    {kMsgCopyDamaged, "damaged: cannot be read"},
    {kMsgRestoreQuestion, "Put back the bars as they were kept on "},
    {kMsgRestoreQuestionEnd,
     "?\n\nThe bars as they are now are kept as an earlier copy first, so you can come back to them."},
    {kMsgRestoreManagerOpen, "An earlier copy cannot be put back while the buttons manager is open.\n"
                             "Close the buttons manager (OK or Cancel) and try again."},
    {kMsgRestoreNotKept, "The bars as they are now could not be kept as a copy (is the folder \"backups\" "
                         "writable?), so the earlier copy was not put back. Nothing was changed."},
    {kMsgRestoreDamaged, "This copy is damaged and cannot be put back."},
    {kMsgRestoreFailed, "The earlier copy could not be put in place. Your bars are as they were."},
    {kMsgNoCopies, "No earlier copies are kept yet: the first one is made before the bars are first "
                   "changed on a day."},
    {kMsgCopiesColumnDate, "Kept on"},
    {839, "Bars"},
    {840, "Buttons"},
    {841, "Names of the bars"},
    {kMsgExportFailed, "The bar could not be written to this file:\n"},
    {kMsgImportRefused, "This file is damaged or is no file of bars; nothing was imported:\n"},
    {kMsgImportNoBars, "This file holds no bars; nothing was imported:\n"},
    {kMsgExportNoBar, "Select the bar to export, or one of its buttons, first."},
    {kMsgBarFilesFilter, "Bars to take along (*.qrbar)"},
    {kMsgDatabaseFilesFilter, "Bars of a database (*.acc)"},
    {kMsgExportTitle, "Export bar"},
    {kMsgImportTitle, "Import bars"},
    {kMsgCopiesFolder, "The copies are kept in "},
    {kMsgInternalError, "An operation failed because of an internal error; it was abandoned and the program goes on.\n\n"},
    {kMsgPrimaryMonitor, "Primary monitor"},
    {kMsgMonitorAbsent, " (not connected)"},
    {kMsgOptionsTitle, "Orvantis.Quickrail options"},
    {kMsgMoreButtons, "More buttons"},
    {kMsgButtonOpen, "Open"},
    {kMsgButtonRunAsAdmin, "Run as administrator"},
    {kMsgButtonFileLocation, "Open file location"},
    {kMsgButtonEdit, "Edit in the buttons manager..."},
    {kMsgButtonRemove, "Remove from the bar..."},
    {kMsgButtonSeparator, "Separator"},
    {kMsgRemoveQuestion, "Remove \""},
    {kMsgRemoveQuestionEnd, "\" from the bar?\n\nThe buttons manager can add it again."},
    {kMsgRemoveSeparatorQuestion, "Remove this separator from the bar?"},
};

// Logical template ids are the resource ids of the English templates.
constexpr int32_t kTemplateIds[] = {100, 129, 134, 140, 173, 174, 188, 212, 225, 260,
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
