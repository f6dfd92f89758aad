#pragma once

#include "io/BitmapFile.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace quirel {

class Messages;

// The print choices, kept for the whole run of the program and changed only by the set-up
// dialog. 0 means nothing chosen yet.
struct PrintSettings {
    int copies = 0; // 1 to 5 or 10
    int colourMode = 0; // 1 monochrome, 2 colour
    int quality = 0; // 1 draft, 2 low, 3 medium, 4 high resolution
};

// The items of the set-up dialog's three lists, in order (Windows-1252).
inline constexpr std::array<std::string_view, 6> kCopiesItems { "01 copia", "02 copias", "03 copias", "04 copias",
    "05 copias", "10 copias" };
inline constexpr std::array<std::string_view, 2> kColourModeItems { "1 - Monocromo", "2 - Color" };
inline constexpr std::array<std::string_view, 4> kQualityItems { "1 - Borrador", "2 - Baja Resoluci\xF3n",
    "3 - Media Resoluci\xF3n", "4 - Alta Resoluci\xF3n" };

// The list items that show settings on opening: indexes into the item arrays above, −1 for a
// setting that selects nothing (0, or a value without an item).
struct PrintSetupSelection {
    int copies = -1;
    int colourMode = -1;
    int quality = -1;
};
PrintSetupSelection SelectionForSettings(const PrintSettings& settings);

// The settings "Seguir" takes from the texts of the selected items ("" for a list without a
// selection): copies from the first two characters, colour mode and quality from the first one;
// a text that does not start with digits gives 0.
PrintSettings SettingsFromItems(std::string_view copiesText, std::string_view colourText, std::string_view qualityText);

// The system's default printer as the printing layer found it.
struct PrinterAttach {
    std::string name; // empty when there is no default printer
};

// The printing layer: the default printer and one print job per page.
class Printer {
public:
    virtual ~Printer() = default;
    // Looks the default printer up.
    virtual PrinterAttach AttachDefault() = 0;
    // Prints page (794 × 1122 pixels) as one job titled title on the printer named printerName,
    // stretched over the whole page, with settings as far as the printer supports them (a setting
    // of 0 leaves the printer's own choice; quality q asks for draft, low, medium or high). False
    // when the job could not be made.
    virtual bool PrintJob(
        std::string_view printerName, const PixelView& page, const PrintSettings& settings, std::string_view title)
        = 0;
};

// One print command's pages: each page is its own job on the default printer. When there is no
// default printer the first page reports "No tienes una Impresora configurada por defecto ...";
// when a job fails after the printer was found, that page is reported with the printer's name.
// Nothing is printed and nothing more is reported after the first failure.
class PrintRun {
public:
    PrintRun(Printer& printer, Messages* prompts, const PrintSettings& settings)
        : m_printer(printer)
        , m_prompts(prompts)
        , m_settings(settings)
    {
    }

    // Prints page pageNumber; picture gives its pixels (asked only when the page is printed).
    void PrintPage(int pageNumber, const std::function<PixelView()>& picture);
    int Failures() const { return m_failures; }

private:
    void Report(const std::string& text);

    Printer& m_printer;
    Messages* m_prompts;
    PrintSettings m_settings;
    int m_failures = 0;
};

// The message when the job of page pageNumber failed on the printer printerName (Windows-1252).
std::string PrintJobFailedMessage(int pageNumber, std::string_view printerName);

} // namespace quirel
