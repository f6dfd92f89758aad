#pragma once

#include <QAction>
#include <QHash>
#include <QMenuBar>
#include <QPixmap>

namespace quirel {

struct Settings;

// The command ids of the menus and the lists.
namespace command {
enum : int {
    About = 1002,
    Quit = 1003,
    ImportText = 1004,
    SpellingSensor = 1005,
    FontList = 1006,
    SizeList = 1007,
    Bold = 1008,
    Italic = 1009,
    Underline = 1010,
    StrikeOut = 1011,
    FavouriteColours = 1012,
    TextColour = 1013,
    BackgroundColour = 1014,
    CursorColour = 1015,
    New = 1018,
    Print = 1019,
    DocumentColours = 1020,
    Find = 1021,
    Recover = 1022,
    Replace = 1024,
    ExportBitmap = 1025,
    Superscript = 1026,
    Subscript = 1027,
    ReEdit = 1028,
    SelectFont = 1029,
    InsertEmoticon = 1030,
    EmoticonList = 1031,
    WordSearch = 1032,
    OpenDocument = 1033,
    SaveDocument = 1034,
    Accents = 1035,
    ShadowColour = 1036,
    RepeatedWords = 1037,
};
}

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
