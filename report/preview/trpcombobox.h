// TrpComboBox: the flat-looking editable combo box of the library's
// windows (the preview's zoom box). The frame and the 11-pixel button
// are painted in three states: normal, hot (mouse inside or edit
// focused) and pressed (list dropped down); disabled greys them.
#pragma once

#include <QComboBox>

namespace bralvo::report {

class TrpCustomComboBox : public QComboBox {
    Q_OBJECT
public:
    enum class ButtonState { Normal, Hot, Pressed, Disabled };

    explicit TrpCustomComboBox(QWidget *parent = nullptr);

    int ButtonWidth() const { return m_buttonWidth; }
    int EditOffset() const { return m_editOffset; }
    void SetEditOffset(int v);
    // Width of the drop-down list; 0 = as wide as the control.
    int ListWidth() const { return m_listWidth; }
    void SetListWidth(int v) { m_listWidth = v; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool v);
    int ItemHeight() const { return m_itemHeight; }
    // Height the list takes: ItemHeight * min(DropDownCount, count) + 2,
    // or ItemHeight + 2 without items.
    int ListHeight() const;
    // True when the list would leave the screen at the bottom.
    bool UpDropdown() const { return m_upDropdown; }
    // The state the button is painted in now.
    ButtonState CurrentButtonState() const;
    // Button fill colour (Windows colour value) of a state.
    static int ButtonFillColor(ButtonState state);

    void showPopup() override;
    void hidePopup() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeEdit();
    void paintButton(class QPainter &p, ButtonState state);

    int m_buttonWidth = 11;
    int m_editOffset = 0;
    int m_listWidth = 0;
    int m_itemHeight = 0;
    bool m_readOnly = false;
    bool m_mouseInControl = false;
    bool m_droppedDown = false;
    bool m_upDropdown = false;
};

class TrpComboBox : public TrpCustomComboBox {
    Q_OBJECT
public:
    using TrpCustomComboBox::TrpCustomComboBox;
};

} // namespace bralvo::report
