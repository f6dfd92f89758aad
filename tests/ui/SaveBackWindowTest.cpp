// "Grabar Documento" through the real file dialog after a start with a document on the command
// line: the dialog shows the document's name readably, and taking it as offered writes that very
// file (after the question), whatever bytes its name holds, without an extension added, however
// long its path.
#include "RealWindowTest.h"
#include "io/DocumentFile.h"

#include <QFileDialog>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace quirel;
using namespace quirel::test;

namespace {

class SaveBackWindowTest : public RealWindowTest { };

} // namespace

TEST_F(SaveBackWindowTest, TheNameOfferedIsTheFileOpened)
{
    std::string deep;
    for (int level = 0; level < 5; ++level)
        deep += "carpeta_de_nivel_" + std::to_string(level) + "_con_un_nombre_bastante_largo/";
    struct Case {
        std::string name; // inside the test folder
        QString shown; // what the dialog's name box shows
    };
    const Case cases[] = {
        { "canci\xF3n.4tf", QStringLiteral("canción.4tf") },
        { "sin_extension", QStringLiteral("sin_extension") },
        { deep + "carta.4tf", QStringLiteral("carta.4tf") },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder place;
        const auto file = place.Path() / c.name;
        std::filesystem::create_directories(file.parent_path());
        Doc().SetText("hola");
        ASSERT_EQ(WriteDocument(Doc(), file), DocumentFileStatus::Done);
        ASSERT_TRUE(editor.OpenStartDocument(file.native()));
        Type(QStringLiteral(" y adiós"));

        QString shown;
        ModalScript script;
        script
            .Then<QFileDialog>([&](QFileDialog& dialog) {
                if (auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) shown = box->text();
                QMetaObject::invokeMethod(&dialog, "accept", Qt::QueuedConnection); // Return
            })
            .Message(QMessageBox::Yes); // "Documento existe !!"
        Choose(command::SaveDocument, script);
        EXPECT_EQ(shown, c.shown);
        ASSERT_EQ(script.Texts().size(), 1);
        EXPECT_TRUE(script.Texts()[0].startsWith(QStringLiteral("Documento existe !!")));
        Document read;
        ASSERT_EQ(ReadDocument(read, file), DocumentFileStatus::Done);
        EXPECT_EQ(read.Text(), "hola y adi\xF3s");
        EXPECT_EQ(place.FileCount(), 1u) << "a new file appeared beside the one opened";
    }
}
