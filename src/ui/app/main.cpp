#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/MainWindow.h"
#include "editor/Editor.h"
#include "io/ProgramFolder.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(quirel); // the pictures live in the static UI library
    QApplication::setApplicationName(QStringLiteral("Quirel"));

    // Standard buttons in Spanish ("Sí", "No", "Cancelar").
    QTranslator qtSpanish;
    if (qtSpanish.load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtSpanish);

    quirel::Editor editor(quirel::ProgramFolder());
    quirel::MainWindow window(editor);
    window.show();
    return QApplication::exec();
}
