// The program's own files and the document files in the real window: config.ini that is no
// regular file, the page limit of an imported long text, and a document that cannot be opened.
#include "ModalScript.h"
#include "app/EditSurface.h"
#include "app/MainWindow.h"
#include "app/MenuBar.h"
#include "app/NoticeBar.h"
#include "document/Cp1252.h"
#include "editor/Editor.h"
#include "editor/EditorMessages.h"
#include "layout/LayoutDocument.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

using namespace quirel;

namespace {

class OwnFilesWindowTest : public ::testing::Test {
protected:
    // Starts the program's window over the folder as it now is, answering the modal windows of the
    // start with script.
    void Start(ModalScript& script)
    {
        editor = std::make_unique<Editor>(folder.path().toStdString());
        window = std::make_unique<MainWindow>(*editor);
        window->show();
        script.Run([&] { window->Initialise({}); });
        EXPECT_TRUE(script.AllAnswered());
        window->BlinkTimer().stop();
    }
    void Run(ModalScript& script, const std::function<void()>& action)
    {
        script.Run(action);
        EXPECT_TRUE(script.AllAnswered());
    }
    void Key(Qt::Key key, const QString& text = {})
    {
        QTest::sendKeyEvent(QTest::Press, window->Surface(), key, text, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, window->Surface(), key, text, Qt::NoModifier);
    }
    void ChooseSize(int size)
    {
        const int index = window->Sizes()->findText(QStringLiteral("%1").arg(size, 2, 10, QLatin1Char('0')));
        window->Sizes()->setCurrentIndex(index);
        emit window->Sizes()->activated(index);
    }
    // The file dialog answered with file.
    static std::function<void(QFileDialog&)> Pick(const QString& file)
    {
        return [file](QFileDialog& dialog) {
            dialog.selectFile(file);
            QMetaObject::invokeMethod(&dialog, "accept", Qt::QueuedConnection);
        };
    }
    std::filesystem::path Path(const char* name) const
    {
        return std::filesystem::path(folder.filePath(name).toStdString());
    }
    Document& Doc() { return editor->GetDocument(); }

    QTemporaryDir folder;
    std::unique_ptr<Editor> editor;
    std::unique_ptr<MainWindow> window;
};

} // namespace

// A folder, a pipe or a link to an endless device in place of config.ini: the window comes up with
// the defaults and one message, and saving the settings fails once with a message.
TEST_F(OwnFilesWindowTest, ASettingsFileThatIsNoRegularFileNeitherStopsNorHangsTheProgram)
{
    const auto config = Path("config.ini");
    const std::pair<const char*, std::function<void()>> cases[] = {
        { "Es una carpeta", [&] { std::filesystem::create_directory(config); } },
        { "No es un fichero normal", [&] { ::mkfifo(config.c_str(), 0600); } },
        { "No es un fichero normal", [&] { std::filesystem::create_symlink("/dev/zero", config); } },
    };
    for (const auto& [why, make] : cases) {
        SCOPED_TRACE(why);
        std::filesystem::remove_all(config);
        make();
        ModalScript starting;
        starting.Message();
        Start(starting);
        EXPECT_EQ(editor->GetSettings().fontSize, 10);
        ASSERT_EQ(starting.Texts().size(), 1);
        EXPECT_TRUE(starting.Texts()[0].contains(QString::fromLatin1(why))) << starting.Texts()[0].toStdString();
        // The failed save is told in a notice in the window, which takes no keys; once per run.
        ModalScript saving;
        Run(saving, [&] { ChooseSize(12); });
        EXPECT_EQ(window->Notices()->Count(), 1);
        ModalScript savingAgain;
        Run(savingAgain, [&] { ChooseSize(14); });
        EXPECT_EQ(window->Notices()->Count(), 1);
        EXPECT_EQ(Doc().Current().size, 14);
        EXPECT_FALSE(std::filesystem::is_regular_file(config));
        window.reset();
        editor.reset();
    }
}

// An imported text that needs more than 150 pages: Backspace and typed keys at its end, which lies
// beyond page 150, change nothing and show one message each.
TEST_F(OwnFilesWindowTest, BeyondPage150NothingIsDeletedUnseenAndEachRefusedKeyShowsOneMessage)
{
    std::string text;
    for (int i = 0; i < 110000; ++i)
        text += i % 7 == 6 ? "palabras\r\n" : "muchas ";
    QFile file(folder.filePath(QStringLiteral("largo.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
    file.close();
    ModalScript none;
    Start(none);

    ModalScript importing;
    importing.Then<QFileDialog>(Pick(file.fileName())).Message();
    Run(importing, [&] { window->Menus()->Action(command::ImportText)->trigger(); });
    EXPECT_EQ(importing.Texts(),
        QStringList {
            QString::fromLatin1(kPageLimitMessage.data(), static_cast<qsizetype>(kPageLimitMessage.size())) });
    ASSERT_EQ(Doc().Pages().pageCount, 150);
    const std::string imported = Doc().Text();
    EXPECT_GT(editor->View().cursorY, editor->GetSettings().margin); // not over the page's first letter

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
    ModalScript none;
    Start(none);
    for (const QChar c : QStringLiteral("hola"))
        Key(Qt::Key_unknown, QString(c));
    const QString title = window->windowTitle();
    const QString pipe = folder.filePath(QStringLiteral("tubo.4tf"));
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    ModalScript opening;
    // "Hola" is not saved: the question comes first, answered No.
    opening.Message(QMessageBox::No).Then<QFileDialog>(Pick(pipe)).Message();
    Run(opening, [&] { window->Menus()->Action(command::OpenDocument)->trigger(); });
    EXPECT_EQ(Doc().Text(), "hola");
    EXPECT_EQ(window->windowTitle(), title);
    ASSERT_EQ(opening.Texts().size(), 2);
    EXPECT_TRUE(opening.Texts()[1].contains(QStringLiteral("No es un fichero normal")));
    EXPECT_TRUE(opening.Texts()[1].contains(QStringLiteral("El documento actual no se ha modificado.")));
}
