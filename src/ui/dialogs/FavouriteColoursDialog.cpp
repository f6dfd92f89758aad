#include "dialogs/FavouriteColoursDialog.h"

#include "dialogs/DialogFont.h"
#include "io/IoMessages.h"
#include "platform/QtPrompts.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <vector>

namespace quirel {
namespace {
constexpr QSize kWindowSize(352, 360);
constexpr QRect kGridRect(8, 8, 336, 260);
constexpr QRect kStripRect(8, 270, 336, 50);
constexpr QSize kGridPictureSize(336, 312);
constexpr QSize kButtonSize(72, 24);
constexpr QRect kCaptionRect(1, 12, 133, 100); // the caption wraps and justifies to 133 pixels
constexpr std::uint32_t kBlack = 0;
constexpr std::uint32_t kChooserStart = 0x808080;

QColor FromColourRef(std::uint32_t colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
        static_cast<int>((colour >> 16) & 0xFF));
}

std::uint32_t ToColourRef(QRgb rgb)
{
    return static_cast<std::uint32_t>(qRed(rgb)) | static_cast<std::uint32_t>(qGreen(rgb)) << 8
        | static_cast<std::uint32_t>(qBlue(rgb)) << 16;
}

// A cell's box: from (left + 3, top + 3) up to, not including, (right, bottom), outlined one
// pixel wide. The rectangle comes from the file as it is, so it is kept to the picture first.
void DrawBox(QPainter& painter, const ColourCell& cell, const QColor& outline)
{
    auto keep = [](std::int64_t v, int limit) { return static_cast<int>(std::clamp<std::int64_t>(v, -1, limit)); };
    const int width = kGridPictureSize.width() + 1;
    const int height = kGridPictureSize.height() + 1;
    auto [left, right] = std::minmax({ keep(std::int64_t { cell.left } + kCellGap, width), keep(cell.right, width) });
    auto [top, bottom] = std::minmax({ keep(std::int64_t { cell.top } + kCellGap, height), keep(cell.bottom, height) });
    if (right <= left || bottom <= top) return;
    painter.fillRect(QRect(left, top, right - left, bottom - top), outline);
    if (right - left > 2 && bottom - top > 2)
        painter.fillRect(QRect(left + 1, top + 1, right - left - 2, bottom - top - 2), FromColourRef(cell.colour));
}

// Draws text from origin in lines of at most width pixels, broken between words; the blanks of
// every line but the last are widened so that the line fills the width. A line of one word, or
// a word wider than the width, stays at the left.
void DrawJustified(QPainter& painter, const QString& text, QPoint origin, int width)
{
    const QFontMetrics metrics(painter.font());
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    std::vector<QStringList> lines;
    int used = 0;
    for (const QString& word : words) {
        const int advance = metrics.horizontalAdvance(word);
        if (lines.empty() || used + space + advance > width) {
            lines.push_back({ word });
            used = advance;
        } else {
            lines.back().push_back(word);
            used += space + advance;
        }
    }
    int y = origin.y() + metrics.ascent();
    for (std::size_t i = 0; i < lines.size(); ++i, y += metrics.lineSpacing()) {
        const QStringList& line = lines[i];
        int wordsWidth = 0;
        for (const QString& word : line)
            wordsWidth += metrics.horizontalAdvance(word);
        const bool justify = line.size() > 1 && i + 1 < lines.size();
        const double gap = justify ? double(width - wordsWidth) / double(line.size() - 1) : space;
        double x = origin.x();
        for (const QString& word : line) {
            painter.drawText(QPointF(x, y), word);
            x += metrics.horizontalAdvance(word) + gap;
        }
    }
}
} // namespace

ColourArea::ColourArea(QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setMouseTracking(true);
}

void ColourArea::SetPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void ColourArea::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.drawImage(contentsRect().topLeft(), m_picture);
}

void ColourArea::mouseMoveEvent(QMouseEvent* event)
{
    if (moved) moved(event->position().toPoint() - contentsRect().topLeft());
    QFrame::mouseMoveEvent(event);
}

void ColourArea::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint() - contentsRect().topLeft();
    if (event->button() == Qt::LeftButton && leftPressed)
        leftPressed(at);
    else if (event->button() == Qt::RightButton && rightPressed)
        rightPressed(at);
    QFrame::mousePressEvent(event);
}

