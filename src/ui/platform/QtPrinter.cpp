#include "platform/QtPrinter.h"

#include "document/Cp1252.h"
#include "platform/QtText.h"

#include <QImage>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>

namespace quirel {
namespace {
// The print engine property that carries extra job options (name, value, name, value, ...) to
// CUPS; Qt's own CUPS support uses this key.
constexpr auto kJobOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
constexpr int kMostCopies = 10;
} // namespace

std::pair<QString, QString> PrintQualityOption(int quality)
{
    // IPP print-quality: 3 draft, 4 normal, 5 high.
    static const char* const kValues[] = { "3", "3", "4", "5" };
    const QString value = quality >= 1 && quality <= 4 ? QLatin1String(kValues[quality - 1]) : QString();
    return { QStringLiteral("print-quality"), value };
}

void ApplyPrintSettings(QPrinter& printer, const PrintSettings& settings)
{
    if (settings.copies >= 1 && settings.copies <= kMostCopies) printer.setCopyCount(settings.copies);
    if (settings.colourMode == 1)
        printer.setColorMode(QPrinter::GrayScale);
    else if (settings.colourMode == 2)
        printer.setColorMode(QPrinter::Color);
    const auto [name, value] = PrintQualityOption(settings.quality);
    if (!value.isEmpty() && printer.outputFormat() == QPrinter::NativeFormat) {
        QStringList options = printer.printEngine()->property(kJobOptions).toStringList();
        options << name << value;
        printer.printEngine()->setProperty(kJobOptions, options);
    }
}

PrinterAttach QtPrinter::AttachDefault()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    PrinterAttach attach;
    if (!info.isNull()) attach.name = ToCp1252(info.printerName());
    return attach;
}

bool QtPrinter::PrintJob(
    std::string_view printerName, const PixelView& page, const PrintSettings& settings, std::string_view title)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(FromCp1252(printerName));
    if (info.isNull() || !page.pixels) return false;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(FromCp1252(title));
    printer.setFullPage(true);
    ApplyPrintSettings(printer, settings);
    const QImage picture(reinterpret_cast<const uchar*>(page.pixels), page.width, page.height,
        static_cast<qsizetype>(page.stride) * 4, QImage::Format_RGB32);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // The page picture covers the whole sheet, its pixels copied as they are.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(QPoint(0, 0), painter.viewport().size()), picture);
    return painter.end();
}

} // namespace quirel
