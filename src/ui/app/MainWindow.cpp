#include "app/MainWindow.h"

#include "app/EditSurface.h"
#include "app/FontList.h"
#include "app/MenuBar.h"
#include "app/NoticeBar.h"
#include "app/QtPageView.h"
#include "app/RulerWidget.h"
#include "app/SizeList.h"
#include "document/Cp1252.h"
#include "editor/Editor.h"
#include "editor/UnsavedWork.h"
#include "layout/EmoticonNames.h"
#include "platform/QtText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <chrono>

namespace quirel {
namespace {
// The client area holds the controls at their fixed places; the window is 831 × 880 with its frame.
constexpr int kClientWidth = 831;
constexpr int kClientHeight = 857;
constexpr int kSurfaceLeft = 28;
constexpr int kSurfaceTop = 55;
} // namespace

MainWindow::MainWindow(Editor& editor, QWidget* parent)
    : QMainWindow(parent)
    , m_editor(editor)
    , m_page(editor)
    , m_prompts(this)
{
    setWindowTitle(QStringLiteral("Quirelpad"));
    setWindowIcon(QIcon(QStringLiteral(":/icon/quirel-256.png")));
    m_menus = new MenuBar(this);
    setMenuBar(m_menus);
    m_menus->UpdateSwatches(m_editor.GetSettings());
    connect(m_menus, &MenuBar::Triggered, this, &MainWindow::Dispatch);
    // F10 opens the menus from the keyboard, as on other desktops.
    auto* menuKey = new QAction(this);
    menuKey->setShortcut(Qt::Key_F10);
    connect(menuKey, &QAction::triggered, this, [this] { m_menus->setActiveAction(m_menus->actions().constFirst()); });
    addAction(menuKey);
    BuildControls();
    connect(&m_page, &QtPageView::CaptionChanged, this, [this](const QString& caption) {
        setWindowTitle(caption);
        // After every layout the size list, too, shows what new text will get (reading a document sets 11).
        m_sizeList->ShowSize(m_editor.GetDocument().Current().size);
    });
    connect(&m_page, &QtPageView::ControlsFollow, this, &MainWindow::SyncControls);
    connect(&m_page, &QtPageView::Closed, this, [this] {
        m_ending = true;
        m_blinkTimer.stop();
        m_recoveryTimer.stop();
        QApplication::quit();
    });
    move(105, 94);
    m_blinkTimer.setInterval(kBlinkMs);
    connect(&m_blinkTimer, &QTimer::timeout, this, [this] { m_editor.Run(command::BlinkTick); });
    m_recoveryTimer.setInterval(static_cast<int>(kRecoveryCheck.count()));
    connect(&m_recoveryTimer, &QTimer::timeout, this,
        [this] { m_editor.Unsaved().KeepRecoveryCopy(std::chrono::steady_clock::now()); });
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildControls()
{
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    m_fontList = new FontList(client);
    m_fontList->setGeometry(28, 1, 304, m_fontList->sizeHint().height());
    m_sizeList = new SizeList(client);
    QFont sizeFont(QStringLiteral("MS Sans Serif"));
    sizeFont.setPixelSize(11 * 96 / 72);
    sizeFont.setBold(true);
    m_sizeList->setFont(sizeFont);
    m_sizeList->setGeometry(532, 1, 290, m_fontList->height());
    m_emoticonList = new QComboBox(client);
    m_emoticonList->setObjectName(QStringLiteral("emoticonList"));
    m_emoticonList->setIconSize(QSize(20, 20));
    m_emoticonList->setMaxVisibleItems(16);
    m_emoticonList->setGeometry(333, 1, 199, m_fontList->height());
    m_ruler = new RulerWidget(m_editor.GetSettings().margin, client);
    m_ruler->move(2, 29);
    m_surface = new EditSurface(m_editor, m_page, client);
    m_surface->move(kSurfaceLeft, kSurfaceTop);
    m_notices = new NoticeBar(client);
    connect(m_notices, &NoticeBar::Changed, this, &MainWindow::PlaceNotices);
    m_prompts.SetNoticeSink([this](const QString& text) { m_notices->Add(text); });
    m_page.ShowOn(m_surface);

    m_sizeList->ShowSize(m_editor.GetSettings().fontSize);
    FillEmoticonList();
    m_fontList->SelectFaceOrStandIn(FromCp1252(m_editor.GetSettings().fontName));
    ConnectControls();
    adjustSize();
    setFixedSize(size());
    m_baseHeight = height();
}

void MainWindow::PlaceNotices()
{
    const int width = kClientWidth - 4;
    int barHeight = 0;
    if (m_notices->Count() > 0) {
        barHeight = m_notices->hasHeightForWidth() ? m_notices->heightForWidth(width) : m_notices->sizeHint().height();
        m_notices->setGeometry(2, kSurfaceTop, width, barHeight);
    }
    m_surface->move(kSurfaceLeft, kSurfaceTop + barHeight);
    centralWidget()->setFixedSize(kClientWidth, kClientHeight + barHeight);
    setFixedSize(this->width(), m_baseHeight + barHeight);
}

void MainWindow::FillEmoticonList()
{
    for (int n = 1; n <= kEmoticonCount; ++n)
        m_emoticonList->addItem(
            QIcon(QPixmap(QStringLiteral(":/emoticons/%1.png").arg(n))), FromCp1252(EmoticonName(n)));
    m_emoticonList->setCurrentIndex(-1);
}

void MainWindow::ConnectControls()
{
    connect(m_fontList, &FontList::FaceChosen, this, [this](const QString& face) {
        m_editor.Run({ command::ChooseFace, 0, ToCp1252(face) });
        m_surface->setFocus();
    });
    connect(m_fontList, &FontList::FaceConfirmed, this, [this](const QString& face) {
        m_editor.Run({ command::ConfirmFace, 0, ToCp1252(face) });
        m_surface->setFocus();
    });
    connect(m_sizeList, &SizeList::SizeChosen, this, [this](int size) {
        m_editor.Run({ command::ChooseSize, size });
        m_surface->setFocus();
    });
    connect(m_emoticonList, &QComboBox::activated, this, [this](int index) {
        m_editor.Run({ command::ChooseEmoticon, index + 1 });
        m_surface->setFocus();
    });
    connect(m_ruler, &RulerWidget::TabPressed, this, [this] {
        m_editor.Run(command::TabButton);
        m_surface->setFocus();
    });
    connect(m_ruler, &RulerWidget::MarginCellClicked, this, [this](int cell) {
        m_editor.Run({ command::MarginCell, cell });
    });
    connect(m_ruler, &RulerWidget::TabCellClicked, this, [this](int cell) {
        m_editor.Run({ command::TabCell, cell });
    });
}

void MainWindow::Initialise(std::string_view commandLine)
{
    m_editor.Connect({ m_page.Canvas(), m_prompts, m_pump, m_page, SystemFiles(), m_printer });
    m_fontList->setEnabled(false);
    m_blinkTimer.start();
    // A document recovered from the last run is not given up for the one on the command line.
    if (!m_editor.OfferRecovery() && !commandLine.empty()) m_editor.OpenStartDocument(commandLine);
    m_recoveryTimer.start();
    m_surface->setFocus();
    qApp->installEventFilter(this);
    // The word lists load once the page is on screen: the spelling marks are off at start-up, and
    // the window stays live while the lists load. Commands that read them wait for the end.
    m_listsLoading = true;
    m_editor.Run(command::WordListsComing);
    QTimer::singleShot(0, this, [this] { m_editor.Run(command::LoadWordLists); });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_ending) {
        QMainWindow::closeEvent(event);
        return;
    }
    event->ignore();
    // Asked once the close request has been handled, outside the window's own closing; requests
    // that come before it is asked make one question.
    if (m_quitQueued) return;
    m_quitQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_quitQueued = false;
        Dispatch(command::Quit);
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide && watched != this) {
        auto* closed = qobject_cast<QWidget*>(watched);
        if (closed && closed->isWindow() && (closed->isModal() || qobject_cast<QDialog*>(closed))) {
            QTimer::singleShot(0, this, [this] {
                if (isVisible() && !QApplication::activeModalWidget() && !QApplication::activeWindow())
                    activateWindow();
            });
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::SyncControls()
{
    const auto& switches = m_editor.Format().GetSwitches();
    m_menus->ApplyMenuChecks({ switches.bold, switches.italic, switches.underline, switches.strikeOut,
        switches.superscript, switches.subscript, m_editor.Lists().Words().spellingSensor });
    m_menus->UpdateSwatches(m_editor.GetSettings());
    m_ruler->SetMargin(m_editor.GetSettings().margin);
    m_sizeList->setEnabled(m_editor.Format().SizeListEnabled());
    m_emoticonList->setCurrentIndex(m_editor.Format().EmoticonChoice() - 1);
    if (m_editor.Format().FontListEnabled())
        m_fontList->Enable();
    else
        m_fontList->setEnabled(false);
    if (m_listsLoading && m_editor.Lists().Ready()) {
        m_listsLoading = false;
        emit WordListsLoaded();
    }
}

void MainWindow::Dispatch(int id)
{
    m_editor.Run(static_cast<command::Id>(id));
}

} // namespace quirel
