#pragma once

#include "language/ReEdit.h"

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quirel {

class Document;
class Prompts;

// The "Re-Editar" dialog. The user chooses a page, then one of its pieces (tokens), and replaces the
// piece by a word or a special character ("Cambiar trozo") or gives it the current format ("Poner
// Resalte"). "Aceptar cámbios" folds the replacements into the document's text and closes; "Salir"
// drops them (format changes stay, they live in the records) and closes, and so do Escape and a
// request to close the window, as in every dialog of the program. Enter closes nothing: no button
// answers it, so a word typed in the replacement box is neither taken nor lost by it.
class ReEditDialog : public QDialog {
    Q_OBJECT
public:
    // doc must outlive the dialog. Messages go to prompts, or to message boxes over the dialog when it
    // is null.
    explicit ReEditDialog(Document& doc, Prompts* prompts = nullptr, QWidget* owner = nullptr);
    ~ReEditDialog() override;

    QComboBox* PageBox() const { return m_pageBox; }
    QListWidget* PieceList() const { return m_pieceList; }
    QLabel* ChosenPiece() const { return m_chosenPiece; }
    QLineEdit* ReplacementBox() const { return m_replacementBox; }
    QListWidget* SpecialList() const { return m_specialList; }
    QPushButton* HighlightButton() const { return m_highlightButton; }
    QPushButton* ChangeButton() const { return m_changeButton; }
    QPushButton* AcceptButton() const { return m_acceptButton; }
    QPushButton* ExitButton() const { return m_exitButton; }
    const ReEditState& State() const { return m_state; }

    // Escape and a request to close the window leave the dialog as "Salir" does.
    void reject() override;

private:
    void BuildControls();
    void ConnectControls();
    void PageChosen(int index);
    void PieceChosen(int row);
    void SpecialChosen(int row);
    void ChangePiece();
    void Highlight();
    void Accept();
    void Exit();
    // Lists the pieces of the chosen page again and keeps the chosen piece selected when it is there.
    void FillPieces();

    Document& m_doc;
    std::unique_ptr<Prompts> m_ownPrompts;
    Prompts* m_prompts;
    ReEditState m_state;
    std::vector<std::string> m_pageItems; // Windows-1252, as the page box shows them
    std::vector<std::string> m_pieceItems; // Windows-1252, as the piece list shows them

    QComboBox* m_pageBox = nullptr;
    QListWidget* m_pieceList = nullptr;
    QLabel* m_chosenPiece = nullptr;
    QLineEdit* m_replacementBox = nullptr;
    QListWidget* m_specialList = nullptr;
    QPushButton* m_highlightButton = nullptr;
    QPushButton* m_changeButton = nullptr;
    QPushButton* m_acceptButton = nullptr;
    QPushButton* m_exitButton = nullptr;
};

// Shows the "Re-Editar" dialog modally over no owner; true when the changes were accepted.
bool ShowReEdit(Document& doc);

} // namespace quirel
