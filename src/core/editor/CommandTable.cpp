#include "editor/CommandTable.h"

#include <algorithm>
#include <array>

namespace quirel {
namespace {

using Guard = CommandRules::Guard;
using Hold = CommandRules::Hold;
using Lists = CommandRules::WordLists;
using Pass = CommandRules::TextPass;
constexpr auto kFollow = CommandRules::Controls::Follow;
constexpr auto kSame = CommandRules::Controls::Unchanged;
using namespace command;

constexpr std::array kCommands {
    CommandRules { About, Guard::Yes, Hold::No, Lists::Any, Pass::RunsWithin, kFollow },
    CommandRules { Quit, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kFollow },
    CommandRules { ImportText, Guard::Yes, Hold::No, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { SpellingSensor, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { Bold, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kFollow },
    CommandRules { Italic, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kFollow },
    CommandRules { Underline, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kFollow },
    CommandRules { StrikeOut, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kFollow },
    CommandRules { FavouriteColours, Guard::Yes, Hold::No, Lists::Any, Pass::RunsWithin, kFollow },
    CommandRules { TextColour, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kFollow },
    CommandRules { BackgroundColour, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kFollow },
    CommandRules { CursorColour, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { New, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { Print, Guard::Yes, Hold::Yes, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { DocumentColours, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kFollow },
    CommandRules { Find, Guard::Yes, Hold::Yes, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { Recover, Guard::Yes, Hold::No, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { Replace, Guard::Yes, Hold::Yes, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { ExportBitmap, Guard::Yes, Hold::Yes, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { Superscript, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { Subscript, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { ReEdit, Guard::Yes, Hold::No, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { SelectFont, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kFollow },
    CommandRules { InsertEmoticon, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { WordSearch, Guard::Yes, Hold::Yes, Lists::Complete, Pass::RunsWithin, kFollow },
    CommandRules { OpenDocument, Guard::Yes, Hold::Yes, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { SaveDocument, Guard::Yes, Hold::Yes, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { Accents, Guard::No, Hold::No, Lists::Complete, Pass::WaitsForEnd, kFollow },
    CommandRules { ShadowColour, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kFollow },
    CommandRules { RepeatedWords, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { Undo, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { Redo, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { TypeByte, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kSame },
    CommandRules { Completion, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kSame },
    CommandRules { TabButton, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kSame },
    CommandRules { PageDown, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kSame },
    CommandRules { PageUp, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kSame },
    CommandRules { PageEnd, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kSame },
    CommandRules { PageHome, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kSame },
    CommandRules { Wheel, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kSame },
    CommandRules { MarginCell, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kFollow },
    CommandRules { TabCell, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kSame },
    CommandRules { ChooseFace, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kFollow },
    CommandRules { ConfirmFace, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kSame },
    CommandRules { ChooseSize, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kSame },
    CommandRules { ChooseEmoticon, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kFollow },
    CommandRules { LoadWordLists, Guard::No, Hold::No, Lists::Loads, Pass::WaitsForEnd, kFollow },
    CommandRules { Rebuild, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kSame },
    CommandRules { BlinkTick, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin, kSame },
    CommandRules { WordListsComing, Guard::No, Hold::No, Lists::Loads, Pass::RunsWithin, kSame },
    CommandRules { CharLeft, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kSame },
    CommandRules { PreviousWord, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kSame },
    CommandRules { NextWord, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kSame },
    CommandRules { LineUp, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kSame },
    CommandRules { LineDown, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kSame },
    CommandRules { StartOfText, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kSame },
    CommandRules { EndOfText, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kSame },
    CommandRules { DeleteByte, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kSame },
    CommandRules { PlaceAt, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd, kSame },
};

static_assert(std::is_sorted(
    kCommands.begin(), kCommands.end(), [](const CommandRules& a, const CommandRules& b) { return a.id < b.id; }));

} // namespace

std::span<const CommandRules> CommandTable()
{
    return kCommands;
}

const CommandRules* FindCommandRules(int id)
{
    const auto found = std::lower_bound(
        kCommands.begin(), kCommands.end(), id, [](const CommandRules& rules, int key) { return rules.id < key; });
    return found != kCommands.end() && found->id == id ? &*found : nullptr;
}

} // namespace quirel
