#include "language/WordListViews.h"

namespace quirel {
namespace {

WordListSource SourceOf(const WordList& list)
{
    return { list.Size(), [&list](std::size_t index) { return list.Entry(index); } };
}

} // namespace

KnownWordTest SpellingLookup(const WordLists& lists)
{
    return [&lists](std::string_view word) { return lists.IsKnownWord(word); };
}

SearchLists SearchListsOf(const WordLists& lists)
{
    const WordList& verbos = lists.List(WordListId::Verbos);
    return {
        SourceOf(lists.List(WordListId::Diccionario)),
        SourceOf(verbos),
        SourceOf(lists.List(WordListId::NPropios)),
        SourceOf(lists.List(WordListId::Apellidos)),
        SourceOf(lists.List(WordListId::Dictionary)),
        [&verbos](std::string_view word) { return verbos.Contains(word); },
    };
}

} // namespace quirel
