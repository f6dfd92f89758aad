#include "app/MenuBar.h"

#include "io/Settings.h"
#include "platform/FaceResolver.h"
#include "platform/QtCanvas.h"

#include <QPainter>
#include <QPainterPath>

namespace quirel {

MenuBar::MenuBar(QWidget* parent)
    : QMenuBar(parent)
{
    setObjectName(QStringLiteral("menuBar"));
    using namespace command;
    QMenu* files = AddMenu(QStringLiteral("Archivos"));
    AddItem(files, QStringLiteral("Nuevo"), New, 301)->setShortcut(QKeySequence::New);
    files->addSeparator();
    AddItem(files, QStringLiteral("Leer texto"), ImportText, 302);
    files->addSeparator();
    AddItem(files, QStringLiteral("Leer Documento"), OpenDocument, 317)->setShortcut(QKeySequence::Open);
    AddItem(files, QStringLiteral("Grabar Documento"), SaveDocument, 316)->setShortcut(QKeySequence::Save);
    files->addSeparator();
    AddItem(files, QStringLiteral("Imprimir"), Print, 303)->setShortcut(QKeySequence::Print);
    files->addSeparator();
    AddItem(files, QStringLiteral("Exportar Bitmap"), ExportBitmap, 311);
    files->addSeparator();
    AddItem(files, QStringLiteral("Autor"), About, 304);
    files->addSeparator();
    AddItem(files, QStringLiteral("Salir"), Quit, 305);

    QMenu* spelling = AddMenu(QStringLiteral("Ortografico"));
    AddItem(spelling, QStringLiteral("Sensor ortográfico"), SpellingSensor)->setCheckable(true);
    spelling->addSeparator();
    AddItem(spelling, QStringLiteral("Buscador de palabras"), WordSearch, 315);
    spelling->addSeparator();
    AddItem(spelling, QStringLiteral("Poner tílde ortográfica"), Accents, 318);
    spelling->addSeparator();
    AddItem(spelling, QStringLiteral("Palabras que más repiten"), RepeatedWords, 319);

    QMenu* styles = AddMenu(QStringLiteral("Estilos"));
    const std::pair<const char*, int> styleItems[]
        = { { "Negrita", Bold }, { "Itálica", Italic }, { "Subrayado", Underline }, { "Tachado", StrikeOut },
              { "Superíndice", Superscript }, { "Subíndice numérico", Subscript } };
    bool first = true;
    for (const auto& [text, id] : styleItems) {
        if (!first) styles->addSeparator();
        first = false;
        AddItem(styles, QString::fromUtf8(text), id)->setCheckable(true);
    }

    QMenu* colours = AddMenu(QStringLiteral("Colores"));
    AddItem(colours, QStringLiteral("Colores Favoritos"), FavouriteColours, 333);
    colours->addSeparator();
    AddItem(colours, QStringLiteral("Color Fuente"), TextColour);
    AddItem(colours, QStringLiteral("Color Fondo"), BackgroundColour);
    colours->addSeparator();
    AddItem(colours, QStringLiteral("Color Cursor"), CursorColour);
    colours->addSeparator();
    AddItem(colours, QStringLiteral("Formato Colores Documento"), DocumentColours, 309);
    colours->addSeparator();
    AddItem(colours, QStringLiteral("Color Sombra Relleno"), ShadowColour);

    QMenu* document = AddMenu(QStringLiteral("Documento"));
    AddItem(document, QStringLiteral("Deshacer"), Undo)->setShortcut(QKeySequence::Undo);
    AddItem(document, QStringLiteral("Rehacer"), Redo)
        ->setShortcuts({ QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z")) });
    document->addSeparator();
    AddItem(document, QStringLiteral("Buscar"), Find, 306)->setShortcut(QKeySequence(QStringLiteral("Ctrl+F")));
    document->addSeparator();
    AddItem(document, QStringLiteral("Recuperar Documento"), Recover, 307);
    document->addSeparator();
    AddItem(document, QStringLiteral("Reemplazar"), Replace, 310)->setShortcut(QKeySequence(QStringLiteral("Ctrl+H")));
    document->addSeparator();
    AddItem(document, QStringLiteral("Re-Editar"), ReEdit, 312);
    document->addSeparator();
    AddItem(document, QStringLiteral("Seleccionar Fuente"), SelectFont, 313);
    document->addSeparator();
    AddItem(document, QStringLiteral("Insertar Emoticonos"), InsertEmoticon, 314);
}

QMenu* MenuBar::AddMenu(const QString& title)
{
    QMenu* menu = addMenu(title);
    menu->setObjectName(title);
    return menu;
}

QAction* MenuBar::AddItem(QMenu* menu, const QString& text, int id, int picture)
{
    QAction* action = menu->addAction(text);
    action->setData(id);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    action->setShortcutContext(Qt::WindowShortcut);
    if (picture != 0) action->setIcon(QIcon(QStringLiteral(":/menu/%1.png").arg(picture)));
    connect(action, &QAction::triggered, this, [this, id] { emit Triggered(id); });
    m_actions.insert(id, action);
    return action;
}

namespace {
QPainterPath RoundedSquare() // (0, 0)–(15, 15), corners rounded at 15 per cent
{
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 0.5, 15, 15), 15, 15, Qt::RelativeSize);
    return path;
}
} // namespace

QPixmap MenuBar::LetterSwatch(std::uint32_t colour, const std::uint32_t* background)
{
    QImage swatch(16, 16, QImage::Format_ARGB32);
    swatch.fill(Qt::white);
    QPainter painter(&swatch);
    QFont font = FaceResolver::Shared().Font(QStringLiteral("Consolas"));
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    const QRect cell(4, -1, 12, 17);
    if (background)
        painter.fillRect(QRect(4, -1, QFontMetrics(font).horizontalAdvance(QLatin1Char('W')), 17),
            QColor(QtCanvas::ToRgb(*background)));
    painter.setPen(QColor(QtCanvas::ToRgb(colour)));
    painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("W"));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.drawPath(RoundedSquare());
    painter.end();
    return QPixmap::fromImage(swatch);
}

