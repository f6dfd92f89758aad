#include "platform/QtPrompts.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "document/Cp1252.h"

namespace quirel {
namespace {
    const QString kTitle = QStringLiteral("Programador");

    QString FromCp1252(std::string_view text) { return QString::fromStdString(Cp1252ToUtf8(text)); }
} // namespace

void QtPrompts::ShowMessage(std::string_view text, Urgency urgency)
{
    QMessageBox box(QMessageBox::NoIcon, kTitle, FromCp1252(text), QMessageBox::Ok, m_owner);
    if (urgency == Urgency::Topmost)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

bool QtPrompts::AskYesNo(std::string_view text)
{
    QMessageBox box(QMessageBox::Question, kTitle, FromCp1252(text), QMessageBox::Yes | QMessageBox::No, m_owner);
    return box.exec() == QMessageBox::Yes;
}

void QtEventPump::ProcessPendingEvents()
{
    constexpr qint64 kIntervalMs = 8;
    if (m_sinceLast.isValid() && m_sinceLast.elapsed() < kIntervalMs)
        return;
    QCoreApplication::processEvents();
    m_sinceLast.start();
}

} // namespace quirel
