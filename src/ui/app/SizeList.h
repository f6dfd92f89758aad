#pragma once

#include <QComboBox>

namespace quirel {

// The size list of the main window: the sizes 9 to 90 as "09" to "90", and a field to type a
// size in. A size acts when it is chosen in the list, or typed and taken with Return. A typed
// text that is not a size from 9 to 90 gives way to the size shown before, as does leaving the
// field without Return; nothing is completed while the user types.
class SizeList : public QComboBox {
    Q_OBJECT
public:
    explicit SizeList(QWidget* parent = nullptr);

    // The size a typed text names: a whole number from 9 to 90 (blanks around it and leading
    // zeros allowed), or 0 when it names none.
    static int ParseSize(const QString& text);

    // Shows size (points) as the current one when the list holds it; any other size (a small size
    // of superscript, a size out of range from the configuration) leaves the list as it is. Text
    // being typed in the field stays while the size does not change.
    void ShowSize(int size);

signals:
    // The user chose a size from 9 to 90.
    void SizeChosen(int size);

protected:
    // The keyboard's keys and the focus reach the combo box, which stands in for its field; a key
    // or a focus change sent to the field itself is caught by the filter. Both ways take Return
    // and the loss of the focus alike.
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Return or Enter: a size typed from 9 to 90 is chosen; the field shows the size in force
    // either way. False for any other key.
    bool TakeTypedSize(QKeyEvent* event);
    // The field shows the selected item again (empty without one).
    void RestoreField();
};

} // namespace quirel
