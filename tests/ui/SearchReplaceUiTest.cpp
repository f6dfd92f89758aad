#include "RealWindowTest.h"
#include "RecordingPrompts.h"
#include "dialogs/SearchDialogs.h"
#include "document/Cp1252.h"
#include "io/Ports.h"
#include "language/LanguageMessages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace quirel;
using namespace quirel::test;

namespace {

QString U(std::string_view cp1252)
{
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

TEST(SearchDialogs, LookAsDescribed)
{
    SearchDialog search;
    ReplaceDialog replace;
    EXPECT_EQ(search.windowTitle(), "Buscador");
    EXPECT_EQ(replace.windowTitle(), "Reemplazar");
    EXPECT_EQ(search.findChild<QLabel*>("searchBoxLabel")->text(), "Palabra a Buscar");
    EXPECT_EQ(replace.findChild<QLabel*>("searchBoxLabel")->text(), "Palabra a Buscar");
    EXPECT_EQ(replace.findChild<QLabel*>("replacementBoxLabel")->text(), "Palabra a Reemplazar");
    EXPECT_EQ(search.AcceptButton()->text(), "Buscar");
    EXPECT_EQ(replace.AcceptButton()->text(), "Reemplazar");
    EXPECT_EQ(replace.ExitButton()->text(), "Salir");
    const QFont label = replace.findChild<QLabel*>("replacementBoxLabel")->font();
    EXPECT_EQ(label.family(), "MS Sans Serif");
    EXPECT_EQ(label.pointSize(), 10);
    EXPECT_TRUE(label.bold());
    EXPECT_EQ(replace.ReplacementBox()->font().family(), "Georgia");
    EXPECT_EQ(replace.ReplacementBox()->font().pointSize(), 12);
    EXPECT_EQ(search.AcceptButton()->font().pointSize(), 8);
    EXPECT_TRUE(search.AcceptButton()->font().bold());
    const auto* icon = search.findChild<QLabel*>("icon");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->geometry().topLeft(), QPoint(8, 8));
    EXPECT_FALSE(icon->pixmap().isNull());
}

TEST(SearchDialogs, OneWordInEveryBoxOrTheMessageAndTheDialogStaysOpen)
{
    const std::pair<const char*, bool> searches[] = {
        { "casa", true }, { "", false }, { " casa", false }, { "la casa", false }, { "casa\t", true },
        { "ñandú", true }, { "ca中sa", false }, // a character the document cannot hold
    };
    for (const auto& [text, accepted] : searches) {
        RecordingPrompts prompts;
        SearchDialog dialog(&prompts);
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.SearchBox()->setText(QString::fromUtf8(text));
        dialog.AcceptButton()->click();
        EXPECT_EQ(finished.count(), accepted ? 1 : 0) << text;
        EXPECT_EQ(dialog.Words().search, accepted ? Utf8ToCp1252(text) : "") << text;
        EXPECT_EQ(prompts.messages,
            accepted ? std::vector<std::string> {}
                     : std::vector<std::string> { std::string(kSearchWordRefusedMessage) })
            << text;
    }
    const std::tuple<const char*, const char*, bool> replaces[] = {
        { "la", "el", true },
        { "la", "", false },
        { "", "el", false },
        { "la", "e l", false },
    };
    for (const auto& [search, replacement, accepted] : replaces) {
        RecordingPrompts prompts;
        ReplaceDialog dialog(&prompts);
        dialog.show(); // the default button answers Enter only when shown
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.SearchBox()->setText(search);
        dialog.ReplacementBox()->setText(replacement);
        QTest::keyClick(dialog.ReplacementBox(), Qt::Key_Return); // Enter presses "Reemplazar"
        EXPECT_EQ(finished.count(), accepted ? 1 : 0) << search << "/" << replacement;
        EXPECT_EQ(dialog.Words().search, accepted ? search : "");
        EXPECT_EQ(dialog.Words().replacement, accepted ? replacement : "");
        EXPECT_EQ(prompts.messages,
            accepted ? std::vector<std::string> {}
                     : std::vector<std::string> { std::string(kReplaceWordsRefusedMessage) });
    }
}

TEST(SearchDialogs, SalirAndEscapeLeaveTheWordsEmpty)
{
    ReplaceDialog byButton;
    byButton.SearchBox()->setText("la");
    byButton.ReplacementBox()->setText("el");
    byButton.ExitButton()->click();
    EXPECT_EQ(byButton.Words().search, "");
    EXPECT_EQ(byButton.Words().replacement, "");
    SearchDialog byKey;
    byKey.show();
    byKey.SearchBox()->setText("casa");
    QTest::keyClick(byKey.SearchBox(), Qt::Key_Escape);
    EXPECT_FALSE(byKey.isVisible());
    EXPECT_EQ(byKey.Words().search, "");
}

// The real window, its menu bar and its dialogs.
class SearchReplaceWindowTest : public RealWindowTest {
protected:
    // The yellow cells on the first line of the page: runs of yellow pixels along the row that
    // holds most of them.
    int YellowCells()
    {
        const QImage& page = window.Page().Canvas().Image();
        int bestRow = 0, bestCount = 0;
        for (int y = 0; y < 200; ++y) {
            int count = 0;
            for (int x = 0; x < page.width(); ++x)
                count += (page.pixel(x, y) & 0xFFFFFF) == 0xFFFF00;
            if (count > bestCount) bestRow = y, bestCount = count;
        }
        int runs = 0;
        bool inRun = false;
        for (int x = 0; x < page.width(); ++x) {
            const bool yellow = (page.pixel(x, bestRow) & 0xFFFFFF) == 0xFFFF00;
            runs += yellow && !inRun;
            inRun = yellow;
        }
        return runs;
    }
};

TEST_F(SearchReplaceWindowTest, BuscarHighlightsEveryCaseOfTheWordAndReportsTheCount)
{
    Type("CASA Casa casa casas");
    ModalScript script;
    script
        .Then<SearchDialog>([](SearchDialog& dialog) {
            dialog.SearchBox()->setText("casa");
            ModalScript::Click(dialog.AcceptButton());
        })
        .Message();
    Choose(command::Find, script);
    EXPECT_EQ(script.Texts(), QStringList { "Encontradas 3 palabras ..." });
    EXPECT_EQ(YellowCells(), 3);
    EXPECT_EQ(editor.GetDocument().Text(), "CASA Casa casa casas");
}

TEST_F(SearchReplaceWindowTest, BuscarRefusesTwoWordsThenSalirChangesNothing)
{
    Type("casa");
    ModalScript script;
    script
        .Then<SearchDialog>([](SearchDialog& dialog) {
            dialog.SearchBox()->setText("la casa");
            ModalScript::Click(dialog.AcceptButton());
        })
        .Message()
        .Then<SearchDialog>([](SearchDialog& dialog) { ModalScript::Click(dialog.ExitButton()); });
    Choose(command::Find, script);
    EXPECT_EQ(script.Texts(), QStringList { U(kSearchWordRefusedMessage) });
    EXPECT_EQ(YellowCells(), 0);
}

TEST_F(SearchReplaceWindowTest, ReemplazarChangesInsideWordsAndHighlightsTheReplacement)
{
    Type("la palabra");
    ModalScript script;
    script.Then<ReplaceDialog>([](ReplaceDialog& dialog) {
        dialog.SearchBox()->setText("la");
        dialog.ReplacementBox()->setText("el");
        ModalScript::Click(dialog.AcceptButton());
    });
    Choose(command::Replace, script);
    EXPECT_EQ(editor.GetDocument().Text(), "el paelbra");
    EXPECT_EQ(YellowCells(), 1);
    EXPECT_TRUE(window.windowTitle().startsWith("Pagina 1 de 1"));
}

} // namespace
