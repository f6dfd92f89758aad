#include "dialogs/PageRangeDialog.h"

#include "dialogs/DialogFont.h"
#include "platform/QtPrompts.h"
#include "platform/QtText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace quirel {
namespace {
template <typename Widget> Widget* Place(Widget* widget, const char* name, const QRect& geometry)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}
} // namespace

PageRangeDialog::PageRangeDialog(const PageRangeRequest& request, QWidget* owner)
    : QDialog(owner)
    , m_request(request)
{
    setObjectName(QStringLiteral("pageRangeDialog"));
    setWindowTitle(QStringLiteral("Exportar páginas"));
    setFont(DialogFont(QStringLiteral("MS Sans Serif"), 10, true));
    const bool exportForm = request.form == PageRangeForm::Export;

    Place(new QLabel(QStringLiteral("Elije cuantas páginas quieres de este documento"), this), "heading",
        QRect(12, 10, 400, 22));
    m_singlePage
        = Place(new QRadioButton(QStringLiteral("Una sola página (página actual %1)").arg(request.shownPage), this),
            "singlePage", QRect(12, 40, 400, 22));
    m_interval
        = Place(new QRadioButton(QStringLiteral("Un intervalo de páginas"), this), "interval", QRect(12, 68, 210, 22));
    m_firstPage = Place(new QLineEdit(this), "firstPage", QRect(226, 67, 50, 24));
    Place(new QLabel(QStringLiteral("hasta"), this), "until", QRect(284, 68, 50, 22));
    m_lastPage = Place(new QLineEdit(this), "lastPage", QRect(336, 67, 50, 24));
    m_allPages = Place(
        new QRadioButton(QStringLiteral("Todas las páginas (Completo)"), this), "allPages", QRect(12, 96, 400, 22));

    int y = 132;
    if (exportForm) {
        Place(new QLabel(QStringLiteral("Escribe un nombre de carpeta"), this), "folderLabel", QRect(12, y, 400, 22));
        m_folderName = Place(new QLineEdit(this), "folderName", QRect(12, y + 26, 260, 24));
        auto* save = Place(new QPushButton(QStringLiteral("Grabar"), this), "saveButton", QRect(290, y + 25, 100, 28));
        save->setDefault(true);
        connect(save, &QPushButton::clicked, this, &PageRangeDialog::Confirm);
        y += 66;
    }
    auto* exit = Place(new QPushButton(QStringLiteral("Salir"), this), "exitButton", QRect(12, y, 100, 28));
    exit->setAutoDefault(false);
    connect(exit, &QPushButton::clicked, this, &PageRangeDialog::reject);
    if (!exportForm) {
        auto* print = Place(new QPushButton(QStringLiteral("Imprimir"), this), "printButton", QRect(290, y, 100, 28));
        print->setDefault(true);
        connect(print, &QPushButton::clicked, this, &PageRangeDialog::Confirm);
    }
    setFixedSize(410, y + 42);

    connect(m_singlePage, &QRadioButton::clicked, this, [this] { Choose(RangeChoice::SinglePage); });
    connect(m_interval, &QRadioButton::clicked, this, [this] { Choose(RangeChoice::Interval); });
    connect(m_allPages, &QRadioButton::clicked, this, [this] { Choose(RangeChoice::AllPages); });
    const RangeChoice opening = request.choice == RangeChoice::None ? RangeChoice::SinglePage : request.choice;
    (opening == RangeChoice::Interval          ? m_interval
            : opening == RangeChoice::AllPages ? m_allPages
                                               : m_singlePage)
        ->setChecked(true);
    Choose(opening);
}

void PageRangeDialog::Choose(RangeChoice choice)
{
    m_result.choice = choice;
    m_firstPage->setEnabled(choice == RangeChoice::Interval);
    m_lastPage->setEnabled(choice == RangeChoice::Interval);
}

void PageRangeDialog::Confirm()
{
    PageRange range;
    range.choice = m_result.choice;
    if (m_folderName) range.folderName = ToCp1252(m_folderName->text());
    if (range.choice == RangeChoice::Interval) {
        range.firstPage = ReadPageNumber(ToCp1252(m_firstPage->text()));
        range.lastPage = ReadPageNumber(ToCp1252(m_lastPage->text()));
    }
    // A refused folder name is explained; the dialog stays open for another.
    if (m_folderName) {
        if (const std::string why = FolderNameRefusal(range.folderName); !why.empty()) {
            QtPrompts(this).ShowMessage(why, Prompts::Urgency::Normal);
            return;
        }
    }
    if (!IsPageRangeAccepted(m_request.form, range, m_request.pageCount)) return;
    m_result = range;
    accept();
}

void PageRangeDialog::reject()
{
    m_result = PageRange {};
    m_result.choice = RangeChoice::None;
    m_result.cancelled = true;
    QDialog::reject();
}

PageRange AskPageRange(const PageRangeRequest& request, QWidget* owner)
{
    PageRangeDialog dialog(request, owner);
    if (dialog.exec() == QDialog::Accepted) return dialog.Result();
    PageRange cancelled;
    cancelled.choice = RangeChoice::None;
    cancelled.cancelled = true;
    return cancelled;
}

} // namespace quirel
