// Escape closes every dialog of the program as its own way out does ("Salir", or the close box
// where a dialog has no such button), with the same outcome.
#include "TempFolder.h"
#include "dialogs/AboutBox.h"
#include "dialogs/FavouriteColoursDialog.h"
#include "dialogs/PageRangeDialog.h"
#include "dialogs/PrintSetupDialog.h"
#include "dialogs/ReEditDialog.h"
#include "dialogs/SearchDialogs.h"
#include "dialogs/WordSearchDialog.h"
#include "document/Document.h"
#include "io/Ports.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace quirel;

namespace {

struct DialogCase {
    const char* name;
    std::function<std::unique_ptr<QDialog>()> make;
    // What the dialog was left with, as text to compare.
    std::function<std::string(QDialog&)> outcome;
};

// Leaves dialog by its "Salir" button, or by the close box when it has none.
void LeaveTheUsualWay(QDialog& dialog)
{
    if (auto* exit = dialog.findChild<QPushButton*>(QStringLiteral("exitButton")))
        exit->click();
    else
        dialog.close();
}

// Opens a dialog with every text box filled, as a user who changes their mind.
std::unique_ptr<QDialog> Opened(const DialogCase& c)
{
    std::unique_ptr<QDialog> dialog = c.make();
    for (auto* box : dialog->findChildren<QLineEdit*>())
        box->setText(QStringLiteral("casa"));
    dialog->show();
    dialog->activateWindow();
    QApplication::processEvents();
    return dialog;
}

void PressEscape(QDialog& dialog)
{
    QWidget* focus = dialog.focusWidget();
    QTest::keyClick(focus ? focus : &dialog, Qt::Key_Escape);
}

std::string RangeOutcome(QDialog& dialog)
{
    const PageRange& range = static_cast<PageRangeDialog&>(dialog).Result();
    return std::to_string(static_cast<int>(range.choice)) + (range.cancelled ? " cancelled" : "");
}

std::string WordsOutcome(QDialog& dialog)
{
    const SearchWords& words = static_cast<WordsDialog&>(dialog).Words();
    return words.search + "|" + words.replacement;
}

} // namespace

TEST(DialogEscapeTest, EscapeLeavesEveryDialogAsItsSalirDoes)
{
    TempFolder folder;
    Document doc;
    doc.SetText("hola mundo");
    doc.Pages().pageCount = 1;
    doc.Pages().Slot(1).firstToken = 1;
    PageRangeRequest exportForm;
    exportForm.choice = RangeChoice::AllPages;
    PageRangeRequest printForm = exportForm;
    printForm.form = PageRangeForm::Print;
    const auto none = [](QDialog&) { return std::string(); };
    const DialogCase cases[] = {
        { "page range, export form", [&] { return std::make_unique<PageRangeDialog>(exportForm); }, RangeOutcome },
        { "page range, print form", [&] { return std::make_unique<PageRangeDialog>(printForm); }, RangeOutcome },
        { "print set-up",
            [] {
                return std::make_unique<PrintSetupDialog>(PrintSettings { 2, 1, 3 }, "Oficina");
            },
            [](QDialog& dialog) {
                const PrintSettings& result = static_cast<PrintSetupDialog&>(dialog).Result();
                return std::to_string(result.copies) + std::to_string(result.colourMode)
                    + std::to_string(result.quality);
            } },
        { "Buscador", [] { return std::make_unique<SearchDialog>(); }, WordsOutcome },
        { "Reemplazar", [] { return std::make_unique<ReplaceDialog>(); }, WordsOutcome },
        { "word search", [] { return std::make_unique<WordSearchDialog>(SearchLists {}, DictionarySearchValues {}); },
            none },
        { "favourite colours", [&] { return std::make_unique<FavouriteColoursDialog>(folder.Path(), 0x123456u); },
            [](QDialog& dialog) {
                return std::to_string(static_cast<FavouriteColoursDialog&>(dialog).SelectedColour());
            } },
        { "Re-Editar", [&] { return std::make_unique<ReEditDialog>(doc); }, [&](QDialog&) { return doc.Text(); } },
        { "about box", [] { return std::make_unique<AboutBox>(); }, none },
    };
    for (const DialogCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QDialog> usual = Opened(c);
        LeaveTheUsualWay(*usual);
        ASSERT_FALSE(usual->isVisible());

        std::unique_ptr<QDialog> escaped = Opened(c);
        PressEscape(*escaped);
        EXPECT_FALSE(escaped->isVisible());
        EXPECT_EQ(escaped->result(), usual->result());
        EXPECT_EQ(c.outcome(*escaped), c.outcome(*usual));
    }
}