FavouriteColoursDialog::FavouriteColoursDialog(
    std::filesystem::path folder, std::uint32_t selectedColour, Prompts* prompts, QWidget* owner)
    : QDialog(owner)
    , m_folder(std::move(folder))
    , m_prompts(prompts)
    , m_selected(selectedColour)
{
    if (!m_prompts) {
        m_ownPrompts = std::make_unique<QtPrompts>(this);
        m_prompts = m_ownPrompts.get();
    }
    setObjectName(QStringLiteral("favouriteColours"));
    setWindowTitle(QStringLiteral("Tus Colores Favoritos Cargalos y Guardalos"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(kWindowSize);

    m_grid = new ColourArea(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setGeometry(kGridRect);
    m_grid->moved = [this](QPoint at) { Hover(at); };
    m_grid->leftPressed = [this](QPoint at) { ChooseCellColour(at); };
    m_grid->rightPressed = [this](QPoint at) { PickColour(at); };
    m_strip = new ColourArea(this);
    m_strip->setObjectName(QStringLiteral("strip"));
    m_strip->setGeometry(kStripRect);

    const QFont buttonFont = DialogFont(QStringLiteral("MS Sans Serif"), 10, true);
    auto addButton = [&](const QString& text, const QString& name, int x) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setFont(buttonFont);
        button->setAutoDefault(false);
        button->setGeometry(QRect(QPoint(x, 328), kButtonSize));
        return button;
    };
    m_saveButton = addButton(QStringLiteral("Archivar"), QStringLiteral("saveButton"), 8);
    m_resetButton = addButton(QStringLiteral("Reseteo"), QStringLiteral("resetButton"), 136);
    m_exitButton = addButton(QStringLiteral("Salir"), QStringLiteral("exitButton"), 272);
    connect(m_saveButton, &QPushButton::clicked, this, [this] {
        if (Save()) m_prompts->ShowMessage(kColoursSavedMessage, Prompts::Urgency::Normal);
    });
    connect(m_resetButton, &QPushButton::clicked, this, [this] { Reset(); });
    connect(m_exitButton, &QPushButton::clicked, this, [this] { Exit(); });

    m_saveButton->setEnabled(false);
    m_table = ReadFavouriteColours(m_folder);
    ShowGrid();
    ShowStrip(kWhiteColour); // the selected colour is kept but not shown until a right click
}

FavouriteColoursDialog::~FavouriteColoursDialog() = default;

QImage FavouriteColoursDialog::DrawGrid(const ColourTable& table, std::optional<CellPosition> hovered)
{
    QImage picture(kGridPictureSize, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    for (int row = 0; row < kPaletteRows; ++row)
        for (int column = 0; column < kPaletteColumns; ++column)
            DrawBox(painter, table.At(column, row), Qt::black);
    if (hovered) DrawBox(painter, table.At(hovered->column, hovered->row), Qt::white);
    return picture;
}

void FavouriteColoursDialog::ShowGrid()
{
    m_grid->SetPicture(DrawGrid(m_table, m_hovered));
}

void FavouriteColoursDialog::ShowStrip(std::uint32_t background)
{
    QImage picture(m_strip->contentsRect().size(), QImage::Format_RGB32);
    picture.fill(FromColourRef(background));
    QPainter painter(&picture);
    painter.setFont(DialogFont(QStringLiteral("Tahoma"), 12, true));
    painter.setPen(background == kBlack ? Qt::white : Qt::black);
    DrawJustified(painter, QStringLiteral("Color Seleccionado"), kCaptionRect.topLeft(), kCaptionRect.width());
    painter.end();
    m_strip->SetPicture(picture);
}

void FavouriteColoursDialog::Hover(QPoint at)
{
    const auto cell = PaletteCellAt(at.x(), at.y());
    if (!cell) return;
    m_hovered = cell;
    ShowGrid();
}

void FavouriteColoursDialog::ChooseCellColour(QPoint at)
{
    const auto cell = PaletteCellAt(at.x(), at.y());
    if (m_choosing || !cell) return;
    m_choosing = true;
    QColorDialog chooser(FromColourRef(kChooserStart), this);
    chooser.setObjectName(QStringLiteral("colourChooser"));
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    if (chooser.exec() == QDialog::Accepted && chooser.selectedColor().isValid()) {
        m_table.At(cell->column, cell->row).colour = ToColourRef(chooser.selectedColor().rgb());
        m_modified = true;
        m_saveButton->setEnabled(true);
        ShowGrid();
    }
    m_choosing = false;
}

void FavouriteColoursDialog::PickColour(QPoint at)
{
    const QImage& shown = m_grid->Picture();
    if (!shown.rect().contains(at)) return;
    m_selected = ToColourRef(shown.pixel(at));
    ShowStrip(m_selected);
}

bool FavouriteColoursDialog::Save()
{
    if (const auto error = SaveFavouriteColours(m_folder, m_table)) {
        m_prompts->ShowMessage(*error, Prompts::Urgency::Normal);
        return false;
    }
    m_modified = false;
    m_saveButton->setEnabled(false);
    return true;
}

void FavouriteColoursDialog::Exit()
{
    // A save that fails keeps the window open, so the changes are not lost with it.
    if (m_modified && m_prompts->AskYesNo(kSaveBeforeExitQuestion) && !Save()) return;
    done(QDialog::Accepted);
}

void FavouriteColoursDialog::reject()
{
    Exit();
}

void FavouriteColoursDialog::Reset()
{
    if (!m_prompts->AskYesNo(kResetQuestion)) return;
    DeleteFavouriteColours(m_folder);
    m_table = DefaultColourTable();
    m_hovered.reset();
    ShowGrid();
    m_selected = kWhiteColour;
    ShowStrip(kWhiteColour);
}

std::uint32_t ShowFavouriteColours(QWidget* owner, const std::filesystem::path& folder, std::uint32_t selectedColour)
{
    FavouriteColoursDialog dialog(folder, selectedColour, nullptr, owner);
    dialog.exec();
    return dialog.SelectedColour();
}

} // namespace quirel
