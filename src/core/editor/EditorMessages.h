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

// "Grabar Documento" onto a file that exists.
inline constexpr std::string_view kOverwriteQuestion = "Documento existe !!\r\nQuiere sobreescribir?";

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

} // namespace quirel
