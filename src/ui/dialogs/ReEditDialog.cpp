#include "dialogs/ReEditDialog.h"

#include "dialogs/DialogFont.h"
#include "document/Document.h"
#include "editor/EditorMessages.h"
#include "language/LanguageMessages.h"
#include "platform/QtPrompts.h"
#include "platform/QtText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quirel {
namespace {
constexpr QPoint kPosition(105, 114);
constexpr QSize kSize(302, 428);
// The page box closes to one line above "Elige trozo"; its list opens below it.
constexpr int kPageBoxHeight = 23;
constexpr int kPageBoxVisibleItems = 30;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(place);
    return label;
}

QListWidget* MakeList(QWidget* parent, const char* name, const QRect& place)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    list->setGeometry(place);
    return list;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, const QRect& place)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    // No button answers Enter: a key pressed in the replacement box must not change or close anything.
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setGeometry(place);
    return button;
}

void SetTextColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}
} // namespace

ReEditDialog::ReEditDialog(Document& doc, Prompts* prompts, QWidget* owner)
    : QDialog(owner)
    , m_doc(doc)
    , m_prompts(prompts)
{
    if (!m_prompts) {
        m_ownPrompts = std::make_unique<QtPrompts>(this);
        m_prompts = m_ownPrompts.get();
    }
    setObjectName(QStringLiteral("reEditDialog"));
    setWindowTitle(QStringLiteral("Re-Editar"));
    // A caption without system menu or buttons, above every other window.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setFont(DialogFont(QStringLiteral("Segoe UI"), 9));
    setFixedSize(kSize);
    setSizeGripEnabled(false);
    move(kPosition);

    BuildControls();
    m_pageItems = PageItems(m_doc.Pages().pageCount);
    // The items go in page order: a sorted box would put "#pagina 100" between "#pagina 10" and "#pagina 11".
    for (const std::string& item : m_pageItems)
        m_pageBox->addItem(FromCp1252(item));
    m_pageBox->setCurrentIndex(-1);
    for (const SpecialChar& special : kSpecialChars)
        m_specialList->addItem(FromCp1252(special.item));
    ConnectControls();
}

ReEditDialog::~ReEditDialog() = default;

