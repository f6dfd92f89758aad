#include "io/Printing.h"

#include "io/IoMessages.h"
#include "io/Ports.h"

namespace quirel {
namespace {
int Digit(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

// The number the leading characters of text form (at most count of them); 0 when they are not digits.
int LeadingNumber(std::string_view text, std::size_t count)
{
    if (text.size() < count) count = text.size();
    int value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int digit = Digit(text[i]);
        if (digit < 0) return i == 0 ? 0 : value;
        value = value * 10 + digit;
    }
    return value;
}
} // namespace

PrintSetupSelection SelectionForSettings(const PrintSettings& settings)
{
    PrintSetupSelection selection;
    if (settings.copies >= 1 && settings.copies <= 5)
        selection.copies = settings.copies - 1;
    else if (settings.copies == 10)
        selection.copies = 5;
    if (settings.colourMode >= 1 && settings.colourMode <= 2) selection.colourMode = settings.colourMode - 1;
    if (settings.quality >= 1 && settings.quality <= 4) selection.quality = settings.quality - 1;
    return selection;
}

PrintSettings SettingsFromItems(std::string_view copiesText, std::string_view colourText, std::string_view qualityText)
{
    return { LeadingNumber(copiesText, 2), LeadingNumber(colourText, 1), LeadingNumber(qualityText, 1) };
}

void PrintRun::Report(const std::string& text)
{
    if (m_prompts) m_prompts->ShowMessage(text, Messages::Urgency::Normal);
}

void PrintRun::PrintPage(int pageNumber, const std::function<PixelView()>& picture)
{
    if (m_failures != 0) {
        ++m_failures;
        return;
    }
    const PrinterAttach printer = m_printer.AttachDefault();
    if (printer.name.empty()) {
        ++m_failures;
        Report(std::string(kNoDefaultPrinterMessage));
        return;
    }
    const std::string title = std::string(kPrintJobTitleHead) + std::to_string(pageNumber);
    if (!m_printer.PrintJob(printer.name, picture(), m_settings, title)) {
        ++m_failures;
        Report(PrintJobFailedMessage(pageNumber, printer.name));
    }
}

std::string PrintJobFailedMessage(int pageNumber, std::string_view printerName)
{
    return std::string(kPrintJobFailedHead) + std::to_string(pageNumber) + std::string(kPrintJobFailedMiddle)
        + std::string(printerName) + std::string(kPrintJobFailedTail);
}

} // namespace quirel
