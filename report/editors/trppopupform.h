// TrpPopupForm: a borderless window that stays on top, closes when it
// loses activation and frees itself when closed. The code editor shows
// its completion list in one.
#pragma once

#include <QWidget>
#include <functional>

class QListWidget;

namespace bralvo::report {

class TrpPopupForm : public QWidget {
    Q_OBJECT
public:
    explicit TrpPopupForm(QWidget *owner);

    // Shows items sorted, 300 x 100 at the screen point; Enter or a double
    // click hands the chosen item's identifier (with "()" when the item
    // continues with "(") to chosen and closes; Esc closes.
    void ShowList(const QStringList &items, QPoint screenPos, std::function<void(const QString &)> chosen);
    QListWidget *List() const { return m_list; }

    // The text inserted for an item: its first character and the
    // identifier characters after it, plus "()" before a "(".
    static QString InsertionOf(const QString &item);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void choose();

    QListWidget *m_list;
    std::function<void(const QString &)> m_chosen;
};

} // namespace bralvo::report
