// "Exportar Bitmap" and "Imprimir" through the real window: the page-range and set-up dialogs
// answered as a user would, bitmaps read back with ImageMagick, and printing through a spooler
// the test starts itself (CUPS with a PDF printer), its PDFs read back with the poppler tools.
#include "LocalSpooler.h"
#include "RealWindowTest.h"
#include "dialogs/PageRangeDialog.h"
#include "dialogs/PrintSetupDialog.h"
#include "document/Cp1252.h"
#include "io/PageRange.h"
#include "platform/RecordedPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

using namespace quirel;
using namespace quirel::test;

namespace {

// Every print client of this test program reaches only the test's own spooler.
const bool kOwnPrintServer = (LocalSpooler::UseOwnServer(), true);

template <typename T> T* Child(QDialog& dialog, const char* name)
{
    auto* child = dialog.findChild<T*>(QLatin1String(name));
    EXPECT_TRUE(child) << "no " << name << " in " << dialog.windowTitle().toStdString();
    return child;
}

struct RangeAnswer {
    RangeAnswer(RangeChoice choice, QString first = {}, QString last = {}, QString folder = {})
        : choice(choice)
        , first(std::move(first))
        , last(std::move(last))
        , folder(std::move(folder))
    {
    }
    RangeChoice choice;
    QString first, last, folder;
};

// Fills the page-range dialog and presses "Grabar" (export form) or "Imprimir" (print form).
std::function<void(PageRangeDialog&)> AnswerRange(RangeAnswer answer)
{
    return [answer](QDialog& dialog) {
        ASSERT_EQ(dialog.objectName(), "pageRangeDialog");
        const char* option = answer.choice == RangeChoice::Interval ? "interval"
            : answer.choice == RangeChoice::AllPages                ? "allPages"
                                                                    : "singlePage";
        QTest::mouseClick(Child<QRadioButton>(dialog, option), Qt::LeftButton, {}, QPoint(5, 5));
        if (answer.choice == RangeChoice::Interval) {
            Child<QLineEdit>(dialog, "firstPage")->setText(answer.first);
            Child<QLineEdit>(dialog, "lastPage")->setText(answer.last);
        }
        if (auto* folder = dialog.findChild<QLineEdit*>(QStringLiteral("folderName"))) folder->setText(answer.folder);
        auto* button = dialog.findChild<QPushButton*>(QStringLiteral("saveButton"));
        if (!button) button = Child<QPushButton>(dialog, "printButton");
        button->click();
    };
}

void PressExit(QDialog& dialog)
{
    Child<QPushButton>(dialog, "exitButton")->click();
}

// The set-up dialog: what it showed on opening, then the given items chosen and "Seguir"
// pressed, or (closeBox) the window closed.
struct SetupSeen {
    QString copies, colourMode, quality, printer;
};
std::function<void(PrintSetupDialog&)> AnswerSetup(
    SetupSeen* seen, int copies, int colourMode, int quality, bool closeBox = false)
{
    return [=](QDialog& dialog) {
        ASSERT_EQ(dialog.objectName(), "printSetupDialog");
        auto* copiesList = Child<QComboBox>(dialog, "copies");
        auto* colourList = Child<QComboBox>(dialog, "colourMode");
        auto* qualityList = Child<QComboBox>(dialog, "quality");
        if (seen)
            *seen = { copiesList->currentText(), colourList->currentText(), qualityList->currentText(),
                Child<QLabel>(dialog, "printerName")->text() };
        if (closeBox) {
            dialog.close();
            return;
        }
        copiesList->setCurrentIndex(copies);
        colourList->setCurrentIndex(colourMode);
        qualityList->setCurrentIndex(quality);
        Child<QPushButton>(dialog, "nextButton")->click();
    };
}

// An image as raw RGB bytes read back by ImageMagick.
QByteArray ReadWithImageMagick(const QString& file, QString* description)
{
    QProcess identify;
    identify.start(
        QStringLiteral("identify"), { QStringLiteral("-format"), QStringLiteral("%m %w %h %z %r %A"), file });
    identify.waitForFinished(10000);
    *description = QString::fromLocal8Bit(identify.readAllStandardOutput());
    QProcess convert;
    convert.start(QStringLiteral("convert"), { file, QStringLiteral("rgb:-") });
    convert.waitForFinished(10000);
    return convert.readAllStandardOutput();
}

QByteArray RgbBytes(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QByteArray bytes;
    for (int y = 0; y < rgb.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), rgb.width() * 3);
    return bytes;
}

