// Checkable buttons of which at most one is down, and all may be up:
// pressing the down button again lifts it.
#pragma once

#include <QList>
#include <QObject>

class QAbstractButton;

namespace bralvo::platform {

class AllUpButtonGroup : public QObject {
    Q_OBJECT
public:
    explicit AllUpButtonGroup(QObject *parent = nullptr) : QObject(parent) {}

    // The button becomes checkable; the group does not own it.
    void addButton(QAbstractButton *button);
    // The button that is down, or nullptr when all are up.
    QAbstractButton *checkedButton() const;

private:
    void buttonToggled(QAbstractButton *button, bool checked);

    QList<QAbstractButton *> m_buttons;
};

} // namespace bralvo::platform
