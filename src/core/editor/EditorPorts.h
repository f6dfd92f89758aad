#pragma once

#include "editor/Prompts.h"
#include "io/FilePort.h"
#include "io/Ports.h"
#include "io/Printing.h"
#include "layout/Canvas.h"
#include "layout/PageView.h"

namespace quirel {

// Everything the editor reaches outside itself, given once (Editor::Connect). The window gives its
// own; tests give fakes.
struct EditorPorts {
    Canvas& canvas; // the work surface the layout draws the last page on
    Prompts& prompts; // every message to the user and every question
    EventPump& pump; // lets the window's events run during long passes over the text
    PageView& view; // the shown page, the caption, the controls, the pictures of stored pages
    FilePort& files; // the file operations of documents, settings, the word memory and the recovery copy
    Printer& printer; // the default printer, for "Imprimir"
};

} // namespace quirel
