#include "dialogs/SearchDialogs.h"

#include "dialogs/DialogFont.h"
#include "language/LanguageMessages.h"
#include "language/SearchReplace.h"
#include "platform/QtPrompts.h"
#include "platform/QtText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace quirel {
namespace {
const QString kIconResource = QStringLiteral(":/icon/quirel-32.png");
// The label of the search box, which both dialogs have.
const QString kSearchBoxLabel = QStringLiteral("Palabra a Buscar");

constexpr int kIconSize = 32;
constexpr int kLeft = 48; // labels and boxes stand right of the icon
constexpr int kBoxWidth = 272;
constexpr int kLabelHeight = 20;
constexpr int kBoxHeight = 30;
constexpr QSize kButtonSize(80, 24);
} // namespace

std::optional<std::string> SingleWordOf(const QString& boxText)
{
    auto word = ToCp1252Exactly(boxText);
    if (!word || !IsSingleWord(*word)) return std::nullopt;
    return word;
}

WordsDialog::WordsDialog(const QString& title, const QString& acceptText, Prompts* prompts, QWidget* owner)
    : QDialog(owner)
    , m_prompts(prompts)
{
    if (!m_prompts) {
        m_ownPrompts = std::make_unique<QtPrompts>(this);
        m_prompts = m_ownPrompts.get();
    }
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setGeometry(8, 8, kIconSize, kIconSize);
    const QPixmap picture(kIconResource);
    if (!picture.isNull())
        icon->setPixmap(picture.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    const QFont buttonFont = DialogFont(QStringLiteral("MS Sans Serif"), 8, true);
    m_acceptButton = new QPushButton(acceptText, this);
    m_acceptButton->setObjectName(QStringLiteral("acceptButton"));
    m_acceptButton->setFont(buttonFont);
    m_acceptButton->setDefault(true);
    m_acceptButton->setAutoDefault(true);
    m_exitButton = new QPushButton(QStringLiteral("Salir"), this);
    m_exitButton->setObjectName(QStringLiteral("exitButton"));
    m_exitButton->setFont(buttonFont);
    m_exitButton->setAutoDefault(false);
    connect(m_acceptButton, &QPushButton::clicked, this, [this] { TryAccept(); });
    connect(m_exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* WordsDialog::AddBox(const QString& label, const QString& name)
{
    auto* caption = new QLabel(label, this);
    caption->setObjectName(name + QStringLiteral("Label"));
    caption->setFont(DialogFont(QStringLiteral("MS Sans Serif"), 10, true));
    caption->setGeometry(kLeft, m_nextY, kBoxWidth, kLabelHeight);
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setFont(DialogFont(QStringLiteral("Georgia"), 12, false));
    box->setGeometry(kLeft, m_nextY + kLabelHeight + 2, kBoxWidth, kBoxHeight);
    m_nextY += kLabelHeight + 2 + kBoxHeight + 10;
    return box;
}

void WordsDialog::Finish()
{
    const int y = m_nextY + 4;
    const int right = kLeft + kBoxWidth;
    m_exitButton->setGeometry(QRect(QPoint(right - kButtonSize.width(), y), kButtonSize));
    m_acceptButton->setGeometry(QRect(QPoint(right - 2 * kButtonSize.width() - 8, y), kButtonSize));
    setFixedSize(right + 12, y + kButtonSize.height() + 10);
}

void WordsDialog::Refuse(std::string_view message)
{
    m_prompts->ShowMessage(message, Prompts::Urgency::Normal);
}

SearchDialog::SearchDialog(Prompts* prompts, QWidget* owner)
    : WordsDialog(QStringLiteral("Buscador"), QStringLiteral("Buscar"), prompts, owner)
    , m_searchBox(AddBox(kSearchBoxLabel, QStringLiteral("searchBox")))
{
    setObjectName(QStringLiteral("searchDialog"));
    Finish();
    m_searchBox->setFocus();
}

void SearchDialog::TryAccept()
{
    const auto word = SingleWordOf(m_searchBox->text());
    if (!word) {
        Refuse(kSearchWordRefusedMessage);
        return;
    }
    m_words.search = *word;
    accept();
}

ReplaceDialog::ReplaceDialog(Prompts* prompts, QWidget* owner)
    : WordsDialog(QStringLiteral("Reemplazar"), QStringLiteral("Reemplazar"), prompts, owner)
    , m_searchBox(AddBox(kSearchBoxLabel, QStringLiteral("searchBox")))
    , m_replacementBox(AddBox(QStringLiteral("Palabra a Reemplazar"), QStringLiteral("replacementBox")))
{
    setObjectName(QStringLiteral("replaceDialog"));
    Finish();
    m_searchBox->setFocus();
}

void ReplaceDialog::TryAccept()
{
    const auto search = SingleWordOf(m_searchBox->text());
    const auto replacement = SingleWordOf(m_replacementBox->text());
    if (!search || !replacement) {
        Refuse(kReplaceWordsRefusedMessage);
        return;
    }
    m_words = { *search, *replacement };
    accept();
}

SearchWords AskSearchWord(QWidget* owner)
{
    SearchDialog dialog(nullptr, owner);
    dialog.exec();
    return dialog.Words();
}

SearchWords AskReplaceWords(QWidget* owner)
{
    ReplaceDialog dialog(nullptr, owner);
    dialog.exec();
    return dialog.Words();
}

} // namespace quirel