class PageOutputCommandsTest : public RealWindowTest {
protected:
    // Time for a command from its first dialog to its last message, printing included.
    static constexpr int kTimeLimitMs = 60000;

    // A document of count pages in red text, each page with its own lines: "Hoja k" and k lines
    // of words, then enough line ends to push the next page over.
    void MakePages(int count)
    {
        std::string text;
        for (int page = 1; page <= count; ++page) {
            text += "Hoja " + std::to_string(page) + "\r";
            for (int line = 0; line < page * 3; ++line)
                text += "texto de la hoja " + std::to_string(page) + " en su linea " + std::to_string(line) + "\r";
            if (page < count) text += std::string(60 - page * 3, '\r');
        }
        auto& doc = editor.GetDocument();
        doc.Current().textColor = 0x0000FF;
        doc.SetText(text);
        doc.Records().Reset(doc.CurrentRecord());
        editor.Run(command::Rebuild);
        ASSERT_EQ(doc.Pages().pageCount, count);
    }

    // Shows page by the page keys, as the user would.
    void ShowPage(int page)
    {
        while (Pages().shownPage > page)
            Key(Qt::Key_PageUp);
        ASSERT_EQ(Pages().shownPage, page);
    }

    PageTable& Pages() { return editor.GetDocument().Pages(); }
    QStringList Files(const QString& sub) { return QDir(FilePath(sub)).entryList(QDir::Files, QDir::Name); }

    // The exported file of page, read back by ImageMagick, holds exactly the picture of that page.
    void ExpectPageFile(const QString& file, int page)
    {
        SCOPED_TRACE(file.toStdString());
        EXPECT_EQ(QFileInfo(file).size(), 2674902);
        QString description;
        const QByteArray pixels = ReadWithImageMagick(file, &description);
        // A version 3 bitmap of direct colours, 8 bits a channel, without alpha: 24 bits a pixel.
        EXPECT_TRUE(description.startsWith(QStringLiteral("BMP3 794 1122 8 DirectClass ")))
            << description.toStdString();
        EXPECT_TRUE(
            description.endsWith(QStringLiteral(" False")) || description.endsWith(QStringLiteral(" Undefined")))
            << description.toStdString();
        QFile bytes(file);
        ASSERT_TRUE(bytes.open(QIODevice::ReadOnly));
        EXPECT_EQ(bytes.read(30).mid(28), QByteArray("\x18\x00", 2)); // bits per pixel
        EXPECT_TRUE(pixels == RgbBytes(PrintPicture(page))) << "pixels differ from printed page " << page;
        EXPECT_EQ(NonWhiteEdgePixels(pixels, 794, 1122), 0) << "a frame around page " << page;
    }

    // The printed picture of page: the pages laid out without frame, completion or cursor.
    QImage PrintPicture(int page)
    {
        editor.LayOutAllPages(Decorate::No);
        return PageImage(Pages().Slot(page));
    }

    // Pixels of the outermost rows and columns of an RGB picture that are not white.
    static int NonWhiteEdgePixels(const QByteArray& rgb, int width, int height)
    {
        if (rgb.size() != width * height * 3) return -1;
        int count = 0;
        auto check = [&](int x, int y) {
            const char* pixel = rgb.constData() + (y * width + x) * 3;
            if (QByteArray::fromRawData(pixel, 3) != QByteArray(3, '\xFF')) ++count;
        };
        for (int x = 0; x < width; ++x) {
            check(x, 0);
            check(x, height - 1);
        }
        for (int y = 1; y < height - 1; ++y) {
            check(0, y);
            check(width - 1, y);
        }
        return count;
    }
};

} // namespace

