#include "platform/QtPrompts.h"

#include "platform/QtText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStringDecoder>
#include <QtDebug>

namespace quirel {
namespace {
const QString kTitle = QStringLiteral("Programador");

// A file or folder name as the file dialog shows it: UTF-8 names as they are, others (a Latin-1
// name from an older system) read as Windows-1252, so that "canci\xF3n.4tf" shows as "canción.4tf"
// rather than with a replacement mark.
QString ReadableName(const std::string& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return utf8.hasError() ? FromCp1252(bytes) : text;
}

// A name the dialog gives back in the file system's bytes.
std::filesystem::path FileSystemPath(const QString& name)
{
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

// Swallows letter keys typed without Alt, Ctrl or Meta on their way to a box.
class LettersNeedAlt final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<const QKeyEvent*>(event);
            const bool plain = !(key->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier));
            if (plain && !key->text().isEmpty() && key->text().front().isLetter()) return true;
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

void QtPrompts::ShowMessage(std::string_view text, Urgency urgency)
{
    QMessageBox box(QMessageBox::NoIcon, kTitle, FromCp1252(text), QMessageBox::Ok, m_owner);
    if (urgency == Urgency::Topmost) box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

bool QtPrompts::AskYesNo(std::string_view text)
{
    QMessageBox box(QMessageBox::Question, kTitle, FromCp1252(text), QMessageBox::Yes | QMessageBox::No, m_owner);
    return box.exec() == QMessageBox::Yes;
}

void QtPrompts::ShowNotice(std::string_view text)
{
    QString lines = FromCp1252(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (m_noticeSink)
        m_noticeSink(lines);
    else
        qWarning().noquote() << lines;
}

Prompts::Answer QtPrompts::AskYesNoOrClose(std::string_view text)
{
    QMessageBox box(QMessageBox::Question, kTitle, FromCp1252(text), QMessageBox::Yes | QMessageBox::No, m_owner);
    // Escape and the close button would count as No, the box's only rejecting button; they click
    // this hidden button instead, which answers nothing.
    QPushButton* closed = box.addButton(QMessageBox::Cancel);
    closed->hide();
    box.setEscapeButton(closed);
    box.setDefaultButton(QMessageBox::Yes);
    // A box presses a button for its underlined letter even without Alt: a word typed while the box
    // comes up must not press No, the one answer that deletes. Alt+N and Alt+S still answer.
    LettersNeedAlt lettersNeedAlt;
    box.installEventFilter(&lettersNeedAlt);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Yes)) return Answer::Yes;
    if (box.clickedButton() == box.button(QMessageBox::No)) return Answer::No;
    return Answer::Cancel;
}

Prompts::Answer QtPrompts::AskYesNoCancel(std::string_view text)
{
    QMessageBox box(QMessageBox::Question, kTitle, FromCp1252(text),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_owner);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel; // Cancelar, Escape or the box's close button
    }
}

std::filesystem::path QtPrompts::ChooseFile(const FileRequest& request)
{
    QFileDialog dialog(m_owner);
    const bool open = request.mode == FileRequest::Mode::Open;
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(
        FromCp1252(request.filterName) + QStringLiteral(" (") + FromCp1252(request.pattern) + QStringLiteral(")"));
    const std::filesystem::path folderBytes = request.folder.empty()
        ? std::filesystem::path(QFile::encodeName(QDir::currentPath()).toStdString())
        : request.folder;
    const QString folder = QDir::cleanPath(ReadableName(folderBytes.native()));
    const QString offered = QDir(folder).filePath(ReadableName(request.fileName));
    dialog.setDirectory(folder);
    dialog.selectFile(ReadableName(request.fileName));
    dialog.setDefaultSuffix(FromCp1252(request.defaultSuffix));
    // The question about an existing file is the program's own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    // The names shown are not always the names on disk: the name offered and its folder are given
    // back in their own bytes, so that the file the document came from is the file written.
    const QString chosen = QDir::cleanPath(dialog.selectedFiles().first());
    if (!request.fileName.empty() && chosen == QDir::cleanPath(offered)) return folderBytes / request.fileName;
    const QFileInfo info(chosen);
    if (QDir::cleanPath(info.path()) == folder) return folderBytes / FileSystemPath(info.fileName());
    return FileSystemPath(chosen);
}

void QtEventPump::ProcessPendingEvents()
{
    constexpr qint64 kIntervalMs = 8;
    if (m_sinceLast.isValid() && m_sinceLast.elapsed() < kIntervalMs) return;
    QCoreApplication::processEvents();
    m_sinceLast.start();
}

} // namespace quirel
