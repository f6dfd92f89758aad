#pragma once

#include "app/QtPageView.h"
#include "app/SizeList.h"
#include "dialogs/DialogPrompts.h"
#include "platform/QtPrinter.h"
#include "platform/QtPrompts.h"

#include <QImage>
#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <string_view>

class QComboBox;

namespace quirel {

class Editor;
class EditSurface;
class FontList;
class MenuBar;
class NoticeBar;
class RulerWidget;

// The one main window: font, emoticon and size lists, the ruler and the editing surface at their
// fixed places, the caption showing the page status, and the cursor blink.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kBlinkMs = 500;

    explicit MainWindow(Editor& editor, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up steps that need the window: word lists, the empty document's first layout,
    // the blink timer, the offer of a recovery copy left by the last run or else the document named
    // on the command line (its bytes; may be empty), the recovery timer, the focus.
    void Initialise(std::string_view commandLine);

    EditSurface* Surface() const { return m_surface; }
    FontList* Fonts() const { return m_fontList; }
    SizeList* Sizes() const { return m_sizeList; }
    QComboBox* Emoticons() const { return m_emoticonList; }
    RulerWidget* Ruler() const { return m_ruler; }
    // The pictures of the pages, which the editing surface shows.
    QtPageView& Page() { return m_page; }
    QtPrompts& Prompts() { return m_prompts; }
    QTimer& BlinkTimer() { return m_blinkTimer; }
    QTimer& RecoveryTimer() { return m_recoveryTimer; }
    MenuBar* Menus() const { return m_menus; }
    NoticeBar* Notices() const { return m_notices; }

signals:
    // The word lists of the program's folder are loaded (they load after the first page is shown).
    void WordListsLoaded();

public:
    // Carries out a menu command by its id.
    void Dispatch(int id);

protected:
    // A close request (the window manager's close button, Alt+F4) goes through "Salir": unsaved
    // changes are asked about and the settings written; the window closes only when "Salir" ends the program.
    void closeEvent(QCloseEvent* event) override;
    // Gives the window the focus back when one of the program's dialogs or boxes closes and no other
    // window took it (without a window manager nobody else does).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void FillEmoticonList();
    void ConnectControls();
    // Makes room for the notice bar between the ruler and the editing surface: the window grows
    // by the bar's height while notices are shown, so the bar covers nothing.
    void PlaceNotices();
    // The menus' checks and swatches and the lists' state follow the editor's.
    void SyncControls();

    Editor& m_editor;
    QtPageView m_page;
    DialogPrompts m_prompts;
    QtPrinter m_printer;
    QtEventPump m_pump;
    QTimer m_blinkTimer;
    QTimer m_recoveryTimer;
    bool m_ending = false; // "Salir" has run: the program ends and the window may close
    bool m_quitQueued = false; // a close request waits to go through "Salir"
    bool m_listsLoading = false; // the word lists are asked for: WordListsLoaded comes when they are in
    FontList* m_fontList = nullptr;
    SizeList* m_sizeList = nullptr;
    QComboBox* m_emoticonList = nullptr;
    RulerWidget* m_ruler = nullptr;
    EditSurface* m_surface = nullptr;
    MenuBar* m_menus = nullptr;
    NoticeBar* m_notices = nullptr;
    int m_baseHeight = 0; // the window's height without notices
};

} // namespace quirel