TEST_F(PageOutputCommandsTest, SinglePageWritesOnlyTheShownPage)
{
    MakePages(5);
    ShowPage(3);
    ModalScript script(kTimeLimitMs);
    script
        .Then<PageRangeDialog>([](PageRangeDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Exportar páginas"));
            auto* single = Child<QRadioButton>(dialog, "singlePage");
            EXPECT_EQ(single->text(), QString::fromUtf8("Una sola página (página actual 3)"));
            EXPECT_TRUE(single->isChecked());
            EXPECT_FALSE(Child<QLineEdit>(dialog, "firstPage")->isEnabled());
            EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("printButton")));
            AnswerRange({ RangeChoice::SinglePage, {}, {}, QStringLiteral("paginas") })(dialog);
        })
        .Message();
    Choose(command::ExportBitmap, script);
    EXPECT_EQ(script.Texts(), QStringList { QStringLiteral("Imagen exportada ...") });
    EXPECT_EQ(script.Topmost(), std::vector<bool> { true });
    EXPECT_EQ(Files(QStringLiteral("paginas")), QStringList { QStringLiteral("3.bmp") });
    ExpectPageFile(FilePath(QStringLiteral("paginas/3.bmp")), 3);
    EXPECT_EQ(Pages().shownPage, 5); // the view is laid out again from page 1 and shows its end
    EXPECT_FALSE(editor.Gate().GuardedCommandRunning());
}

TEST_F(PageOutputCommandsTest, IntervalWritesItsPagesAndTheDialogRemembersTheChoice)
{
    MakePages(5);
    ModalScript exporting(kTimeLimitMs);
    exporting
        .Then<PageRangeDialog>(
            AnswerRange({ RangeChoice::Interval, QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("paginas") }))
        .Message();
    Choose(command::ExportBitmap, exporting);
    EXPECT_EQ(exporting.Texts(), QStringList { QStringLiteral("Imagenes exportadas ...") });
    EXPECT_EQ(Files(QStringLiteral("paginas")),
        (QStringList { QStringLiteral("2.bmp"), QStringLiteral("3.bmp"), QStringLiteral("4.bmp") }));
    for (int page = 2; page <= 4; ++page)
        ExpectPageFile(FilePath(QStringLiteral("paginas/%1.bmp").arg(page)), page);

    // Opened again: the interval is chosen, the boxes are empty; after "Salir" the single page.
    ModalScript leaving(kTimeLimitMs);
    leaving.Then<PageRangeDialog>([](PageRangeDialog& dialog) {
        EXPECT_TRUE(Child<QRadioButton>(dialog, "interval")->isChecked());
        EXPECT_TRUE(Child<QLineEdit>(dialog, "firstPage")->isEnabled());
        EXPECT_EQ(Child<QLineEdit>(dialog, "firstPage")->text(), "");
        EXPECT_EQ(Child<QLineEdit>(dialog, "folderName")->text(), "");
        PressExit(dialog);
    });
    Choose(command::ExportBitmap, leaving);
    ModalScript printing(kTimeLimitMs);
    printing.Then<PageRangeDialog>([](PageRangeDialog& dialog) {
        EXPECT_TRUE(Child<QRadioButton>(dialog, "singlePage")->isChecked());
        QTest::keyClick(&dialog, Qt::Key_Escape); // Escape leaves like "Salir"
    });
    Choose(command::Print, printing);
}

TEST_F(PageOutputCommandsTest, AllPagesOfAOnePageDocument)
{
    MakePages(1);
    ModalScript script(kTimeLimitMs);
    script.Then<PageRangeDialog>(AnswerRange({ RangeChoice::AllPages, {}, {}, QString::fromUtf8("páginas") }))
        .Message();
    Choose(command::ExportBitmap, script);
    EXPECT_EQ(script.Texts(), QStringList { QStringLiteral("Documento exportado ...") });
    EXPECT_EQ(Files(QString::fromUtf8("páginas")), QStringList { QStringLiteral("1.bmp") });
    ExpectPageFile(FilePath(QString::fromUtf8("páginas/1.bmp")), 1);
}

