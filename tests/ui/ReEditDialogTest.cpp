#include "dialogs/ReEditDialog.h"

#include "RecordingPrompts.h"
#include "document/Cp1252.h"
#include "document/Document.h"
#include "io/Ports.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace quirel;

namespace {

// The messages shown, in UTF-8.
std::vector<std::string> Shown(const RecordingPrompts& prompts)
{
    std::vector<std::string> shown;
    for (const std::string& message : prompts.messages)
        shown.push_back(Cp1252ToUtf8(message));
    return shown;
}

QStringList Items(const QListWidget* list)
{
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items << list->item(row)->text();
    return items;
}

// "hola mundo\r" + "uno dos\r" + "fin": tokens 1-4 on page 1, 5-8 on page 2, 9 on page 3.
class ReEditDialogTest : public ::testing::Test {
protected:
    ReEditDialogTest()
    {
        doc.SetText("hola mundo\runo dos\rfin");
        auto& pages = doc.Pages();
        pages.pageCount = 3;
        pages.Slot(1).firstToken = 1;
        pages.Slot(2).firstToken = 5;
        pages.Slot(3).firstToken = 9;
        dialog = std::make_unique<ReEditDialog>(doc, &prompts);
        dialog->show();
    }

    void ChoosePage(int page) { dialog->PageBox()->setCurrentIndex(page - 1); }
    // Chooses the piece item that starts with the token's six-digit number.
    void ChoosePiece(int token)
    {
        const QString number = QStringLiteral("%1 ").arg(token, 6, 10, QLatin1Char('0'));
        const auto found = dialog->PieceList()->findItems(number, Qt::MatchStartsWith);
        ASSERT_EQ(found.size(), 1) << number.toStdString();
        dialog->PieceList()->setCurrentItem(found.first());
    }
    void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    Document doc;
    RecordingPrompts prompts;
    std::unique_ptr<ReEditDialog> dialog;
};

} // namespace

TEST_F(ReEditDialogTest, ControlsStandWhereTheyBelongWithTheirTextsAndColours)
{
    EXPECT_EQ(dialog->windowTitle(), "Re-Editar");
    EXPECT_EQ(dialog->size(), QSize(302, 428));
    EXPECT_EQ(dialog->pos(), QPoint(105, 114));
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(dialog->parentWidget(), nullptr);

    struct Control {
        const char* name;
        QString text;
        QRect place;
    };
    const Control controls[] = {
        { "pageLabel", QStringLiteral("Elige página"), { 8, 0, 184, 16 } },
        { "pieceLabel", QStringLiteral("Elige trozo"), { 8, 40, 184, 16 } },
        { "pieceList", {}, { 8, 56, 288, 136 } },
        { "chosenPiece", {}, { 8, 192, 288, 24 } },
        { "replacementLabel", QStringLiteral("cambiarla por ..."), { 8, 216, 288, 24 } },
        { "replacementBox", {}, { 8, 240, 288, 24 } },
        { "specialLabel", QStringLiteral("Caractéres Especiales"), { 8, 272, 224, 24 } },
        { "specialList", {}, { 8, 296, 168, 130 } },
        { "highlightButton", QStringLiteral("Poner Resalte"), { 184, 272, 107, 24 } },
        { "changeButton", QStringLiteral("Cambiar trozo"), { 184, 312, 107, 24 } },
        { "acceptButton", QStringLiteral("Aceptar cámbios"), { 184, 352, 107, 24 } },
        { "exitButton", QStringLiteral("Salir"), { 184, 392, 107, 24 } },
    };
    for (const Control& control : controls) {
        auto* widget = dialog->findChild<QWidget*>(QString::fromLatin1(control.name));
        ASSERT_NE(widget, nullptr) << control.name;
        EXPECT_EQ(widget->geometry(), control.place) << control.name;
        EXPECT_EQ(widget->font().family(), "Segoe UI") << control.name;
        EXPECT_EQ(widget->font().pointSize(), 9) << control.name;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->text(), control.text) << control.name;
        }
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_EQ(button->text(), control.text) << control.name;
        }
    }
    EXPECT_EQ(dialog->PageBox()->geometry().topLeft(), QPoint(8, 16));
    EXPECT_EQ(dialog->PageBox()->width(), 288);
    EXPECT_LE(dialog->PageBox()->geometry().bottom(), 40); // closed, it leaves "Elige trozo" free
    EXPECT_EQ(dialog->ChosenPiece()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(dialog->ReplacementBox()->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(Items(dialog->SpecialList()), QStringList({ "01 - $SPC", "02 - $LF", "03 - $CR", "04 - $ELIMINADA" }));
}

TEST_F(ReEditDialogTest, PageItemsStayInPageOrderPastPage99AndNoPageIsChosenAtFirst)
{
    doc.Pages().pageCount = 150;
    ReEditDialog many(doc, &prompts);
    QComboBox* box = many.PageBox();
    ASSERT_EQ(box->count(), 150);
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_EQ(many.PieceList()->count(), 0);
    for (const auto& [index, text] : { std::pair { 0, "#pagina 01" }, { 9, "#pagina 10" }, { 10, "#pagina 11" },
             { 99, "#pagina 100" }, { 149, "#pagina 150" } })
        EXPECT_EQ(box->itemText(index), text) << index;
    box->setCurrentIndex(122);
    EXPECT_EQ(many.State().chosenPage, 123);
}

TEST_F(ReEditDialogTest, EachPageListsItsOwnPiecesUpToTheLastToken)
{
    ChoosePage(2);
    EXPECT_EQ(Items(dialog->PieceList()), QStringList({ "000005 uno", "000006 $SPC", "000007 dos", "000008 $CR" }));
    ChoosePage(3);
    EXPECT_EQ(Items(dialog->PieceList()), QStringList({ "000009 fin" }));
    ChoosePage(1);
    EXPECT_EQ(Items(dialog->PieceList()).first(), "000001 hola");
    ChoosePiece(3);
    EXPECT_EQ(dialog->ChosenPiece()->text(), "mundo");
    EXPECT_EQ(dialog->State().chosenToken, 3);
}

TEST_F(ReEditDialogTest, ChangedWordIsListedAndAcceptedIntoTheText)
{
    ChoosePage(1);
    ChoosePiece(3);
    dialog->ReplacementBox()->setText(QStringLiteral("adiós"));
    Click(dialog->ChangeButton());
    EXPECT_EQ(Items(dialog->PieceList()).at(2), QStringLiteral("000003 adiós"));
    EXPECT_EQ(dialog->PieceList()->currentRow(), 2); // the changed piece stays chosen
    EXPECT_EQ(dialog->ChosenPiece()->text(), QStringLiteral("adiós"));
    EXPECT_EQ(doc.Text(), "hola mundo\runo dos\rfin"); // not yet in the text

    QSignalSpy finished(dialog.get(), &QDialog::finished);
    Click(dialog->AcceptButton());
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Accepted);
    EXPECT_EQ(doc.Text(), "hola adi\xF3s\runo dos\rfin");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ReEditDialogTest, SpecialCharactersReplaceThePiece)
{
    const std::pair<int, std::string> cases[] = {
        { 0, "hola  \runo dos\rfin" },
        { 1, "hola \n\runo dos\rfin" },
        { 2, "hola \r\runo dos\rfin" },
        { 3, "hola \x01\runo dos\rfin" },
    };
    const char* labels[] = { "$SPC", "LF", "$CR", "$ELIMINADA" };
    for (const auto& [row, text] : cases) {
        Document local;
        local.SetText("hola mundo\runo dos\rfin");
        local.Pages().pageCount = 1;
        ReEditDialog special(local, &prompts);
        special.PageBox()->setCurrentIndex(0);
        special.PieceList()->setCurrentRow(2);
        special.SpecialList()->setCurrentRow(row);
        EXPECT_EQ(special.ReplacementBox()->text(), special.SpecialList()->item(row)->text().mid(5)) << row;
        QTest::mouseClick(special.ChangeButton(), Qt::LeftButton);
        EXPECT_EQ(special.PieceList()->item(2)->text(), QStringLiteral("000003 ") + labels[row]) << row;
        QTest::mouseClick(special.AcceptButton(), Qt::LeftButton);
        EXPECT_EQ(local.Text(), text) << row;
    }
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ReEditDialogTest, RefusedChangesAndHighlightsSayWhatIsMissing)
{
    const std::string twoLines
        = "Tienes que elegir página y posición de palabra ...\r\nNo más de una palabra por posición ...";
    const std::string oneLine = "Tienes que elegir página y posición de palabra ...";
    Click(dialog->HighlightButton()); // nothing chosen
    dialog->ReplacementBox()->setText(QStringLiteral("hola"));
    Click(dialog->ChangeButton()); // nothing chosen
    ChoosePage(1);
    Click(dialog->ChangeButton()); // a page but no piece
    ChoosePiece(3);
    for (const QString& text : { QString(), QStringLiteral("dos palabras") }) {
        dialog->ReplacementBox()->setText(text);
        Click(dialog->ChangeButton());
    }
    EXPECT_EQ(Shown(prompts), (std::vector<std::string> { oneLine, twoLines, twoLines, twoLines, twoLines }));
    EXPECT_EQ(Items(dialog->PieceList()).at(2), "000003 mundo");
}

