#pragma once

#include <string_view>

namespace quirel {

// The texts the editor's commands give the user (Windows-1252), each defined once here. Where a
// text holds a number or a name, its head comes before it and a tail after it.

// An edit, a document read or a re-edit that would pass the document's 300000 tokens.
inline constexpr std::string_view kTokenLimitMessage = "El documento no admite m\xE1s de 300000 trozos ...";
// The layout needed a page after the last of the 150.
inline constexpr std::string_view kPageLimitMessage = "El programa excede de p\xE1gin"
                                                      "as ...\r\nM\xE1ximo 150 p\xE1gin"
                                                      "as ...";

// Asked (Sí / No / Cancelar) before "Nuevo", "Leer Documento", "Leer texto" or "Salir" gives up a
// document with unsaved changes.
inline constexpr std::string_view kUnsavedChangesQuestion
    = "El documento tiene cambios sin grabar. \xBFQuiere grabarlos?";

// Asked (Sí / No) at start when the program ended last time with a recovery copy left behind.
inline constexpr std::string_view kRecoveryQuestion = "Quirel se cerr\xF3 sin grabar el documento. \xBFRecuperarlo?";

// "Grabar Documento" onto a file that exists.
inline constexpr std::string_view kOverwriteQuestion = "Documento existe !!\r\nQuiere sobreescribir?";

// The kinds of file the file dialogs offer for documents and for text to import.
inline constexpr const char* kDocumentFileKind = "Documento";
inline constexpr const char* kTextFileKind = "Texto";

// A click on the tab row: head, the new tab width, tail.
inline constexpr std::string_view kTabChangedHead = "La Tabulaci\xF3n ha sido cambiada a ";
inline constexpr std::string_view kTabChangedTail = " pasos";

// Export of pages to bitmap files: the three ends of an export, and its two failures (the folder's
// and the file's names between the parts, the reason on the next line).
inline constexpr std::string_view kPageExported = "Imagen exportada ...";
inline constexpr std::string_view kPagesExported = "Imagenes exportadas ...";
inline constexpr std::string_view kDocumentExported = "Documento exportado ...";
inline constexpr std::string_view kFolderNotMadeHead = "No se puede crear la carpeta ";
inline constexpr std::string_view kFileNotWrittenHead = "No se puede grabar el archivo ";
inline constexpr std::string_view kFileNotWrittenMiddle = " en la carpeta ";
inline constexpr std::string_view kExportFailedTail = " ...";
// After a failure, on a line of its own, the reason: the system's (as saves give it), or this one.
inline constexpr std::string_view kFileInTheWayReason = "Ya hay un fichero con ese nombre donde ir\xED"
                                                        "a la carpeta.";

// The recovery copy: written in the folder named between head and tail, or not; a copy left by the
// last run that could not be read, set aside under the name that follows the head (or left where it
// is); and, with several copies left, which one a question is about (number, count, date, time).
inline constexpr std::string_view kRecoveryNotWrittenHead
    = "No se puede grabar la copia de recuperaci\xF3n en la carpeta\r\n";
inline constexpr std::string_view kRecoveryNotWrittenTail
    = "\r\nSi el programa se cierra de golpe, se perder\xE1 lo escrito desde la \xFAltima vez que grab\xF3 el "
      "documento. Gr\xE1"
      "belo a menudo.";
inline constexpr std::string_view kRecoverySetAsideHead
    = "\r\nLa copia de recuperaci\xF3n se ha guardado aparte como\r\n";
inline constexpr std::string_view kRecoveryLeftTail
    = "\r\nLa copia de recuperaci\xF3n se queda donde est\xE1 y se ofrecer\xE1 de nuevo.";
inline constexpr std::string_view kRecoveryWhichHead = "\r\nCopia ";
inline constexpr std::string_view kRecoveryWhichOf = " de ";
inline constexpr std::string_view kRecoveryWhichDate = ", del ";
inline constexpr std::string_view kRecoveryWhichTime = " a las ";

} // namespace quirel
