#pragma once

#include "io/PageRange.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quirel {

// "Exportar páginas": which pages an export or a print covers. Three options (the shown page, an
// interval typed in two page boxes, all pages); the export form adds a folder box and "Grabar",
// the print form "Imprimir"; both have "Salir". A choice the rules refuse (IsPageRangeAccepted)
// keeps the dialog open; a refused folder name is explained in a message box (FolderNameRefusal),
// an empty one or a refused interval is not. "Salir", the close box and Escape all leave it
// without a choice (cancelled, choice None).
class PageRangeDialog : public QDialog {
    Q_OBJECT
public:
    explicit PageRangeDialog(const PageRangeRequest& request, QWidget* owner = nullptr);

    // What the dialog was left with (meaningful once it has closed).
    const PageRange& Result() const { return m_result; }

    void reject() override;

private:
    void Choose(RangeChoice choice);
    // "Grabar" and "Imprimir": take the boxes and close when the rules accept them.
    void Confirm();

    PageRangeRequest m_request;
    PageRange m_result;
    QRadioButton* m_singlePage = nullptr;
    QRadioButton* m_interval = nullptr;
    QRadioButton* m_allPages = nullptr;
    QLineEdit* m_firstPage = nullptr;
    QLineEdit* m_lastPage = nullptr;
    QLineEdit* m_folderName = nullptr;
};

// Shows the page-range dialog modally and returns the choice.
PageRange AskPageRange(const PageRangeRequest& request, QWidget* owner);

} // namespace quirel
