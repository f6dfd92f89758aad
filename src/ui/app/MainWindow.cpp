#include "app/MainWindow.h"

#include <QPainter>

#include "editor/Editor.h"
#include "layout/Canvas.h"

namespace quirel {
namespace {
    constexpr int kVisibleRows = kPageBodyHeight;

    // A white page with its black frame.
    QImage BlankPage()
    {
        QImage page(kPageWidth, kPageHeight, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(0, 0, kPageWidth - 1, kPageHeight - 1);
        return page;
    }
} // namespace

PageView::PageView(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(kPageWidth, kVisibleRows);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::SetPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void PageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(0, 0, m_picture);
}

MainWindow::MainWindow(Editor& editor, QWidget* parent)
    : QWidget(parent)
    , m_editor(editor)
{
    setWindowTitle(QStringLiteral("Quirelpad"));
    setFixedSize(831, 880);
    move(105, 94);
    m_editSurface = new PageView(this);
    m_editSurface->move(28, 55);
    m_editSurface->SetPicture(BlankPage());
}

} // namespace quirel
