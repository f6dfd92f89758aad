#pragma once

#include <string_view>

namespace quirel {

// The texts the file readers and writers give the user (Windows-1252), each defined once here.
// Where a text names a file, its head comes before the name and a tail after it.

// Document files (DocumentFileMessage). Saving refused before anything was written:
inline constexpr std::string_view kDocumentNotSavedHead = "No se ha grabado el documento.\r\n";
inline constexpr std::string_view kTextHoldsSignatureMessage
    = "El texto contiene la secuencia reservada \"fanavo.mee.4x4x\". Elim\xEDnela y vuelva a grabar.";
inline constexpr std::string_view kFaceNameHoldsMarkerMessage
    = "Un nombre de fuente contiene el car\xE1"
      "cter \"|\" o la secuencia reservada \"fanavo.mee.4x4x\".";
inline constexpr std::string_view kDataHoldsMarkerMessage = "Los datos de formato contienen el car\xE1"
                                                            "cter \"|\" o la secuencia reservada \"fanavo.mee.4x4x\".";
inline constexpr std::string_view kDocumentTooLargeMessage = "El documento es demasiado grande para grabarlo.";
// Writing failed; reading failed or refused.
inline constexpr std::string_view kDocumentNotWrittenHead = "No se ha podido grabar el documento en\r\n";
inline constexpr std::string_view kOldFileKeptTail = "\r\nEl fichero anterior, si exist\xED"
                                                     "a, se conserva sin cambios.";
inline constexpr std::string_view kDocumentUnreadableHead = "No se ha podido leer el documento\r\n";
inline constexpr std::string_view kDocumentFileTooLargeHead
    = "El fichero es demasiado grande para ser un documento:\r\n";
inline constexpr std::string_view kDocumentTooManyTokensHead
    = "El documento tiene m\xE1s de 300000 palabras, espacios y signos y no se puede abrir:\r\n";

// Text import (TextImportMessage).
inline constexpr std::string_view kTextUnreadableHead = "No se ha podido leer el fichero de texto\r\n";
inline constexpr std::string_view kTextFileTooLargeHead = "El fichero es demasiado grande para leerlo como texto:\r\n";
inline constexpr std::string_view kTextTooManyTokensHead
    = "El texto tiene m\xE1s de 300000 palabras, espacios y signos y no se puede leer:\r\n";

// Characters of an imported text that became "?": one, or the count and this tail.
inline constexpr std::string_view kOneCharacterReplacedMessage
    = "1 car\xE1"
      "cter no se puede escribir en este documento y se ha cambiado por ?";
inline constexpr std::string_view kCharactersReplacedTail
    = " caracteres no se pueden escribir en este documento y se han cambiado por ?";

// The tail a document read and a text import share.
inline constexpr std::string_view kDocumentUnchangedTail = "\r\nEl documento actual no se ha modificado.";

// Export of pages: a folder name the dialog refuses is the head, the name, the middle and a reason.
inline constexpr std::string_view kFolderRefusedHead = "No se puede exportar a la carpeta ";
inline constexpr std::string_view kFolderRefusedMiddle = " ...\r\n";
inline constexpr std::string_view kFolderAbsoluteReason
    = "La carpeta se crea dentro de la carpeta del programa: escriba su nombre, no una ruta completa.";
inline constexpr std::string_view kFolderLeavesReason
    = "La carpeta se crea dentro de la carpeta del programa: el nombre no puede contener \"..\".";
// After the part that takes the file's name, in quotes.
inline constexpr std::string_view kFolderIsProgramFileReason
    = "\" es el nombre de un fichero del programa, que no se puede ocupar con una carpeta.";

// Printing.
inline constexpr std::string_view kNoDefaultPrinterMessage = "No tienes una Impresora configurada por defecto ...";

// The favourite-colours window and its file; a file error is the head, the number, a blank and
// the system's text.
inline constexpr std::string_view kColoursSavedMessage = "Mis Colores Favoritos han sido Archivados";
inline constexpr std::string_view kSaveBeforeExitQuestion = "Desea guardar los cambios antes de Salir ?";
inline constexpr std::string_view kResetQuestion
    = "Realmente desea RESETEAR ?\r\nSe perderan todos tus colores favoritos";
inline constexpr std::string_view kColoursFileErrorHead = "Err:  ";

} // namespace quirel
