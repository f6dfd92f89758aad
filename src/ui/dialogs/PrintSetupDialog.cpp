#include "dialogs/PrintSetupDialog.h"

#include "dialogs/DialogFont.h"
#include "platform/QtText.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace quirel {
namespace {
// A label over a list filled with items, showing item selected (−1: none).
template <std::size_t N>
QComboBox* AddColumn(QWidget* parent, const QString& title, const std::array<std::string_view, N>& items, int selected,
    const char* name, int x)
{
    auto* label = new QLabel(title, parent);
    label->setObjectName(QStringLiteral("%1Label").arg(QLatin1String(name)));
    label->setFont(DialogFont(QStringLiteral("MS Sans Serif"), 10, true));
    label->setGeometry(x, 10, 190, 22);
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setFont(DialogFont(QStringLiteral("MS Sans Serif"), 10));
    list->setGeometry(x, 36, 190, 26);
    list->clear();
    for (const auto item : items)
        list->addItem(FromCp1252(item));
    list->setCurrentIndex(selected);
    return list;
}

std::string SelectedText(const QComboBox* list)
{
    return list->currentIndex() < 0 ? std::string() : ToCp1252(list->currentText());
}
} // namespace

PrintSetupDialog::PrintSetupDialog(const PrintSettings& settings, const QString& printerName, QWidget* owner)
    : QDialog(owner)
    , m_result(settings)
{
    setObjectName(QStringLiteral("printSetupDialog"));
    setWindowTitle(QStringLiteral("Configura la impresión"));
    const PrintSetupSelection selection = SelectionForSettings(settings);
    m_copies = AddColumn(this, QStringLiteral("Número de copias"), kCopiesItems, selection.copies, "copies", 12);
    m_colourMode
        = AddColumn(this, QStringLiteral("Modo color"), kColourModeItems, selection.colourMode, "colourMode", 212);
    m_quality
        = AddColumn(this, QStringLiteral("Resolución de impresión"), kQualityItems, selection.quality, "quality", 412);

    auto* next = new QPushButton(QStringLiteral("Seguir"), this);
    next->setObjectName(QStringLiteral("nextButton"));
    next->setFont(DialogFont(QStringLiteral("MS Sans Serif"), 10, true));
    next->setGeometry(12, 80, 100, 28);
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, [this] {
        m_result = SettingsFromItems(SelectedText(m_copies), SelectedText(m_colourMode), SelectedText(m_quality));
        accept();
    });

    auto* printer = new QLabel(printerName, this);
    printer->setObjectName(QStringLiteral("printerName"));
    printer->setFont(DialogFont(QStringLiteral("Georgia"), 10, true));
    printer->setGeometry(124, 80, 478, 28);
    printer->setAutoFillBackground(true);
    QPalette grey = printer->palette();
    grey.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    printer->setPalette(grey);

    setFixedSize(614, 120);
}

void AskPrintSetup(PrintSettings& settings, const QString& printerName, QWidget* owner)
{
    PrintSetupDialog dialog(settings, printerName, owner);
    if (dialog.exec() == QDialog::Accepted) settings = dialog.Result();
}

} // namespace quirel
