#pragma once

#include "editor/CommandTable.h"

#include <QAction>
#include <QHash>
#include <QMenuBar>
#include <QPixmap>

namespace quirel {

struct Settings;

// The five menus with their items, pictures and colour swatches. Each item's action carries its
// command id as data; Triggered(id) is emitted for every choice.
class MenuBar : public QMenuBar {
    Q_OBJECT
public:
    explicit MenuBar(QWidget* parent = nullptr);

    // Draws the four colour swatches from the settings (after every colour command).
    void UpdateSwatches(const Settings& settings);
    // The check marks of the style items, superscript, subscript and the spelling sensor.
    struct Checks {
        bool bold, italic, underline, strikeOut, superscript, subscript, spellingSensor;
    };
    void ApplyMenuChecks(const Checks& checks);

    QAction* Action(int id) const { return m_actions.value(id); }

    // A letter swatch: "W" in colour on a transparent (or, when given, the background) ground in a
    // rounded frame; a filled swatch: a rounded square of the colour. Colours are 0x00BBGGRR.
    static QPixmap LetterSwatch(std::uint32_t colour, const std::uint32_t* background);
    static QPixmap FilledSwatch(std::uint32_t colour);

signals:
    void Triggered(int id);

private:
    QMenu* AddMenu(const QString& title);
    QAction* AddItem(QMenu* menu, const QString& text, int id, int picture = 0);

    QHash<int, QAction*> m_actions;
};

} // namespace quirel
