#pragma once

#include "io/Printing.h"

#include <QDialog>

class QComboBox;
class QLabel;

namespace quirel {

// "Configura la impresión": the number of copies, the colour mode and the print quality, each a
// list under its label, the default printer's name and "Seguir". The lists open on the settings
// (a setting of 0 selects nothing); "Seguir" reads the settings back from the selected items and
// closes. The close box and Escape leave the settings as they were.
class PrintSetupDialog : public QDialog {
    Q_OBJECT
public:
    PrintSetupDialog(const PrintSettings& settings, const QString& printerName, QWidget* owner = nullptr);

    // The settings "Seguir" read (the opening settings until then).
    const PrintSettings& Result() const { return m_result; }

private:
    PrintSettings m_result;
    QComboBox* m_copies = nullptr;
    QComboBox* m_colourMode = nullptr;
    QComboBox* m_quality = nullptr;
};

// Shows the set-up dialog modally; settings change only when it is left with "Seguir".
void AskPrintSetup(PrintSettings& settings, const QString& printerName, QWidget* owner);

} // namespace quirel
