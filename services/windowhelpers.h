// Window-level helpers: centring panels, the focus highlight of input
// fields, link labels, pictures, and the main window's MDI children.
#pragma once

#include <QColor>
#include <QList>
#include <QString>

class QLabel;
class QWidget;

namespace bralvo::platform { class MdiHost; }

namespace bralvo::services {

extern int ScreenWidth;                   // set by ReadScreenSize
extern int ScreenHeight;
extern QColor MainColor;                  // background of the focused field
extern QList<QColor> SavedControlColors;  // slot s is element s - 1

// The main window registers its MDI bookkeeping here at creation; the
// MDI helpers below do nothing while none is registered.
void SetMainMdiHost(platform::MdiHost *host);

void ReadScreenSize();

// Every child named "pnl..." is centred in the window's client area.
void CenterPanels(QWidget &window);

// Fields (line edits, combo boxes, text edits, list boxes) take MainColor
// as background; buttons, radio buttons and check boxes a maroon font.
// The colour they had is kept with the control (and copied to the
// window's slot); a second enter without an exit keeps the first colour.
void HighlightOnEnter(QWidget &control, int mode, int slot);
// Gives back the colour the control had before its highlight, or its
// default colour when it was not highlighted.
void RestoreColorOnExit(QWidget &control, int slot);
void RepaintControlArea(QWidget &control);

// Opens the control's tooltip as a link, else its caption; links go to
// the desktop only when they are web, mail or existing local files.
void OpenControlLink(QWidget &control);

// Shows the JPEG file in the label; nothing when the file is missing or
// unreadable.
void LoadJpegIntoImage(const QString &file, QLabel &image);

void MaximizeOtherMdiChildren(const QString &closingWindowName);
void CloseMdiChildren();
bool IsMdiChildOpen(const QString &windowName);

} // namespace bralvo::services
