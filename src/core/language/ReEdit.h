#pragma once

#include "document/Document.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quirel {

// One item of the special-character list: its text, what it shows in the replacement box, and the
// byte a "Cambiar trozo" stores in the token while the box shows it.
struct SpecialChar {
    std::string_view item;
    std::string_view shown;
    char stored;
};

// The special-character list in order: item k - 1 is special choice k.
inline constexpr std::array<SpecialChar, 4> kSpecialChars = { {
    { "01 - $SPC", "$SPC", ' ' },
    { "02 - $LF", "$LF", '\n' },
    { "03 - $CR", "$CR", '\r' },
    { "04 - $ELIMINADA", "$ELIMINADA", static_cast<char>(kMarkerRemoved) },
} };

// The state of the re-edit dialog. A default-constructed state is the state at opening: no page,
// no piece, no replacement, no special choice.
struct ReEditState {
    int chosenPage = 0; // 0 while none is chosen
    int chosenToken = 0; // 0 while none is chosen
    std::string replacement; // what the last successful "Cambiar trozo" stored
    int specialChoice = 0; // 0 or 1 to 4, set by a choice in the special-character list
};

// The label of a token in the piece list from the first byte of its field and its trimmed text:
// "LF", "$CR", "$SPC", "$ELIMINADA", "INICIO SUBÍNDICE", "FIN SUBÍNDICE", "INICIO SUPERÍNDICE",
// "FIN SUPERÍNDICE", "INICIO EMOTICONO", "FIN EMOTICONO" for bytes 10, 13, 32 and 1 to 7; the text otherwise.
std::string TokenLabel(unsigned char firstByte, std::string_view text);

// "#pagina " + the page number with at least two digits ("#pagina 01", "#pagina 123").
std::string PageItem(int page);
// The page items of pages 1 to pageCount, in page order.
std::vector<std::string> PageItems(int pageCount);
// The token number with six digits, a blank and the label ("000123 hola").
std::string PieceItem(int token, std::string_view label);

// The piece items of one page, in token order: from the page's first token (1 when the page was never
// reached) to the token before the next page's first token, or to the last token for the last page.
// Never past the last token of the document; empty for a page outside the page table.
std::vector<std::string> FillPieceList(const Document& doc, int page);

// A page item was chosen: the chosen page becomes its number (0 when the item is not a page item).
void ChoosePage(ReEditState& state, std::string_view pageItem);
// A piece item was chosen: the chosen token becomes its number and the label (from the eighth
// character on) is returned for display. Ignored (nullopt, nothing changes) while no page is chosen.
std::optional<std::string> ChoosePiece(ReEditState& state, std::string_view pieceItem);
// A special-character item was chosen: the special choice becomes its number; returns the text the
// replacement box shows from now on (the item from its sixth character on).
std::string ChooseSpecial(ReEditState& state, std::string_view specialItem);

enum class ReEditOutcome {
    Done,
    Refused, // a page, a piece or a valid replacement is missing: show the matching message; nothing changed
};

// "Cambiar trozo" with the text of the replacement box (Windows-1252). Needs a chosen page, a chosen
// token of the document and a text that is not empty and holds no blank. The token's field receives the
// text (cut to 256 bytes) or, while the box still shows the text of the last special choice, that
// special character. The caller then refreshes the piece list with FillPieceList.
ReEditOutcome ChangePiece(Document& doc, ReEditState& state, std::string_view boxText);

// "Poner Resalte": the chosen token's format record becomes the record of the current format.
// Needs a chosen page and token.
ReEditOutcome HighlightPiece(Document& doc, const ReEditState& state);

// A new document text made from the tokens: each token's text (a replaced field as replaced), a
// blank for a blank token. A word longer than a token field that was not replaced keeps its whole text.
std::string RebuildText(const Document& doc);

// "Aceptar cámbios": the text becomes RebuildText, cut into tokens again. Refused (nothing changes)
// when the new text would hold more than 300000 tokens.
EditStatus AcceptChanges(Document& doc);

// "Salir": the replacements not accepted are dropped; the text and the format records stay as they are.
void DiscardChanges(Document& doc);

} // namespace quirel
