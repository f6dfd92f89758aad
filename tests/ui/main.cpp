#include <QApplication>
#include <gtest/gtest.h>

// UI tests drive the real widgets without a display.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(quirel); // the pictures live in the static UI library
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
