#pragma once

#include <QImage>
#include <QWidget>

namespace quirel {

class Editor;

// The editing surface: shows the visible 800 rows of the current page picture.
class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget* parent = nullptr);
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};

// The one main window of the program.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(Editor& editor, QWidget* parent = nullptr);
    PageView* EditSurface() const { return m_editSurface; }

private:
    Editor& m_editor;
    PageView* m_editSurface = nullptr;
};

} // namespace quirel