TEST_F(ReEditDialogTest, HighlightGivesThePieceTheCurrentFormatAndSalirDropsOnlyTheReplacements)
{
    doc.Current().style = kStyleBold | kStyleUnderline;
    doc.Current().textColor = 0x0000FF;
    ASSERT_NE(doc.Records().Get(1), doc.CurrentRecord());
    ChoosePage(1);
    ChoosePiece(1);
    Click(dialog->HighlightButton());
    EXPECT_EQ(doc.Records().Get(1), doc.CurrentRecord());
    EXPECT_NE(doc.Records().Get(3), doc.CurrentRecord());

    ChoosePiece(3);
    dialog->ReplacementBox()->setText(QStringLiteral("gente"));
    Click(dialog->ChangeButton());
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    Click(dialog->ExitButton());
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Rejected);
    EXPECT_EQ(doc.Text(), "hola mundo\runo dos\rfin");
    EXPECT_EQ(doc.TokenText(3), "mundo");
    EXPECT_EQ(doc.Records().Get(1), doc.CurrentRecord());
}

TEST_F(ReEditDialogTest, EnterLeavesItOpenAndEscapeLeavesItAsSalirDoes)
{
    doc.Current().style = kStyleBold;
    ChoosePage(1);
    ChoosePiece(1);
    Click(dialog->HighlightButton());
    ChoosePiece(3);
    dialog->ReplacementBox()->setFocus();
    dialog->ReplacementBox()->setText(QStringLiteral("gente"));
    Click(dialog->ChangeButton());
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    QTest::keyClick(dialog->ReplacementBox(), Qt::Key_Return);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Items(dialog->PieceList()).at(2), "000003 gente"); // Enter changed nothing more
    QTest::keyClick(dialog->ReplacementBox(), Qt::Key_Escape);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    // As "Salir": the replacement is dropped, the format given stays.
    EXPECT_EQ(doc.Text(), "hola mundo\runo dos\rfin");
    EXPECT_EQ(doc.Records().Get(1), doc.CurrentRecord());
    EXPECT_TRUE(prompts.messages.empty());
}
