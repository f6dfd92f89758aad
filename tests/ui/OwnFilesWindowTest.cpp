// The program's own files and the document files in the real window: config.ini that is no
// regular file, the page limit of an imported long text, and a document that cannot be opened.
#include "RealWindowTest.h"
#include "app/NoticeBar.h"
#include "app/SizeList.h"
#include "document/Cp1252.h"
#include "editor/EditorMessages.h"
#include "layout/LayoutDocument.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quirel;
using namespace quirel::test;

namespace {

// The real window over a program folder that prepare made, started as the program starts; the
// modal windows of the start are those expect names (none unless told).
class OwnFilesWindowTest : public RealWindowTest {
protected:
    explicit OwnFilesWindowTest(const Prepare& prepare = {}, const std::function<void(ModalScript&)>& expect = {})
        : RealWindowTest(prepare, expect)
    {
    }

    static void Run(ModalScript& script, const std::function<void()>& action)
    {
        script.Run(action);
        EXPECT_TRUE(script.AllAnswered());
    }
    void ChooseSize(int size)
    {
        const int index = window.Sizes()->findText(QStringLiteral("%1").arg(size, 2, 10, QLatin1Char('0')));
        window.Sizes()->setCurrentIndex(index);
        emit window.Sizes()->activated(index);
    }
    // The file dialog answered with file.
    static std::function<void(QFileDialog&)> Pick(const QString& file)
    {
        return [file](QFileDialog& dialog) {
            dialog.selectFile(file);
            QMetaObject::invokeMethod(&dialog, "accept", Qt::QueuedConnection);
        };
    }
};

// What stands in the place of config.ini before the program starts, and part of the reason the
// message at the start gives.
struct NoRegularSettingsFile {
    const char* name;
    const char* why;
    void (*make)(const std::filesystem::path& config);
};

const NoRegularSettingsFile kNoRegularSettingsFiles[] = {
    { "Folder", "Es una carpeta",
        [](const std::filesystem::path& config) { std::filesystem::create_directory(config); } },
    { "Pipe", "No es un fichero normal", [](const std::filesystem::path& config) { ::mkfifo(config.c_str(), 0600); } },
    { "LinkToDevice", "No es un fichero normal",
        [](const std::filesystem::path& config) { std::filesystem::create_symlink("/dev/zero", config); } },
};

class NoRegularSettingsFileTest : public OwnFilesWindowTest,
                                  public ::testing::WithParamInterface<NoRegularSettingsFile> {
protected:
    NoRegularSettingsFileTest()
        : OwnFilesWindowTest(
            [](const std::filesystem::path& programFolder) { GetParam().make(programFolder / "config.ini"); },
            [](ModalScript& starting) { starting.Message(); })
    {
    }
};

} // namespace

// A folder, a pipe or a link to an endless device in place of config.ini: the window comes up with
// the defaults and one message, and saving the settings fails once with a message.
TEST_P(NoRegularSettingsFileTest, NeitherStopsNorHangsTheProgram)
{
    EXPECT_EQ(editor.GetSettings().fontSize, 10);
    ASSERT_EQ(starting.Texts().size(), 1);
    EXPECT_TRUE(starting.Texts()[0].contains(QString::fromLatin1(GetParam().why))) << starting.Texts()[0].toStdString();
    // The failed save is told in a notice in the window, which takes no keys; once per run.
    ModalScript saving;
    Run(saving, [&] { ChooseSize(12); });
    EXPECT_EQ(window.Notices()->Count(), 1);
    ModalScript savingAgain;
    Run(savingAgain, [&] { ChooseSize(14); });
    EXPECT_EQ(window.Notices()->Count(), 1);
    EXPECT_EQ(Doc().Current().size, 14);
    EXPECT_FALSE(std::filesystem::is_regular_file(folder.Path() / "config.ini"));
}

INSTANTIATE_TEST_SUITE_P(OwnFilesWindowTest, NoRegularSettingsFileTest, ::testing::ValuesIn(kNoRegularSettingsFiles),
    [](const ::testing::TestParamInfo<NoRegularSettingsFile>& info) { return std::string(info.param.name); });

// An imported text that needs more than 150 pages: Backspace and typed keys at its end, which lies
// beyond page 150, change nothing and show one message each.
TEST_F(OwnFilesWindowTest, BeyondPage150NothingIsDeletedUnseenAndEachRefusedKeyShowsOneMessage)
{
    std::string text;
    for (int i = 0; i < 110000; ++i)
        text += i % 7 == 6 ? "palabras\r\n" : "muchas ";
    QFile file(FilePath(QStringLiteral("largo.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
    file.close();

    ModalScript importing;
    importing.Then<QFileDialog>(Pick(file.fileName())).Message();
    Choose(command::ImportText, importing);
    EXPECT_EQ(importing.Texts(),
        QStringList {
            QString::fromLatin1(kPageLimitMessage.data(), static_cast<qsizetype>(kPageLimitMessage.size())) });
    ASSERT_EQ(Doc().Pages().pageCount, 150);
    const std::string imported = Doc().Text();
    EXPECT_GT(editor.View().cursorY, editor.GetSettings().margin); // not over the page's first letter

    for (const auto& press : { std::pair { Qt::Key_Backspace, QString() }, std::pair { Qt::Key_B, QStringLiteral("b") },
             std::pair { Qt::Key_Backspace, QString() } }) {
        ModalScript refused;
        refused.Message();
        Run(refused, [&] { Key(press.first, press.second); });
        EXPECT_EQ(refused.Texts().size(), 1);
        EXPECT_EQ(Doc().Text(), imported);
    }
}

// A document that cannot be read (here a pipe) leaves the document on screen as it was and says why.
TEST_F(OwnFilesWindowTest, AFileThatCannotBeReadKeepsTheDocumentShown)
{
    Type(QStringLiteral("hola"));
    const QString title = window.windowTitle();
    const QString pipe = FilePath(QStringLiteral("tubo.4tf"));
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    ModalScript opening;
    // "Hola" is not saved: the question comes first, answered No.
    opening.Message(QMessageBox::No).Then<QFileDialog>(Pick(pipe)).Message();
    Choose(command::OpenDocument, opening);
    EXPECT_EQ(Doc().Text(), "hola");
    EXPECT_EQ(window.windowTitle(), title);
    ASSERT_EQ(opening.Texts().size(), 2);
    EXPECT_TRUE(opening.Texts()[1].contains(QStringLiteral("No es un fichero normal")));
    EXPECT_TRUE(opening.Texts()[1].contains(QStringLiteral("El documento actual no se ha modificado.")));
}
