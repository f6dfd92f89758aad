#include "dialogs/PageRangeDialog.h"
#include "dialogs/PrintSetupDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace quirel;

namespace {

template <typename T> T* Child(QWidget& parent, const char* name)
{
    auto* child = parent.findChild<T*>(QLatin1String(name));
    EXPECT_TRUE(child) << name;
    return child;
}

} // namespace

TEST(PageRangeDialogTest, PrintFormTextsAndTheIntervalBoxes)
{
    PageRangeDialog dialog({ PageRangeForm::Print, RangeChoice::AllPages, 7, 9 });
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Exportar páginas"));
    EXPECT_EQ(
        Child<QLabel>(dialog, "heading")->text(), QString::fromUtf8("Elije cuantas páginas quieres de este documento"));
    EXPECT_EQ(
        Child<QRadioButton>(dialog, "singlePage")->text(), QString::fromUtf8("Una sola página (página actual 7)"));
    EXPECT_EQ(Child<QRadioButton>(dialog, "interval")->text(), QString::fromUtf8("Un intervalo de páginas"));
    EXPECT_EQ(Child<QLabel>(dialog, "until")->text(), "hasta");
    EXPECT_EQ(Child<QRadioButton>(dialog, "allPages")->text(), QString::fromUtf8("Todas las páginas (Completo)"));
    EXPECT_EQ(Child<QPushButton>(dialog, "printButton")->text(), "Imprimir");
    EXPECT_EQ(Child<QPushButton>(dialog, "exitButton")->text(), "Salir");
    EXPECT_FALSE(dialog.findChild<QLineEdit*>(QStringLiteral("folderName")));
    EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("saveButton")));
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        EXPECT_EQ(widget->font().family(), "MS Sans Serif") << widget->objectName().toStdString();
        EXPECT_EQ(widget->font().pointSize(), 10);
        EXPECT_TRUE(widget->font().bold());
    }

    // All pages checked on opening: the page boxes wait for the interval option.
    EXPECT_TRUE(Child<QRadioButton>(dialog, "allPages")->isChecked());
    auto* first = Child<QLineEdit>(dialog, "firstPage");
    auto* last = Child<QLineEdit>(dialog, "lastPage");
    EXPECT_FALSE(first->isEnabled());
    dialog.show();
    QTest::mouseClick(Child<QRadioButton>(dialog, "interval"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(first->isEnabled() && last->isEnabled());
    first->setText(QStringLiteral(" 8 "));
    last->setText(QStringLiteral("9"));
    Child<QPushButton>(dialog, "printButton")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result().choice, RangeChoice::Interval);
    EXPECT_EQ(dialog.Result().firstPage, 8);
    EXPECT_EQ(dialog.Result().lastPage, 9);
    EXPECT_FALSE(dialog.Result().cancelled);
}

TEST(PageRangeDialogTest, TheCloseBoxLeavesLikeSalir)
{
    PageRangeDialog dialog({ PageRangeForm::Export, RangeChoice::Interval, 1, 3 });
    EXPECT_EQ(Child<QLabel>(dialog, "folderLabel")->text(), "Escribe un nombre de carpeta");
    EXPECT_EQ(Child<QPushButton>(dialog, "saveButton")->text(), "Grabar");
    dialog.show();
    dialog.close();
    EXPECT_TRUE(dialog.Result().cancelled);
    EXPECT_EQ(dialog.Result().choice, RangeChoice::None);
}

// The boxes turn a character the code page cannot hold into "?" instead of dropping it: dropped,
// "1✓" read as page 1 and "Fotos✓" chose the folder "Fotos", which may hold other pages.
TEST(PageRangeDialogTest, ACharacterTheCodePageCannotHoldStaysAsAQuestionMark)
{
    PageRangeDialog dialog({ PageRangeForm::Export, RangeChoice::Interval, 1, 5 });
    dialog.show();
    Child<QLineEdit>(dialog, "folderName")->setText(QString::fromUtf8("Fotos\u2713"));
    Child<QLineEdit>(dialog, "firstPage")->setText(QString::fromUtf8("1\u2713"));
    Child<QLineEdit>(dialog, "lastPage")->setText(QStringLiteral("3"));
    Child<QPushButton>(dialog, "saveButton")->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted); // "1?" is no page number
    EXPECT_TRUE(dialog.isVisible());

    Child<QLineEdit>(dialog, "firstPage")->setText(QStringLiteral("1"));
    Child<QPushButton>(dialog, "saveButton")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result().firstPage, 1);
    EXPECT_EQ(dialog.Result().lastPage, 3);
    EXPECT_EQ(dialog.Result().folderName, "Fotos?");
}

TEST(PrintSetupDialogTest, ListsLabelsAndTheSettingsGivenBack)
{
    PrintSetupDialog dialog({ 0, 2, 0 }, QStringLiteral("Oficina"));
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Configura la impresión"));
    EXPECT_EQ(Child<QLabel>(dialog, "copiesLabel")->text(), QString::fromUtf8("Número de copias"));
    EXPECT_EQ(Child<QLabel>(dialog, "colourModeLabel")->text(), "Modo color");
    EXPECT_EQ(Child<QLabel>(dialog, "qualityLabel")->text(), QString::fromUtf8("Resolución de impresión"));
    auto* copies = Child<QComboBox>(dialog, "copies");
    auto* colour = Child<QComboBox>(dialog, "colourMode");
    auto* quality = Child<QComboBox>(dialog, "quality");
    QStringList items;
    for (QComboBox* list : { copies, colour, quality })
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
    EXPECT_EQ(items.join(QLatin1Char('|')),
        QString::fromUtf8("01 copia|02 copias|03 copias|04 copias|05 copias|10 copias|1 - Monocromo|2 - Color|"
                          "1 - Borrador|2 - Baja Resolución|3 - Media Resolución|4 - Alta Resolución"));
    EXPECT_EQ(copies->currentIndex(), -1); // nothing chosen yet
    EXPECT_EQ(colour->currentText(), "2 - Color");
    EXPECT_EQ(copies->font().family(), "MS Sans Serif");
    EXPECT_FALSE(copies->font().bold());
    auto* printer = Child<QLabel>(dialog, "printerName");
    EXPECT_EQ(printer->text(), "Oficina");
    EXPECT_EQ(printer->font().family(), "Georgia");
    EXPECT_TRUE(printer->font().bold());
    EXPECT_EQ(printer->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
    auto* next = Child<QPushButton>(dialog, "nextButton");
    EXPECT_EQ(next->text(), "Seguir");
    EXPECT_TRUE(next->font().bold());

    copies->setCurrentIndex(5);
    next->click();
    EXPECT_EQ(dialog.Result().copies, 10);
    EXPECT_EQ(dialog.Result().colourMode, 2);
    EXPECT_EQ(dialog.Result().quality, 0); // a list without a selection gives 0
}
