#include "app/NoticeBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace quirel {

NoticeBar::NoticeBar(QWidget* parent)
    : QFrame(parent)
    , m_rows(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("noticeBar"));
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(255, 243, 190));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    m_rows->setContentsMargins(6, 3, 3, 3);
    m_rows->setSpacing(4);
    hide();
}

void NoticeBar::Add(const QString& text)
{
    auto* row = new QWidget(this);
    row->setObjectName(QStringLiteral("notice"));
    row->setFocusPolicy(Qt::NoFocus);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(row);
    label->setObjectName(QStringLiteral("noticeText"));
    // A file name is shown as it is, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setWordWrap(true);
    label->setFocusPolicy(Qt::NoFocus);
    auto* close = new QToolButton(row);
    close->setObjectName(QStringLiteral("noticeClose"));
    close->setText(QStringLiteral("Cerrar"));
    close->setToolTip(QStringLiteral("Cerrar este aviso"));
    close->setFocusPolicy(Qt::NoFocus);
    line->addWidget(label, 1);
    line->addWidget(close, 0, Qt::AlignTop);
    m_rows->addWidget(row);
    connect(close, &QToolButton::clicked, this, [this, row] {
        m_rows->removeWidget(row);
        row->hide();
        row->deleteLater();
        if (m_rows->count() == 0) hide();
        emit Changed();
    });
    show();
    emit Changed();
}

int NoticeBar::Count() const
{
    return m_rows->count();
}

} // namespace quirel
