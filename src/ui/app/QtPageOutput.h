#pragma once

#include "editor/PageOutput.h"
#include "platform/PagePixels.h"
#include "platform/QtPrinter.h"

class QWidget;

namespace quirel {

class Editor;
class Prompts;

// The window side of "Exportar Bitmap" and "Imprimir": the page-range and set-up dialogs over
// owner, the page pictures painted from their slots, and printing through Qt.
class QtPageOutput final : public PageOutputPorts {
public:
    QtPageOutput(Editor& editor, Prompts& prompts, QWidget* owner);

    PageOutput& Commands() { return m_output; }

    PageRange AskPageRange(const PageRangeRequest& request) override;
    void AskPrintSetup(PrintSettings& settings, const std::string& printerName) override;
    PixelView PagePicture(const PageSlot& slot) override;

private:
    QWidget* m_owner;
    QtPrinter m_printer;
    PageOutput m_output;
    PagePixels m_pixels;
};

} // namespace quirel
