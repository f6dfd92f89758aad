#pragma once

#include "io/FavouriteColours.h"

#include <QDialog>
#include <QFrame>
#include <QImage>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class QPushButton;

namespace quirel {

class Prompts;

// A bordered area that shows a picture at its top left and reports the mouse in picture pixels.
class ColourArea : public QFrame {
    Q_OBJECT
public:
    explicit ColourArea(QWidget* parent);
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }

    std::function<void(QPoint)> moved;
    std::function<void(QPoint)> leftPressed;
    std::function<void(QPoint)> rightPressed;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
};

// "Tus Colores Favoritos Cargalos y Guardalos": 13 × 10 favourite colours kept in "Mis Colores.log".
// A left click on a cell chooses its colour; a right click takes the colour under the pointer as
// the selected colour, which the strip below the grid shows.
class FavouriteColoursDialog : public QDialog {
    Q_OBJECT
public:
    // folder holds "Mis Colores.log"; selectedColour (0x00BBGGRR) is kept until a right click.
    // prompts may be null: questions and messages then appear over the dialog.
    FavouriteColoursDialog(std::filesystem::path folder, std::uint32_t selectedColour, Prompts* prompts = nullptr,
        QWidget* owner = nullptr);
    ~FavouriteColoursDialog() override;

    std::uint32_t SelectedColour() const { return m_selected; }
    bool Modified() const { return m_modified; }
    const ColourTable& Table() const { return m_table; }

    ColourArea* Grid() const { return m_grid; }
    ColourArea* Strip() const { return m_strip; }
    QPushButton* SaveButton() const { return m_saveButton; }
    QPushButton* ResetButton() const { return m_resetButton; }
    QPushButton* ExitButton() const { return m_exitButton; }

    // The grid picture as shown: every palette cell's box in its colour with a black outline, the
    // cell under the pointer outlined in white.
    static QImage DrawGrid(const ColourTable& table, std::optional<CellPosition> hovered);

    // Escape and the window's close button act as "Salir".
    void reject() override;

private:
    void ShowGrid();
    void ShowStrip(std::uint32_t background);
    void Hover(QPoint at);
    void ChooseCellColour(QPoint at);
    void PickColour(QPoint at);
    bool Save();
    void Exit();
    void Reset();

    std::filesystem::path m_folder;
    std::unique_ptr<Prompts> m_ownPrompts;
    Prompts* m_prompts;
    ColourTable m_table;
    std::optional<CellPosition> m_hovered;
    std::uint32_t m_selected;
    bool m_modified = false;
    bool m_choosing = false;
    ColourArea* m_grid = nullptr;
    ColourArea* m_strip = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_resetButton = nullptr;
    QPushButton* m_exitButton = nullptr;
};

// Runs the window modally and returns the selected colour when it closes.
std::uint32_t ShowFavouriteColours(QWidget* owner, const std::filesystem::path& folder, std::uint32_t selectedColour);

} // namespace quirel
