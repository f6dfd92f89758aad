#pragma once

#include "io/Printing.h"

namespace quirel {

// A system without a default printer.
class NoPrinter : public Printer {
public:
    PrinterAttach AttachDefault() override { return {}; }
    bool PrintJob(std::string_view, const PixelView&, const PrintSettings&, std::string_view) override { return false; }
};

} // namespace quirel