TEST_F(PageOutputCommandsTest, TheLastPageIsExportedWithoutFrameCompletionOrCursor)
{
    MakePages(2);
    editor.Services().completeWord = [](std::string_view w) { return w == "ca" ? std::string("sa") : std::string(); };
    QTest::keyClicks(window.Surface(), QStringLiteral(" ca"));
    ASSERT_TRUE(editor.GetDocument().Text().ends_with(" ca"));
    ModalScript script(kTimeLimitMs);
    script.Then<PageRangeDialog>(AnswerRange({ RangeChoice::SinglePage, {}, {}, QStringLiteral("paginas") })).Message();
    Choose(command::ExportBitmap, script);
    // The screen shows the page with its frame, the grey completion and the cursor ...
    const QImage screen = PageImage(Pages().Slot(2));
    EXPECT_GT(NonWhiteEdgePixels(RgbBytes(screen), 794, 1122), 3000);
    // ... the file holds the page as printed.
    ExpectPageFile(FilePath(QStringLiteral("paginas/2.bmp")), 2);
    EXPECT_NE(RgbBytes(screen), RgbBytes(PrintPicture(2)));
}

TEST_F(PageOutputCommandsTest, RefusedIntervalsAndFoldersKeepTheDialogOpen)
{
    MakePages(5);
    const QString programFile = QStringLiteral(" es el nombre de un fichero del programa");
    const QString inside = QStringLiteral("La carpeta se crea dentro de la carpeta del programa");
    struct Refused {
        RangeAnswer answer;
        QString why; // what the message box says; none for an empty box or a refused interval
    };
    const Refused refused[] = {
        { { RangeChoice::Interval, QStringLiteral("3"), QStringLiteral("3"), QStringLiteral("paginas") }, {} },
        { { RangeChoice::Interval, QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("paginas") }, {} },
        { { RangeChoice::Interval, QStringLiteral("2"), QStringLiteral("6"), QStringLiteral("paginas") }, {} },
        { { RangeChoice::Interval, QStringLiteral("dos"), QStringLiteral("4"), QStringLiteral("paginas") }, {} },
        { { RangeChoice::AllPages, {}, {}, QString() }, {} },
        { { RangeChoice::AllPages, {}, {}, QStringLiteral("../fuera") }, inside },
        { { RangeChoice::SinglePage, {}, {}, FilePath(QStringLiteral("absoluta")) }, inside },
        // A folder named as one of the program's own files would keep it from reading that file.
        { { RangeChoice::AllPages, {}, {}, QStringLiteral("config.ini") },
            QStringLiteral("\"config.ini\"") + programFile },
        { { RangeChoice::AllPages, {}, {}, QStringLiteral("rey.log/paginas") },
            QStringLiteral("\"rey.log\"") + programFile },
        { { RangeChoice::AllPages, {}, {}, QStringLiteral("tildes.dat") },
            QStringLiteral("\"tildes.dat\"") + programFile },
    };
    std::array<bool, std::size(refused)> open {};
    // The same dialog takes every answer, then "Salir"; a refused folder name opens a message box
    // over it, which says why.
    ModalScript script(kTimeLimitMs);
    script.Then<PageRangeDialog>([&](PageRangeDialog& dialog) {
        for (std::size_t i = 0; i < std::size(refused); ++i) {
            AnswerRange(refused[i].answer)(dialog);
            open[i] = dialog.isVisible();
        }
        PressExit(dialog);
    });
    QStringList reasons;
    for (const Refused& r : refused) {
        if (r.why.isEmpty()) continue;
        script.Message();
        reasons << r.why;
    }
    Choose(command::ExportBitmap, script);
    for (std::size_t i = 0; i < open.size(); ++i)
        EXPECT_TRUE(open[i]) << "answer " << i << " was accepted";
    ASSERT_EQ(script.Texts().size(), reasons.size());
    for (qsizetype i = 0; i < reasons.size(); ++i) {
        EXPECT_TRUE(script.Texts()[i].startsWith(QStringLiteral("No se puede exportar a la carpeta ")))
            << script.Texts()[i].toStdString();
        EXPECT_TRUE(script.Texts()[i].contains(reasons[i])) << script.Texts()[i].toStdString();
    }
    EXPECT_EQ(QDir(QtPath(folder.Path())).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList {});
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(QtPath(folder.Path())).dir().filePath(QStringLiteral("fuera"))));
}

