#pragma once

#include "io/ProgramFolder.h"

#include <chrono>
#include <string_view>

namespace quirel {

// Asked (Sí / No / Cancelar) before "Nuevo", "Leer Documento", "Leer texto" or "Salir" gives up a
// document with unsaved changes.
inline constexpr std::string_view kUnsavedChangesQuestion
    = "El documento tiene cambios sin grabar. \xBFQuiere grabarlos?";

// Asked (Sí / No) at start when the program ended last time with a recovery copy left behind.
inline constexpr std::string_view kRecoveryQuestion = "Quirel se cerr\xF3 sin grabar el documento. \xBFRecuperarlo?";

// How long the document must stay unchanged (typing paused) before its recovery copy is written,
// and how often the window looks after the copy: a change is in the copy at most
// kRecoveryCheck + kRecoveryPause + kRecoveryCheck (1.5 s) after typing pauses, plus the write.
inline constexpr std::chrono::milliseconds kRecoveryPause { 1000 };
inline constexpr std::chrono::milliseconds kRecoveryCheck { 250 };

} // namespace quirel
