#pragma once

#include "editor/Prompts.h"

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quirel {

class Prompts;

// The word a dialog box holds, when it is one word: not empty, without a blank, and made only of
// characters the document can hold. Nothing otherwise.
std::optional<std::string> SingleWordOf(const QString& boxText);

// The base of both dialogs: the program's icon at the top left, labels and boxes one under the
// other, the two buttons at the bottom right, and the refusal message through the prompts.
class WordsDialog : public QDialog {
    Q_OBJECT
public:
    const SearchWords& Words() const { return m_words; }
    QPushButton* AcceptButton() const { return m_acceptButton; }
    QPushButton* ExitButton() const { return m_exitButton; }

protected:
    // prompts may be null: the messages then appear over the dialog.
    WordsDialog(const QString& title, const QString& acceptText, Prompts* prompts, QWidget* owner);
    // Adds a label and its box below the ones before.
    QLineEdit* AddBox(const QString& label, const QString& name);
    // Places the buttons below the boxes and fixes the size.
    void Finish();
    void Refuse(std::string_view message);

    SearchWords m_words;

private:
    virtual void TryAccept() = 0;

    std::unique_ptr<Prompts> m_ownPrompts;
    Prompts* m_prompts;
    QPushButton* m_acceptButton = nullptr;
    QPushButton* m_exitButton = nullptr;
    int m_nextY = 8;
};

// "Buscador": one word to look for.
class SearchDialog final : public WordsDialog {
    Q_OBJECT
public:
    explicit SearchDialog(Prompts* prompts = nullptr, QWidget* owner = nullptr);
    QLineEdit* SearchBox() const { return m_searchBox; }

private:
    void TryAccept() override;
    QLineEdit* m_searchBox;
};

// "Reemplazar": the word to look for and the word that replaces it.
class ReplaceDialog final : public WordsDialog {
    Q_OBJECT
public:
    explicit ReplaceDialog(Prompts* prompts = nullptr, QWidget* owner = nullptr);
    QLineEdit* SearchBox() const { return m_searchBox; }
    QLineEdit* ReplacementBox() const { return m_replacementBox; }

private:
    void TryAccept() override;
    QLineEdit* m_searchBox;
    QLineEdit* m_replacementBox;
};

// Run the dialogs modally; the words stay empty when the user leaves without them.
SearchWords AskSearchWord(QWidget* owner);
SearchWords AskReplaceWords(QWidget* owner);

} // namespace quirel