TEST_F(PageOutputCommandsTest, WithoutADefaultPrinterThreePagesGiveOneMessageInSpanish)
{
    MakePages(3);
    ShowPage(2);
    SetupSeen seen;
    ModalScript script(kTimeLimitMs);
    script.Then<PageRangeDialog>(AnswerRange({ RangeChoice::AllPages }))
        .Then<PrintSetupDialog>(AnswerSetup(&seen, 0, 0, 0))
        .Message();
    Choose(command::Print, script);
    EXPECT_EQ(seen.printer, ""); // no default printer to name
    EXPECT_EQ(seen.copies, ""); // nothing chosen yet
    EXPECT_EQ(script.Texts(), QStringList { QStringLiteral("No tienes una Impresora configurada por defecto ...") });
    EXPECT_EQ(Pages().shownPage, 2);
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("Pagina 2 de 3")));
}

namespace {

// Printing through a spooler of the test's own.
class PrintingTest : public PageOutputCommandsTest {
protected:
    void SetUp() override
    {
        const QString missing = LocalSpooler::Missing();
        if (!missing.isEmpty()) GTEST_SKIP() << "no local print spooler: " << missing.toStdString();
        QString error;
        ASSERT_TRUE(spooler.Start(error)) << error.toStdString();
    }

    struct PdfPage {
        int pages = 0; // pages in the PDF
        QString size; // "595 x 842 pts (A4)"
        QString title;
        QImage first; // its first page at 24 dots per inch
    };
    PdfPage ReadPdf(const QString& file)
    {
        PdfPage pdf;
        const QString info = LocalSpooler::Run(QStringLiteral("pdfinfo"), { file });
        for (const QString& line : info.split(QLatin1Char('\n'))) {
            const QString value = line.section(QLatin1Char(':'), 1).trimmed();
            if (line.startsWith(QStringLiteral("Pages:")))
                pdf.pages = value.toInt();
            else if (line.startsWith(QStringLiteral("Page size:")))
                pdf.size = value;
            else if (line.startsWith(QStringLiteral("Title:")))
                pdf.title = value;
        }
        const QString prefix = spooler.OutputFolder() + QStringLiteral("/render");
        LocalSpooler::Run(QStringLiteral("pdftoppm"),
            { QStringLiteral("-r"), QStringLiteral("24"), QStringLiteral("-f"), QStringLiteral("1"),
                QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"), file, prefix });
        pdf.first.load(prefix + QStringLiteral(".ppm"));
        QFile::remove(prefix + QStringLiteral(".ppm"));
        return pdf;
    }

    // The printed pictures of every page.
    std::vector<QImage> PrintPictures()
    {
        std::vector<QImage> pictures;
        for (int page = 1; page <= Pages().pageCount; ++page)
            pictures.push_back(PrintPicture(page));
        return pictures;
    }

    // Mean difference of grey levels of a rendering and a picture brought to its size.
    static double Difference(const QImage& rendering, const QImage& picture)
    {
        const QImage a = rendering.convertToFormat(QImage::Format_Grayscale8);
        const QImage b = picture.scaled(a.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_Grayscale8);
        double sum = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                sum += std::abs(int(a.constScanLine(y)[x]) - int(b.constScanLine(y)[x]));
        return sum / (a.width() * a.height());
    }

    // The picture (index into pictures) the rendering looks most like, seen from afar: the pages
    // differ by a few lines of text, which a printer's dots and smoothing must not outweigh.
    static int Closest(const QImage& rendering, const std::vector<QImage>& pictures)
    {
        const auto afar = [](const QImage& image) {
            return image.convertToFormat(QImage::Format_Grayscale8)
                .scaled(QSize(60, 85), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        };
        const QImage seen = afar(rendering);
        int best = -1;
        double least = 1e9;
        for (std::size_t i = 0; i < pictures.size(); ++i)
            if (const double d = Difference(seen, afar(pictures[i])); d < least) {
                least = d;
                best = static_cast<int>(i);
            }
        return best;
    }

    static bool HasColour(const QImage& image)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (qRed(p) - qGreen(p) > 60) return true;
            }
        return false;
    }

    LocalSpooler spooler;
};

} // namespace

TEST_F(PrintingTest, AnIntervalIsOneJobPerPageWithTheChosenSettings)
{
    MakePages(5);
    ShowPage(3);
    SetupSeen seen;
    ModalScript script(kTimeLimitMs); // no message box: printing goes well
    script.Then<PageRangeDialog>(AnswerRange({ RangeChoice::Interval, QStringLiteral("2"), QStringLiteral("4") }))
        .Then<PrintSetupDialog>(AnswerSetup(&seen, 1, 0, 1)); // "02 copias", "1 - Monocromo", "2 - Baja Resolución"
    Choose(command::Print, script);
    EXPECT_EQ(seen.printer, spooler.Queue());
    EXPECT_EQ(Pages().shownPage, 3); // shown again, with its frame
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("Pagina 3 de 5")));
    EXPECT_EQ(window.Page().ShownPicture().pixel(0, 500), qRgb(0, 0, 0));

    ASSERT_TRUE(spooler.WaitUntilIdle());
    const QStringList pdfs = spooler.WaitForPdfs(3);
    ASSERT_EQ(pdfs.size(), 3);
    const QStringList jobs = spooler.JobLog();
    ASSERT_EQ(jobs.size(), 3) << jobs.join(QLatin1Char('\n')).toStdString();
    const auto pictures = PrintPictures();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("page " + std::to_string(i + 2));
        EXPECT_TRUE(jobs[i].endsWith(QStringLiteral("Quirel Pagina %1 copies=2 quality=3").arg(i + 2)))
            << jobs[i].toStdString();
        const PdfPage pdf = ReadPdf(pdfs[i]);
        EXPECT_EQ(pdf.title, QStringLiteral("(Quirel Pagina %1)").arg(i + 2)); // cups-pdf puts it in brackets
        EXPECT_TRUE(pdf.size.startsWith(QStringLiteral("595 x 842"))) << pdf.size.toStdString();
        EXPECT_EQ(pdf.pages, 2) << "copies";
        ASSERT_FALSE(pdf.first.isNull());
        EXPECT_EQ(Closest(pdf.first, pictures), i + 1);
        EXPECT_LT(Difference(pdf.first, pictures[static_cast<std::size_t>(i + 1)]), 8.0);
        EXPECT_FALSE(HasColour(pdf.first)); // red text printed in grey
    }
}

