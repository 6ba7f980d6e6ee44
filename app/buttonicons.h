// The pictures of the windows' picture buttons: every button whose name
// starts with "bit" shows a small picture from the bundled icon set
// (app/icons/), whichever window it sits on.
#pragma once

#include <QIcon>
#include <QString>

class QWidget;

namespace bralvo::app {

// The picture of the button named buttonName: its own when it has one,
// else the one its kind of action carries (adding, removing, clearing);
// a null icon for a name that is no picture button.
QIcon ButtonIcon(const QString &buttonName);

// Gives every picture button below window its picture (buttons that
// already show one keep it).
void ShowButtonPictures(QWidget &window);

// From now on every picture button of the program gets its picture when
// it is first shown, so windows made later need no call of their own.
// A second call does nothing.
void InstallButtonPictures();

} // namespace bralvo::app