void ReEditDialog::BuildControls()
{
    MakeLabel(this, "pageLabel", QStringLiteral("Elige página"), { 8, 0, 184, 16 });
    m_pageBox = new QComboBox(this);
    m_pageBox->setObjectName(QStringLiteral("pageBox"));
    m_pageBox->setMaxVisibleItems(kPageBoxVisibleItems);
    m_pageBox->setGeometry(8, 16, 288, kPageBoxHeight);
    MakeLabel(this, "pieceLabel", QStringLiteral("Elige trozo"), { 8, 40, 184, 16 });
    m_pieceList = MakeList(this, "pieceList", { 8, 56, 288, 136 });
    m_chosenPiece = MakeLabel(this, "chosenPiece", QString(), { 8, 192, 288, 24 });
    SetTextColour(m_chosenPiece, QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
    MakeLabel(this, "replacementLabel", QStringLiteral("cambiarla por ..."), { 8, 216, 288, 24 });
    m_replacementBox = new QLineEdit(this);
    m_replacementBox->setObjectName(QStringLiteral("replacementBox"));
    m_replacementBox->setGeometry(8, 240, 288, 24);
    SetTextColour(m_replacementBox, QPalette::Text, QColor(0x00, 0x00, 0xFF));
    MakeLabel(this, "specialLabel", QStringLiteral("Caractéres Especiales"), { 8, 272, 224, 24 });
    m_specialList = MakeList(this, "specialList", { 8, 296, 168, 130 });
    m_highlightButton = MakeButton(this, "highlightButton", QStringLiteral("Poner Resalte"), { 184, 272, 107, 24 });
    m_changeButton = MakeButton(this, "changeButton", QStringLiteral("Cambiar trozo"), { 184, 312, 107, 24 });
    m_acceptButton = MakeButton(this, "acceptButton", QStringLiteral("Aceptar cámbios"), { 184, 352, 107, 24 });
    m_exitButton = MakeButton(this, "exitButton", QStringLiteral("Salir"), { 184, 392, 107, 24 });
}

void ReEditDialog::ConnectControls()
{
    connect(m_pageBox, &QComboBox::currentIndexChanged, this, &ReEditDialog::PageChosen);
    connect(m_pieceList, &QListWidget::currentRowChanged, this, &ReEditDialog::PieceChosen);
    connect(m_specialList, &QListWidget::currentRowChanged, this, &ReEditDialog::SpecialChosen);
    connect(m_changeButton, &QPushButton::clicked, this, &ReEditDialog::ChangePiece);
    connect(m_highlightButton, &QPushButton::clicked, this, &ReEditDialog::Highlight);
    connect(m_acceptButton, &QPushButton::clicked, this, &ReEditDialog::Accept);
    connect(m_exitButton, &QPushButton::clicked, this, &ReEditDialog::Exit);
}

void ReEditDialog::PageChosen(int index)
{
    if (index < 0 || index >= static_cast<int>(m_pageItems.size())) return;
    ChoosePage(m_state, m_pageItems[static_cast<std::size_t>(index)]);
    FillPieces();
}

void ReEditDialog::FillPieces()
{
    m_pieceItems = FillPieceList(m_doc, m_state.chosenPage);
    QStringList items;
    items.reserve(static_cast<qsizetype>(m_pieceItems.size()));
    for (const std::string& item : m_pieceItems)
        items.append(FromCp1252(item));
    m_pieceList->clear();
    m_pieceList->addItems(items);
    if (m_state.chosenToken == 0) return;
    const std::string chosen = PieceItem(m_state.chosenToken, {});
    for (std::size_t row = 0; row < m_pieceItems.size(); ++row) {
        if (m_pieceItems[row].compare(0, chosen.size(), chosen) == 0) {
            m_pieceList->setCurrentRow(static_cast<int>(row));
            break;
        }
    }
}

void ReEditDialog::PieceChosen(int row)
{
    if (row < 0 || row >= static_cast<int>(m_pieceItems.size())) return;
    if (const auto label = ::quirel::ChoosePiece(m_state, m_pieceItems[static_cast<std::size_t>(row)]))
        m_chosenPiece->setText(FromCp1252(*label));
}

void ReEditDialog::SpecialChosen(int row)
{
    if (row < 0 || row >= static_cast<int>(kSpecialChars.size())) return;
    m_replacementBox->setText(FromCp1252(ChooseSpecial(m_state, kSpecialChars[static_cast<std::size_t>(row)].item)));
}

void ReEditDialog::ChangePiece()
{
    if (::quirel::ChangePiece(m_doc, m_state, ToCp1252(m_replacementBox->text())) == ReEditOutcome::Refused) {
        m_prompts->ShowMessage(kReEditChangeRefusedMessage, Prompts::Urgency::Normal);
        return;
    }
    FillPieces();
}

void ReEditDialog::Highlight()
{
    if (HighlightPiece(m_doc, m_state) == ReEditOutcome::Refused)
        m_prompts->ShowMessage(kReEditHighlightRefusedMessage, Prompts::Urgency::Normal);
}

void ReEditDialog::Accept()
{
    // A refused text keeps the dialog open with the replacements, so the user can undo one or leave.
    if (AcceptChanges(m_doc) == EditStatus::Refused) {
        m_prompts->ShowMessage(kTokenLimitMessage, Prompts::Urgency::Normal);
        return;
    }
    done(QDialog::Accepted);
}

void ReEditDialog::Exit()
{
    DiscardChanges(m_doc);
    done(QDialog::Rejected);
}

void ReEditDialog::reject()
{
    Exit();
}

bool ShowReEdit(Document& doc)
{
    ReEditDialog dialog(doc);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace quirel
