#include "app/FontList.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace quirel;

namespace {
QStringList Items(const QComboBox& list)
{
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items.append(list.itemText(i));
    return items;
}

// Records the order in which the two signals arrive, with their faces.
struct SignalLog {
    QStringList events;
    explicit SignalLog(FontList& list)
    {
        QObject::connect(&list, &FontList::FaceChosen, [this](const QString& face) { events << "chosen " + face; });
        QObject::connect(
            &list, &FontList::FaceConfirmed, [this](const QString& face) { events << "confirmed " + face; });
    }
};

// Clicks item row of the open list, as a user picks a face.
void PickInOpenList(FontList& list, int row)
{
    list.showPopup();
    QAbstractItemView* view = list.view();
    const QRect item = view->visualRect(list.model()->index(row, 0));
    ASSERT_TRUE(item.isValid());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
}
} // namespace

TEST(FontList, HoldsEveryInstalledFamilyOnceSortedAndStartsDisabledWithoutSelection)
{
    FontList list;
    const QStringList items = Items(list);
    EXPECT_FALSE(list.isEnabled());
    EXPECT_EQ(list.currentIndex(), -1);

    // The families the machine's set-up installs are there; generic names and foundry suffixes not.
    for (const char* family : { "DejaVu Sans", "DejaVu Serif", "Liberation Mono", "Liberation Sans" })
        EXPECT_EQ(items.count(family), 1) << family;
    for (const char* generic : { "Sans Serif", "Serif", "Monospace" })
        EXPECT_FALSE(items.contains(generic)) << generic;
    for (const QString& item : items)
        EXPECT_FALSE(item.endsWith(']')) << item.toStdString();

    // Every family of the font database appears, under its name without the foundry.
    for (QString family : QFontDatabase::families()) {
        family = family.section(" [", 0, 0);
        if (family == "Sans Serif" || family == "Serif" || family == "Monospace"
            || QFontDatabase::isPrivateFamily(family))
            continue;
        EXPECT_TRUE(items.contains(family)) << family.toStdString();
    }
    EXPECT_EQ(QSet<QString>(items.begin(), items.end()).size(), items.size()) << "no duplicates";
    for (int i = 1; i < items.size(); ++i)
        EXPECT_LT(QString::compare(items[i - 1], items[i], Qt::CaseInsensitive), 0)
            << items[i - 1].toStdString() << " / " << items[i].toStdString();

    // Filling again gives the same list, still without selection.
    list.SelectFace("DejaVu Sans");
    list.FillFontList();
    EXPECT_EQ(Items(list), items);
    EXPECT_EQ(list.currentIndex(), -1);
}

TEST(FontList, StartSelectionIsTheFirstItemBeginningWithTheName)
{
    struct Case {
        const char* name;
        const char* selected; // nullptr: no selection
    };
    const Case cases[] = {
        { "DejaVu Sans", "DejaVu Sans" },
        { "dejavu sans", "DejaVu Sans" },
        { "DEJAVU SANS M", "DejaVu Sans Mono" },
        { "liberation", "Liberation Mono" },
        { "Liberation Serif", "Liberation Serif" },
        { "No Such Face", nullptr },
        { "Liberation Serif Extra", nullptr },
        { "", nullptr },
    };
    FontList list;
    QSignalSpy chosen(&list, &FontList::FaceChosen);
    QSignalSpy confirmed(&list, &FontList::FaceConfirmed);
    for (const Case& c : cases) {
        list.SelectFace("Liberation Sans"); // a previous selection must not survive a miss
        const int index = list.SelectFace(c.name);
        EXPECT_EQ(index, list.currentIndex()) << c.name;
        if (c.selected)
            EXPECT_EQ(list.currentText(), c.selected) << c.name;
        else
            EXPECT_EQ(index, -1) << c.name;
    }
    EXPECT_EQ(chosen.count(), 0);
    EXPECT_EQ(confirmed.count(), 0);
}

