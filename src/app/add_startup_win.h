// The start-up shortcut "Orvantis.Quickrail.lnk" in the user's Startup folder,
// kept in line with the StartWindows setting.
#pragma once

class MessageTexts;
struct Settings;

// Creates (or overwrites) the shortcut when StartWindows is set, deletes it
// otherwise. A shortcut that already starts the installed program in its
// folder is left as it is (this runs at every start: no rewrite of the
// user's Startup folder each time, and what the user set on the shortcut,
// such as a key or a comment, stays). Shows messages 12 to 14 when the shell link cannot be made
// (14 also when the Startup folder cannot be found).
bool AddStartup(const Settings& settings, MessageTexts& texts);
