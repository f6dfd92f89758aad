#pragma once

#include <span>
#include <string>
#include <utility>

namespace quirel {

// The ids of the menu commands and of the lists above the page (the menus carry them as data), and
// of the other inputs: keys, the buttons and lists around the page, timers and start-up work.
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
    Redo = 1039,

    // Inputs that are no menu command; the value an input carries is said beside it.
    TypeByte
    = 2001, // a typed byte of Windows-1252 (value): 8 removes the byte before the insertion point, 9 to 255 go in there
    Completion = 2002, // Right arrow: at the end of the text the completion of the last word is appended, when there is
                       // one; inside it the insertion point moves forward
    TabButton = 2003, // the TAB button: tab-width blanks are appended
    PageDown = 2004,
    PageUp = 2005,
    PageEnd = 2006,
    PageHome = 2007,
    Wheel = 2008, // the mouse wheel (value: its delta; positive scrolls towards the top)
    MarginCell = 2009, // a click on the ruler's margin row (value: cell 1 to 22)
    TabCell = 2010, // a click on the ruler's tab row (value: cell 1 to 40)
    ChooseFace = 2011, // a face chosen in the font list (text)
    ConfirmFace = 2012, // a face confirmed in the font list (text)
    ChooseSize = 2013, // a size chosen in the size list (value: points)
    ChooseEmoticon = 2014, // an emoticon chosen in its list (value: 1 to kEmoticonCount)
    LoadWordLists = 2015, // the word lists and the accent model of the program's folder are read
    WordListsComing = 2018, // a load of the word lists will follow: what reads them waits for it
    Rebuild = 2016, // every page forgotten and the document laid out again
    BlinkTick = 2017, // the cursor blink timer
    CharLeft = 2019, // Left arrow: the insertion point moves back
    PreviousWord = 2020, // Ctrl+Left: to the start of the word before
    NextWord = 2021, // Ctrl+Right: to the start of the next word
    LineUp = 2022, // Up arrow: to the line above
    LineDown = 2023, // Down arrow: to the line below
    StartOfText = 2024, // Ctrl+Home: to the start of the text
    EndOfText = 2025, // Ctrl+End: to the end of the text
    DeleteByte = 2026, // Delete: the byte after the insertion point is removed
    PlaceAt = 2027, // a click on the page (value: PagePoint(x, y) in page pixels)
};

// The value of a point of the shown page, in page pixels (0 ≤ x < 4096, y ≥ 0), and back.
inline constexpr int kPointStride = 4096;
inline constexpr int PagePoint(int x, int y)
{
    return y * kPointStride + x;
}
inline constexpr int PointX(int value)
{
    return value % kPointStride;
}
inline constexpr int PointY(int value)
{
    return value / kPointStride;
}
} // namespace command

// One input for Editor::Run: its id and what it carries (see the ids).
struct Input {
    Input(command::Id inputId, int inputValue = 0, std::string inputText = {}) // NOLINT(google-explicit-constructor)
        : id(inputId)
        , value(inputValue)
        , text(std::move(inputText))
    {
    }
    command::Id id;
    int value = 0;
    std::string text; // Windows-1252
};

// How an input is let in. A guarded command opens a modal window or runs long: one that arrives
// while another guarded command runs is ignored. A holding command keeps the cursor still while it
// runs. A command that reads the word lists waits for a load on its way, and the load announces
// itself as it arrives; a command that changes the text or the pages waits for a running text pass
// (a layout or a pass that lets events through). After a command the menus, lists and ruler follow
// the editor; after typing and the page keys nothing there can have changed.
struct CommandRules {
    enum class Guard { No, Yes };
    enum class Hold { No, Yes };
    enum class WordLists { Any, Complete, Loads };
    enum class TextPass { RunsWithin, WaitsForEnd };
    enum class Controls { Follow, Unchanged };

    command::Id id;
    Guard guard;
    Hold hold;
    WordLists wordLists;
    TextPass textPass;
    Controls controls;
};

// Every input with its rules, in id order. The ids of the lists themselves (font, size and emoticon
// lists) are no input and are not in it.
std::span<const CommandRules> CommandTable();

// The rules of an input; nullptr for an id that is no input.
const CommandRules* FindCommandRules(int id);

} // namespace quirel
