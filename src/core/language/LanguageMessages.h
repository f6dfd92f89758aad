#pragma once

#include <string_view>

namespace quirel {

// The texts the language tools give the user (Windows-1252), each defined once here. Where a text
// holds a count or a word, its head comes before it and a tail after it.

// A word-list file whose length is no multiple of a record; the file's name follows.
inline constexpr std::string_view kWordListFormatErrorHead = "Fichero con formato Erroneo ..\r\n";

// The counts of "Buscar" and of the accent pass: the head, the count, a tail.
inline constexpr std::string_view kFoundHead = "Encontradas ";
inline constexpr std::string_view kFoundWordsTail = " palabras ...";
inline constexpr std::string_view kAccentedWordsTail = " palabras a las que se le ha puesto t\xEDlde ortogr\xE1"
                                                       "fica ...";

// Repeated words: the count of words between head and tail, then the two lines of the report.
inline constexpr std::string_view kNoRepeatedWordsMessage = "No Repite palabras claramente ...";
inline constexpr std::string_view kRepeatedWordsHead = "Este trozo de texto tiene ";
inline constexpr std::string_view kRepeatedWordsTail = " palabra(s) m\xE1s repetidas\r\n";
inline constexpr std::string_view kMostRepeatedHead = "Lo que m\xE1s repite es: ";
inline constexpr std::string_view kNextRepeatedHead = "Otra(s) que repiten: ";

// Dictionary search: head, the number of words found, middle, the letters searched.
inline constexpr std::string_view kDictionarySearchDoneHead = "Termine de buscar ...\r\nEncontrados ";
inline constexpr std::string_view kDictionarySearchDoneMiddle = " palabras con ";

// Search and replace. "Buscar" with an empty box or a text holding a blank; "Reemplazar" unless
// both boxes hold one word each; a replacement whose result would be larger than any document
// the program reads or writes.
inline constexpr std::string_view kSearchWordRefusedMessage = "Tiene que escribir una \xFAnica palabra para buscar ...";
inline constexpr std::string_view kReplaceWordsRefusedMessage
    = "Tiene que escribir una \xFAnica palabra en ambos controles para buscar y reemplazar ...";
inline constexpr std::string_view kReplaceTooLargeMessage
    = "El documento quedar\xED"
      "a demasiado grande con ese reemplazo.\r\nNo se ha reemplazado nada.";

// Re-edit. Shown instead of the dialog when the document has no token; "Cambiar trozo" without a
// page, a piece or a one-word replacement; "Poner Resalte" without a page or a piece.
inline constexpr std::string_view kReEditEmptyDocumentMessage = "No tienes texto Editado ...";
inline constexpr std::string_view kReEditChangeRefusedMessage
    = "Tienes que elegir p\xE1gina y posici\xF3n de palabra ...\r\nNo m\xE1s de una palabra por posici\xF3n ...";
inline constexpr std::string_view kReEditHighlightRefusedMessage
    = "Tienes que elegir p\xE1gina y posici\xF3n de palabra ...";

// Re-edit's piece list: the names of the marks that open and close a subscript, a superscript and
// an emoticon.
inline constexpr std::string_view kSubscriptOnLabel = "INICIO SUB\xCDNDICE";
inline constexpr std::string_view kSubscriptOffLabel = "FIN SUB\xCDNDICE";
inline constexpr std::string_view kSuperscriptOnLabel = "INICIO SUPER\xCDNDICE";
inline constexpr std::string_view kSuperscriptOffLabel = "FIN SUPER\xCDNDICE";
inline constexpr std::string_view kEmoticonStartLabel = "INICIO EMOTICONO";
inline constexpr std::string_view kEmoticonEndLabel = "FIN EMOTICONO";

} // namespace quirel
