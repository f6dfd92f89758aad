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
// A page the printer refused: the head, the page number, the middle, the printer's name, the tail.
inline constexpr std::string_view kPrintJobFailedHead = "No se ha podido imprimir la p\xE1gina ";
inline constexpr std::string_view kPrintJobFailedMiddle = " en la impresora ";
inline constexpr std::string_view kPrintJobFailedTail = " ...\r\nLas p\xE1ginas siguientes no se imprimen.";
// The title of each page's print job in the printer's queue, before the page number.
inline constexpr std::string_view kPrintJobTitleHead = "Quirel Pagina ";

// Why a file could not be used (FileProblemText); an unknown error is the head, the system's
// error number and the tail.
inline constexpr std::string_view kFileMissingReason = "El fichero no existe.";
inline constexpr std::string_view kFolderMissingReason = "La carpeta no existe.";
inline constexpr std::string_view kIsFolderReason = "Es una carpeta, no un fichero.";
inline constexpr std::string_view kNotRegularFileReason = "No es un fichero normal (es una tuber\xED"
                                                          "a o un dispositivo).";
inline constexpr std::string_view kNoPermissionReason = "No tiene permiso para usar el fichero o su carpeta.";
inline constexpr std::string_view kReadOnlyReason = "El disco o la carpeta son de solo lectura.";
inline constexpr std::string_view kNoSpaceReason = "No queda espacio en el disco.";
inline constexpr std::string_view kNameTooLongReason = "El nombre del fichero es demasiado largo.";
inline constexpr std::string_view kFileTooLargeReason = "El fichero es demasiado grande.";
inline constexpr std::string_view kSystemErrorHead = "Error del sistema n\xFAmero ";
inline constexpr std::string_view kSystemErrorTail = ".";

// The settings file and the word memory: the head, the file's name, the reason and the tail, each
// on its own line.
inline constexpr std::string_view kSettingsUnreadableHead = "No se han podido leer los ajustes de\r\n";
inline constexpr std::string_view kSettingsUnreadableTail = "\r\nSe usan los valores por defecto.";
inline constexpr std::string_view kSettingsNotWrittenHead = "No se han podido grabar los ajustes en\r\n";
inline constexpr std::string_view kSettingsNotWrittenTail = "\r\nLos cambios valen hasta que se cierre el programa.";
inline constexpr std::string_view kWordMemoryNotWrittenHead = "No se ha podido grabar en la memoria de palabras\r\n";
inline constexpr std::string_view kWordMemoryNotWrittenTail
    = "\r\nLas palabras nuevas no se recordar\xE1n para completarlas.";

// The favourite-colours window and its file; a file error is the head, the number, a blank and
// the system's text.
inline constexpr std::string_view kColoursSavedMessage = "Mis Colores Favoritos han sido Archivados";
inline constexpr std::string_view kSaveBeforeExitQuestion = "Desea guardar los cambios antes de Salir ?";
inline constexpr std::string_view kResetQuestion
    = "Realmente desea RESETEAR ?\r\nSe perderan todos tus colores favoritos";
inline constexpr std::string_view kColoursFileErrorHead = "Err:  ";

} // namespace quirel
