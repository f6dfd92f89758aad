#pragma once

#include <span>

namespace quirel {

// The ids of the menu commands and of the lists above the page; the menus carry them as data.
namespace command {
enum Id : int {
    About = 1002,
    Quit = 1003,
    ImportText = 1004,
    SpellingSensor = 1005,
    FontList = 1006,
    SizeList = 1007,
    Bold = 1008,
    Italic = 1009,
    Underline = 1010,
    StrikeOut = 1011,
    FavouriteColours = 1012,
    TextColour = 1013,
    BackgroundColour = 1014,
    CursorColour = 1015,
    New = 1018,
    Print = 1019,
    DocumentColours = 1020,
    Find = 1021,
    Recover = 1022,
    Replace = 1024,
    ExportBitmap = 1025,
    Superscript = 1026,
    Subscript = 1027,
    ReEdit = 1028,
    SelectFont = 1029,
    InsertEmoticon = 1030,
    EmoticonList = 1031,
    WordSearch = 1032,
    OpenDocument = 1033,
    SaveDocument = 1034,
    Accents = 1035,
    ShadowColour = 1036,
    RepeatedWords = 1037,
    Undo = 1038,
};
} // namespace command

// How a command is let in. A guarded command opens a modal window or runs long: one that arrives
// while another guarded command runs is ignored. A holding command keeps the cursor still while it
// runs. A command that reads the word lists waits for a load on its way; a command that changes the
// text or the pages waits for a running text pass (a layout or a pass that lets events through).
struct CommandRules {
    enum class Guard { No, Yes };
    enum class Hold { No, Yes };
    enum class WordLists { Any, Complete };
    enum class TextPass { RunsWithin, WaitsForEnd };

    command::Id id;
    Guard guard;
    Hold hold;
    WordLists wordLists;
    TextPass textPass;
};

// Every menu command with its rules, in menu-id order. The list notifications (font, size and
// emoticon lists) are not menu commands and are not in it.
std::span<const CommandRules> CommandTable();

// The rules of a menu command; nullptr for an id that is no menu command.
const CommandRules* FindCommandRules(int id);

} // namespace quirel
