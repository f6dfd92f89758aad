#include "app/QtPageOutput.h"

#include "dialogs/PageRangeDialog.h"
#include "dialogs/PrintSetupDialog.h"
#include "platform/QtText.h"

namespace quirel {

QtPageOutput::QtPageOutput(Editor& editor, Prompts& prompts, QWidget* owner)
    : m_owner(owner)
    , m_output(editor, *this, m_printer, &prompts)
{
}

PageRange QtPageOutput::AskPageRange(const PageRangeRequest& request)
{
    return quirel::AskPageRange(request, m_owner);
}

void QtPageOutput::AskPrintSetup(PrintSettings& settings, const std::string& printerName)
{
    quirel::AskPrintSetup(settings, FromCp1252(printerName), m_owner);
}

PixelView QtPageOutput::PagePicture(const PageSlot& slot)
{
    return m_pixels.Paint(slot);
}

} // namespace quirel
