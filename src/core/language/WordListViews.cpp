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

AccentLexicon AccentLexiconOf(const WordLists& lists)
{
    const WordList& diccionario = lists.List(WordListId::Diccionario);
    const WordList& verbos = lists.List(WordListId::Verbos);
    const WordList& npropios = lists.List(WordListId::NPropios);
    const WordList& apellidos = lists.List(WordListId::Apellidos);
    return {
        SpellingLookup(lists),
        [&diccionario](std::string_view word) { return diccionario.Contains(word); },
        [&verbos](std::string_view word) { return verbos.Contains(word); },
        [&npropios, &apellidos](std::string_view word) { return npropios.Contains(word) || apellidos.Contains(word); },
    };
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
