#include "app/EditSurface.h"
#include "app/MainWindow.h"
#include "editor/Editor.h"
#include "io/ProgramFolder.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <string>

// Start-up: settings, the main window with its controls, the word lists, the empty document or
// the one named on the command line; the program ends when the window does.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(quirel); // the pictures live in the static UI library
    QApplication::setApplicationName(QStringLiteral("Quirel"));
    QApplication::setDesktopFileName(QStringLiteral("quirel"));

    // Standard buttons in Spanish ("Sí", "No", "Cancelar").
    QTranslator qtSpanish;
    if (qtSpanish.load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtSpanish);

    quirel::Editor editor(quirel::ProgramFolder());
    quirel::MainWindow window(editor);
    window.show();
    // For the start-up benchmark: leave once the first page is painted, or once the word lists are in.
    if (qEnvironmentVariableIsSet("QUIREL_QUIT_WHEN_SHOWN")) {
        QTimer::singleShot(0, &window, [&window] {
            window.Surface()->repaint();
            std::fflush(nullptr);
            std::_Exit(0);
        });
    }
    if (qEnvironmentVariableIsSet("QUIREL_QUIT_WHEN_LOADED"))
        QObject::connect(&window, &quirel::MainWindow::WordListsLoaded, &app, &QApplication::quit);
    // The document's name as the bytes the system gave (Qt has taken its own options out of argv):
    // a name that is not UTF-8 must not be decoded and encoded again.
    std::string commandLine;
    for (int i = 1; i < argc; ++i)
        commandLine.append(i > 1 ? " " : "").append(argv[i]);
    window.Initialise(commandLine);
    return QApplication::exec();
}