QPixmap MenuBar::FilledSwatch(std::uint32_t colour)
{
    QImage swatch(16, 16, QImage::Format_ARGB32);
    swatch.fill(Qt::white);
    QPainter painter(&swatch);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(QtCanvas::ToRgb(colour)));
    painter.drawPath(RoundedSquare());
    painter.end();
    return QPixmap::fromImage(swatch);
}

void MenuBar::UpdateSwatches(const Settings& settings)
{
    using namespace command;
    const auto text = static_cast<std::uint32_t>(settings.textColor);
    const auto background = static_cast<std::uint32_t>(settings.backgroundColor);
    m_actions[TextColour]->setIcon(QIcon(LetterSwatch(text, nullptr)));
    m_actions[BackgroundColour]->setIcon(QIcon(LetterSwatch(text, &background)));
    m_actions[CursorColour]->setIcon(QIcon(FilledSwatch(static_cast<std::uint32_t>(settings.cursorColor))));
    m_actions[ShadowColour]->setIcon(QIcon(LetterSwatch(static_cast<std::uint32_t>(settings.shadowColor), nullptr)));
}

void MenuBar::ApplyMenuChecks(const Checks& checks)
{
    using namespace command;
    m_actions[Bold]->setChecked(checks.bold);
    m_actions[Italic]->setChecked(checks.italic);
    m_actions[Underline]->setChecked(checks.underline);
    m_actions[StrikeOut]->setChecked(checks.strikeOut);
    m_actions[Superscript]->setChecked(checks.superscript);
    m_actions[Subscript]->setChecked(checks.subscript);
    m_actions[SpellingSensor]->setChecked(checks.spellingSensor);
}

} // namespace quirel
