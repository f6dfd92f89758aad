#pragma once

#include "io/Ports.h"
#include "io/Printing.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quirel {

// A printer that records its jobs; without a name it behaves as a system without a default printer.
class FakePrinter : public Printer {
public:
    PrinterAttach AttachDefault() override
    {
        ++attaches;
        return { name };
    }
    bool PrintJob(std::string_view printerName, const PixelView& page, const PrintSettings& settings,
        std::string_view title) override
    {
        jobs.push_back({ std::string(printerName), page.pixels ? page.pixels[0] : 0, settings, std::string(title) });
        return static_cast<int>(jobs.size()) != failingJob;
    }
    struct Job {
        std::string printer;
        std::uint32_t firstPixel;
        PrintSettings settings;
        std::string title;
    };
    std::string name = "Oficina";
    int failingJob = 0; // the job (counting from 1) that fails; 0 for none
    int attaches = 0;
    std::vector<Job> jobs;
};

} // namespace quirel
