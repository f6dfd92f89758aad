#pragma once

#include "language/AccentMarks.h"
#include "language/DictionarySearch.h"
#include "language/WordLists.h"

namespace quirel {

// The language tools take the word lists through small views, so they can be used (and tested) with
// any list of words. These make the views of the program's own lists; the views refer to lists,
// which must outlive them.

// IsKnownWord of lists, for the accent pass.
KnownWordTest SpellingLookup(const WordLists& lists);

// What the accent pass's context step asks: IsKnownWord, diccionario, verbos, and npropios or Apellidos.
AccentLexicon AccentLexiconOf(const WordLists& lists);

// The five lists in file order and membership in verbos, for the word search.
SearchLists SearchListsOf(const WordLists& lists);

} // namespace quirel
