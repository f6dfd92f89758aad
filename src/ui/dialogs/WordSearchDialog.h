#pragma once

#include "language/DictionarySearch.h"

#include <QDialog>
#include <QStringList>
#include <memory>

class QComboBox;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;

namespace quirel {

class Prompts;

// The word search, "Buscador de cadenas": the user chooses which word list to search, types the
// beginning of a word ("cas") or its ending ("-ción") and gets the matching entries, sorted, with a
// message that counts them. Choosing a result puts it into the search box. The dialog does not
// touch the document.
class WordSearchDialog : public QDialog {
    Q_OBJECT
public:
    // lists must stay valid while the dialog runs. values gives the remembered list choice (the search
    // box starts empty); Values() has the choice and the search text as the user left them. Messages go
    // to prompts, or to message boxes over the dialog when it is null.
    WordSearchDialog(
        SearchLists lists, DictionarySearchValues values, Prompts* prompts = nullptr, QWidget* owner = nullptr);
    ~WordSearchDialog() override;

    const DictionarySearchValues& Values() const { return m_values; }

    QComboBox* ChoiceBox() const { return m_choiceBox; }
    QLineEdit* SearchBox() const { return m_searchBox; }
    QListView* ResultList() const { return m_resultList; }
    QPushButton* SearchButton() const { return m_searchButton; }
    // The items of the result list as shown.
    QStringList Results() const;

    // The search that "Buscar" and Enter in the search box make: nothing for an empty box or a text the
    // search ignores; otherwise the results replace the list and the count is shown.
    void Search();

    // Dialog units of the dialog's font ("MS Sans Serif" 8 points: 6 × 13 pixels for 4 × 8 units)
    // converted to pixels, rounded half away from zero.
    static QRect FromDialogUnits(int x, int y, int width, int height);

private:
    void BuildControls();
    void ChoiceMade(int index);
    void ResultChosen(const QModelIndex& index);

    SearchLists m_lists;
    DictionarySearchValues m_values;
    std::unique_ptr<Prompts> m_ownPrompts;
    Prompts* m_prompts;
    QComboBox* m_choiceBox = nullptr;
    QLineEdit* m_searchBox = nullptr;
    QListView* m_resultList = nullptr;
    QStringListModel* m_results = nullptr;
    QPushButton* m_searchButton = nullptr;
};

// Shows the word search modally over no owner and returns the values to remember.
DictionarySearchValues ShowWordSearch(const SearchLists& lists, const DictionarySearchValues& values);

} // namespace quirel
