#include "editor/CommandTable.h"

#include <algorithm>
#include <array>

namespace quirel {
namespace {

using Guard = CommandRules::Guard;
using Hold = CommandRules::Hold;
using Lists = CommandRules::WordLists;
using Pass = CommandRules::TextPass;
using namespace command;

constexpr std::array kCommands {
    CommandRules { About, Guard::Yes, Hold::No, Lists::Any, Pass::RunsWithin },
    CommandRules { Quit, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin },
    CommandRules { ImportText, Guard::Yes, Hold::No, Lists::Any, Pass::WaitsForEnd },
    CommandRules { SpellingSensor, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd },
    CommandRules { Bold, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin },
    CommandRules { Italic, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin },
    CommandRules { Underline, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin },
    CommandRules { StrikeOut, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin },
    CommandRules { FavouriteColours, Guard::Yes, Hold::No, Lists::Any, Pass::RunsWithin },
    CommandRules { TextColour, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin },
    CommandRules { BackgroundColour, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin },
    CommandRules { CursorColour, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd },
    CommandRules { New, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd },
    CommandRules { Print, Guard::Yes, Hold::Yes, Lists::Any, Pass::WaitsForEnd },
    CommandRules { DocumentColours, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin },
    CommandRules { Find, Guard::Yes, Hold::Yes, Lists::Any, Pass::WaitsForEnd },
    CommandRules { Recover, Guard::Yes, Hold::No, Lists::Any, Pass::WaitsForEnd },
    CommandRules { Replace, Guard::Yes, Hold::Yes, Lists::Any, Pass::WaitsForEnd },
    CommandRules { ExportBitmap, Guard::Yes, Hold::Yes, Lists::Any, Pass::WaitsForEnd },
    CommandRules { Superscript, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd },
    CommandRules { Subscript, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd },
    CommandRules { ReEdit, Guard::Yes, Hold::No, Lists::Any, Pass::WaitsForEnd },
    CommandRules { SelectFont, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin },
    CommandRules { InsertEmoticon, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd },
    CommandRules { WordSearch, Guard::Yes, Hold::Yes, Lists::Complete, Pass::RunsWithin },
    CommandRules { OpenDocument, Guard::Yes, Hold::Yes, Lists::Any, Pass::WaitsForEnd },
    CommandRules { SaveDocument, Guard::Yes, Hold::Yes, Lists::Any, Pass::WaitsForEnd },
    CommandRules { Accents, Guard::No, Hold::No, Lists::Complete, Pass::WaitsForEnd },
    CommandRules { ShadowColour, Guard::No, Hold::No, Lists::Any, Pass::RunsWithin },
    CommandRules { RepeatedWords, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd },
    CommandRules { Undo, Guard::No, Hold::No, Lists::Any, Pass::WaitsForEnd },
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
