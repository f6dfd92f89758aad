#include "app/QtPageOutput.h"

#include "dialogs/PageRangeDialog.h"
#include "dialogs/PrintSetupDialog.h"
#include "document/Cp1252.h"
#include "platform/RecordedPage.h"

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
    quirel::AskPrintSetup(settings, QString::fromStdString(Cp1252ToUtf8(printerName)), m_owner);
}

PixelView QtPageOutput::PagePicture(const PageSlot& slot)
{
    DecodePageInto(slot, m_picture);
    return { reinterpret_cast<const std::uint32_t*>(m_picture.constBits()), m_picture.width(), m_picture.height(),
        static_cast<int>(m_picture.bytesPerLine() / 4) };
}

} // namespace quirel
