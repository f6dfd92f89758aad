#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "editor/Editor.h"

using namespace quirel;

TEST(MainWindow, StartsWithAnEmptyFramedPage)
{
    QTemporaryDir folder;
    Editor editor(folder.path().toStdString());
    MainWindow window(editor);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Quirelpad");
    const QImage& page = window.EditSurface()->Picture();
    ASSERT_EQ(page.size(), QSize(794, 1122));
    EXPECT_EQ(page.pixel(0, 500), qRgb(0, 0, 0));
    EXPECT_EQ(page.pixel(793, 0), qRgb(0, 0, 0));
    EXPECT_EQ(page.pixel(400, 500), qRgb(255, 255, 255));
}