TEST(FontList, UserChoicesSignalOnlyWhenEnabled)
{
    FontList list;
    list.show();
    SignalLog log(list);
    const int start = list.SelectFace("DejaVu Sans");
    ASSERT_GE(start, 0);

    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_TRUE(log.events.isEmpty()) << "a disabled list takes no keys";
    EXPECT_EQ(list.currentIndex(), start);

    list.Enable();
    ASSERT_TRUE(list.isEnabled());
    QTest::keyClick(&list, Qt::Key_Down);
    const QString next = list.itemText(start + 1);
    EXPECT_EQ(log.events, QStringList({ "confirmed " + next, "chosen " + next }));

    // Another face picked in the open list.
    log.events.clear();
    PickInOpenList(list, start);
    EXPECT_EQ(log.events, QStringList({ "confirmed DejaVu Sans", "chosen DejaVu Sans" }));
    EXPECT_EQ(list.currentIndex(), start);

    // The selected face picked again ends the choice without changing it.
    log.events.clear();
    PickInOpenList(list, start);
    EXPECT_EQ(log.events, QStringList({ "confirmed DejaVu Sans" }));

    // The same after the program itself changed the selection.
    log.events.clear();
    list.setCurrentIndex(start + 2);
    PickInOpenList(list, start + 2);
    EXPECT_EQ(log.events, QStringList({ "confirmed " + list.itemText(start + 2) }));
}

TEST(FontList, ItemsAreDrawnInTheirFaceWithHighlightAndFocusRectangle)
{
    QPalette palette;
    palette.setColor(QPalette::Highlight, QColor(0, 0, 200));
    palette.setColor(QPalette::HighlightedText, QColor(255, 255, 0));
    palette.setColor(QPalette::Base, QColor(255, 255, 255));
    palette.setColor(QPalette::Text, QColor(0, 0, 0));
    const QRect rect(0, 0, 200, 24);

    struct Case {
        const char* what;
        ItemPlace place;
        ItemSelected selected;
        QColor background;
        bool focusRectangle;
    };
    const Case cases[] = {
        { "selected in the open list", ItemPlace::List, ItemSelected::Yes, QColor(0, 0, 200), true },
        { "other item of the open list", ItemPlace::List, ItemSelected::No, QColor(255, 255, 255), false },
        { "selection field", ItemPlace::Field, ItemSelected::Yes, QColor(255, 255, 255), true },
    };
    for (const Case& c : cases) {
        QImage image(rect.size(), QImage::Format_RGB32);
        image.fill(QColor(1, 2, 3));
        QPainter painter(&image);
        EXPECT_TRUE(DrawFontItem(painter, rect, palette, 0, "DejaVu Serif", c.place, c.selected)) << c.what;
        painter.end();
        EXPECT_EQ(image.pixelColor(190, 12), c.background) << c.what;
        int borderInk = 0;
        for (int x = 0; x < rect.width(); ++x)
            borderInk += image.pixelColor(x, 0) != c.background;
        EXPECT_EQ(borderInk > 0, c.focusRectangle) << c.what;
        int ink = 0;
        for (int y = 2; y < 22; ++y)
            for (int x = 2; x < 100; ++x)
                ink += image.pixelColor(x, y) != c.background;
        EXPECT_GT(ink, 20) << c.what << ": the name is drawn";
    }

    // No item: nothing is drawn at all.
    QImage image(rect.size(), QImage::Format_RGB32);
    image.fill(QColor(1, 2, 3));
    QPainter painter(&image);
    EXPECT_FALSE(DrawFontItem(painter, rect, palette, -1, "", ItemPlace::Field, ItemSelected::Yes));
    painter.end();
    EXPECT_EQ(image.pixelColor(5, 5), QColor(1, 2, 3));
}

TEST(FontList, FacesAreTwelvePointsAndTallFacesGetTallerItems)
{
    const QFont font = MakeFaceFont("Liberation Serif", 12, QFont::Bold, Italic::Yes, Underline::Yes);
    EXPECT_EQ(font.pixelSize(), 16) << "12 points at 96 dpi";
    EXPECT_EQ(QFontInfo(font).family(), "Liberation Serif");
    EXPECT_TRUE(font.bold() && font.italic() && font.underline());
    EXPECT_EQ(MakeFaceFont("Liberation Mono", 7).pixelSize(), 9);

    FontList list;
    QAbstractItemDelegate* delegate = list.itemDelegate();
    QStyleOptionViewItem option;
    option.initFrom(list.view());
    for (int row = 0; row < list.count(); ++row) {
        const QString face = list.itemText(row);
        const int height = delegate->sizeHint(option, list.model()->index(row, 0)).height();
        EXPECT_GE(height, list.ItemHeight()) << face.toStdString();
        EXPECT_GE(height, QFontMetrics(MakeFaceFont(face, 12)).height()) << face.toStdString();
    }
    EXPECT_EQ(list.ItemHeight(), list.fontMetrics().height() + 4);
    EXPECT_GE(list.sizeHint().height(), list.ItemHeight());
}
