#pragma once

#include "io/Printing.h"

#include <QString>
#include <utility>

class QPrinter;

namespace quirel {

// Printing through Qt's print support (CUPS on this system): the default printer is the one the
// print system names, and every page is one job drawn on the whole sheet.
class QtPrinter final : public Printer {
public:
    PrinterAttach AttachDefault() override;
    bool PrintJob(std::string_view printerName, const PixelView& page, const PrintSettings& settings,
        std::string_view title) override;
};

// Gives a printer the settings it supports: copies (1 to 10; 0 keeps the printer's own), grey or
// colour (1 or 2; 0 keeps the printer's own), and quality 1 to 4 as the print system's draft,
// draft, normal and high print quality (0 keeps the printer's own).
void ApplyPrintSettings(QPrinter& printer, const PrintSettings& settings);

// The print system's job option name and value for a quality of 1 to 4 (empty value for others).
std::pair<QString, QString> PrintQualityOption(int quality);

} // namespace quirel
