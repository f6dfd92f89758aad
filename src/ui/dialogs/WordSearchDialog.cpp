#include "dialogs/WordSearchDialog.h"

#include "dialogs/DialogFont.h"
#include "language/SpanishOrder.h"
#include "platform/QtPrompts.h"
#include "platform/QtText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <cmath>

namespace quirel {
namespace {
constexpr int kDialogX = 70, kDialogY = 70, kDialogWidth = 144, kDialogHeight = 295;

// The result items in the order of a Spanish dictionary.
QStringList SortedForDisplay(const std::vector<std::string>& items)
{
    QStringList sorted;
    sorted.reserve(static_cast<qsizetype>(items.size()));
    for (const std::size_t index : SpanishOrder(items))
        sorted.append(FromCp1252(items[index]));
    return sorted;
}
} // namespace

QRect WordSearchDialog::FromDialogUnits(int x, int y, int width, int height)
{
    auto horizontal = [](int units) { return static_cast<int>(std::lround(units * 6 / 4.0)); };
    auto vertical = [](int units) { return static_cast<int>(std::lround(units * 13 / 8.0)); };
    return { horizontal(x), vertical(y), horizontal(width), vertical(height) };
}

WordSearchDialog::WordSearchDialog(SearchLists lists, DictionarySearchValues values, Prompts* prompts, QWidget* owner)
    : QDialog(owner)
    , m_lists(std::move(lists))
    , m_values(std::move(values))
    , m_prompts(prompts)
{
    if (!m_prompts) {
        m_ownPrompts = std::make_unique<QtPrompts>(this);
        m_prompts = m_ownPrompts.get();
    }
    setObjectName(QStringLiteral("wordSearchDialog"));
    setWindowTitle(QStringLiteral("Buscador de cadenas"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFont(DialogFont(QStringLiteral("MS Sans Serif"), 8));
    const QRect frame = FromDialogUnits(kDialogX, kDialogY, kDialogWidth, kDialogHeight);
    setFixedSize(frame.size());
    setSizeGripEnabled(false);
    move(frame.topLeft());
    BuildControls();

    for (const std::string_view item : kSearchChoiceItems)
        m_choiceBox->addItem(FromCp1252(item));
    const int choice = static_cast<int>(m_values.choice);
    m_choiceBox->setCurrentIndex(
        choice >= 1 && choice <= static_cast<int>(kSearchChoiceItems.size()) ? choice - 1 : -1);
    m_values.searchText.clear();

    connect(m_choiceBox, &QComboBox::currentIndexChanged, this, &WordSearchDialog::ChoiceMade);
    connect(m_searchBox, &QLineEdit::returnPressed, this, &WordSearchDialog::Search);
    connect(m_searchBox, &QLineEdit::textChanged, this,
        [this](const QString& text) { m_values.searchText = ToCp1252(text); });
    connect(m_searchButton, &QPushButton::clicked, this, &WordSearchDialog::Search);
    connect(m_resultList->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current) { ResultChosen(current); });
    connect(m_resultList, &QListView::doubleClicked, this, &WordSearchDialog::ResultChosen);
    m_searchBox->setFocus();
}

WordSearchDialog::~WordSearchDialog() = default;

void WordSearchDialog::BuildControls()
{
    m_choiceBox = new QComboBox(this);
    m_choiceBox->setObjectName(QStringLiteral("choiceBox"));
    m_choiceBox->setGeometry(FromDialogUnits(5, 1, 135, 13));
    m_searchBox = new QLineEdit(this);
    m_searchBox->setObjectName(QStringLiteral("searchBox"));
    m_searchBox->setGeometry(FromDialogUnits(5, 20, 135, 13));
    m_results = new QStringListModel(this);
    m_resultList = new QListView(this);
    m_resultList->setObjectName(QStringLiteral("resultList"));
    m_resultList->setModel(m_results);
    m_resultList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_resultList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_resultList->setUniformItemSizes(true);
    m_resultList->setGeometry(FromDialogUnits(5, 35, 135, 235));
    m_searchButton = new QPushButton(QStringLiteral("Buscar"), this);
    m_searchButton->setObjectName(QStringLiteral("searchButton"));
    // Enter searches only from the search box; elsewhere it does nothing.
    m_searchButton->setAutoDefault(false);
    m_searchButton->setGeometry(FromDialogUnits(5, 275, 135, 15));
}

QStringList WordSearchDialog::Results() const
{
    return m_results->stringList();
}

void WordSearchDialog::Search()
{
    if (m_values.searchText.empty()) return;
    const auto result = SearchWordLists(m_lists, m_values.choice, m_values.searchText);
    if (!result) return;
    m_results->setStringList(SortedForDisplay(result->items));
    m_prompts->ShowMessage(result->message, Prompts::Urgency::Topmost);
}

void WordSearchDialog::ChoiceMade(int index)
{
    if (index < 0) return;
    m_values.choice = static_cast<SearchChoice>(index + 1);
    Search();
}

void WordSearchDialog::ResultChosen(const QModelIndex& index)
{
    if (index.isValid()) m_searchBox->setText(index.data().toString());
}

DictionarySearchValues ShowWordSearch(const SearchLists& lists, const DictionarySearchValues& values)
{
    WordSearchDialog dialog(lists, values);
    dialog.exec();
    return dialog.Values();
}

} // namespace quirel
