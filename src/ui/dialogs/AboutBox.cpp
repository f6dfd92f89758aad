#include "dialogs/AboutBox.h"

#include "dialogs/DialogFont.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace quirel {
namespace {
const QString kIconResource = QStringLiteral(":/icon/quirel-256.png");
const QString kWebName = QStringLiteral("quirel.example");

constexpr QSize kBoxSize(397, 192);
constexpr QRect kPictureRect(0, 0, 150, 154);
constexpr QRect kDescriptionRect(152, 8, 232, 120);
constexpr QRect kExitButtonRect(312, 152, 75, 24);
} // namespace

QString AboutBox::Text()
{
    return QStringLiteral("Programa realizado por ") + kWebName + QLatin1Char(' ')
        + QStringLiteral("Editor de textos y documentos con formato propio. Corrector ortográfico ")
        + QStringLiteral("incluido.       Visitame!!");
}

AboutBox::AboutBox(QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QStringLiteral("Autor"));
    // A caption without buttons; closing the window by the system still ends the box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(kBoxSize);
    setSizeGripEnabled(false);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setGeometry(kPictureRect);
    m_picture->setAlignment(Qt::AlignCenter);
    // Without the resource the picture stays empty.
    const QPixmap icon(kIconResource);
    if (!icon.isNull())
        m_picture->setPixmap(icon.scaled(kPictureRect.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("description"));
    m_description->setGeometry(kDescriptionRect);
    m_description->setTextFormat(Qt::PlainText);
    m_description->setText(Text());
    m_description->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_description->setWordWrap(true);
    m_description->setFont(DialogFont(QStringLiteral("Segoe Print"), 10, true));
    QPalette descriptionColours = m_description->palette();
    descriptionColours.setColor(QPalette::Window, Qt::white);
    descriptionColours.setColor(QPalette::WindowText, QColor(0xC0, 0xC0, 0xC0));
    m_description->setPalette(descriptionColours);
    m_description->setAutoFillBackground(true);

    m_exitButton = new QPushButton(QStringLiteral("Salir"), this);
    m_exitButton->setObjectName(QStringLiteral("exitButton"));
    m_exitButton->setGeometry(kExitButtonRect);
    m_exitButton->setFont(DialogFont(QStringLiteral("MS Sans Serif"), 8, true));
    m_exitButton->setDefault(true);
    m_exitButton->setFocus();
    connect(m_exitButton, &QPushButton::clicked, this, [this] { done(0); });

    CentreOnScreen();
}

void AboutBox::CentreOnScreen()
{
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame(QPoint(0, 0), kBoxSize);
    frame.moveCenter(screen->availableGeometry().center());
    // Placing the box here keeps Qt from centring it over its owner instead.
    move(frame.topLeft());
}

void ShowAbout(QWidget* owner)
{
    // Its own loop, as a modal box has, but the other windows stay usable while it is open.
    AboutBox box(owner);
    box.setWindowModality(Qt::NonModal);
    QEventLoop loop;
    QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
    box.show();
    loop.exec();
}

} // namespace quirel
