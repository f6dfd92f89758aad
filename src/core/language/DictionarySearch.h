#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quirel {

// The list choice of the word search: None until the user picks one, then the number of the chosen item.
enum class SearchChoice : int {
    None = 0,
    All = 1,
    Verbos = 2,
    Diccionario = 3,
    NPropios = 4,
    Apellidos = 5,
    Dictionary = 6
};

// The items of the choice box in order: item k - 1 is choice k.
inline constexpr std::array<std::string_view, 6> kSearchChoiceItems = {
    "01 - Todas las palabras",
    "02 - Verbos solo",
    "03 - Diccionario solo",
    "04 - Nombres Propios solo",
    "05 - Apellidos solo",
    "06 - Dictionary only",
};

// What the search dialog shows and keeps: the remembered choice (kept for the whole run, from one
// opening to the next) and the text of the search box (Windows-1252, as typed, not trimmed).
struct DictionarySearchValues {
    SearchChoice choice = SearchChoice::None;
    std::string searchText;
};

// One word list as the search walks it: entries 1..size in file order. The views that entry returns
// must stay valid while a search runs.
struct WordListSource {
    std::size_t size = 0;
    std::function<std::string_view(std::size_t)> entry;
};

// The five lists the search walks, and exact membership in the verbos list.
struct SearchLists {
    WordListSource diccionario;
    WordListSource verbos;
    WordListSource npropios;
    WordListSource apellidos;
    WordListSource dictionary;
    std::function<bool(std::string_view)> isVerb;
};

enum class SearchKind { Ignored, Beginning, Ending };

// A search text read as a search: its kind and its key.
struct SearchRequest {
    SearchKind kind = SearchKind::Ignored;
    std::string key; // the text as typed; for an ending search without its leading "-"
};

// The 33 letters a search text may hold: qwertyuiopasdfghjklñzxcvbnmáéíóúü (compared after lower-casing,
// so capitals pass too). A text made only of letters is a beginning search with the text as key; "-"
// followed only by letters (or nothing) is an ending search; anything else, the empty text included, is
// Ignored: the dialog then does nothing and shows no message.
SearchRequest ParseSearchText(std::string_view text);

// What one search gives: the result items in walk order (the dialog shows them sorted) and the message.
struct SearchResult {
    std::vector<std::string> items;
    std::string message;
};

// Searches the chosen lists (all five for All, none for None), in the order diccionario, verbos,
// npropios, Apellidos, dictionary, every entry once in file order. An entry matches when the first
// (beginning search) or last (ending search) key-length characters of the trimmed entry (the whole
// entry when shorter), lower-cased, equal the key: the key as typed for diccionario and verbos, the key
// lower-cased for the other three. A diccionario entry that stands in verbos is left out, and a verbos
// entry already added by this search is not added again. Diccionario and verbos entries are added as
// stored; the other three lists' entries with each word capitalised. The message is "Termine de buscar
// ..." CR LF "Encontrados <n> palabras con " + the text as typed for an ending search, or the text
// + "-" for a beginning search. nullopt when ParseSearchText ignores the text.
std::optional<SearchResult> SearchWordLists(const SearchLists& lists, SearchChoice choice, std::string_view text);

// text in lower case with the first letter of each blank-separated word in capitals ("de la vega" →
// "De La Vega"), with the Windows-1252 case mapping.
std::string CapitalizeWords(std::string_view text);

} // namespace quirel