TEST_F(PrintingTest, TheSetUpDialogShowsTheChoicesMadeBefore)
{
    MakePages(5);
    ShowPage(3);
    SetupSeen first;
    ModalScript choosing(kTimeLimitMs);
    choosing.Then<PageRangeDialog>(AnswerRange({ RangeChoice::SinglePage }))
        .Then<PrintSetupDialog>(AnswerSetup(&first, 5, 1, 3));
    Choose(command::Print, choosing);
    SetupSeen second;
    ModalScript closing(kTimeLimitMs);
    closing.Then<PageRangeDialog>(AnswerRange({ RangeChoice::SinglePage }))
        .Then<PrintSetupDialog>(AnswerSetup(&second, 0, 0, 0, /*closeBox=*/true));
    Choose(command::Print, closing);
    EXPECT_EQ(first.copies, "");
    EXPECT_EQ(second.copies, QStringLiteral("10 copias"));
    EXPECT_EQ(second.colourMode, QStringLiteral("2 - Color"));
    EXPECT_EQ(second.quality, QString::fromUtf8("4 - Alta Resolución"));
    EXPECT_EQ(Pages().shownPage, 3);

    // Closing the set-up dialog keeps the settings, and printing goes on.
    ASSERT_TRUE(spooler.WaitUntilIdle());
    const QStringList jobs = spooler.JobLog();
    ASSERT_EQ(jobs.size(), 2) << jobs.join(QLatin1Char('\n')).toStdString();
    for (const QString& job : jobs)
        EXPECT_TRUE(job.endsWith(QStringLiteral("Quirel Pagina 3 copies=10 quality=5"))) << job.toStdString();
    const QStringList pdfs = spooler.WaitForPdfs(2);
    ASSERT_EQ(pdfs.size(), 2);
    const PdfPage pdf = ReadPdf(pdfs[1]);
    EXPECT_EQ(pdf.pages, 10) << "copies";
    EXPECT_EQ(Closest(pdf.first, PrintPictures()), 2);
    EXPECT_TRUE(HasColour(pdf.first));
}
