// How language files see Qt windows: which widgets are "forms" (windows a
// language file has a section for), which objects are a form's components,
// and the one text of each component a translator may replace. Everything
// is found by objectName.
//
// Component classes and the text each one carries:
//   buttons, tool buttons, check boxes, radio buttons (QAbstractButton): text
//   labels, also standing for panels and static texts (QLabel): text
//   file dialogs (QFileDialog): window title
//   menu items (QAction: text; QMenu: title)
//   group boxes and radio groups (QGroupBox): title
//   tab sheets: a QTabWidget page, by the page widget's name: its tab text
//   charts: a QGraphicsView whose scene holds an object with a "title"
//     property (a chart): the title's first line
//   status bars (QStatusBar): the text of each panel; the panels are the
//     bar's direct QLabel children in child order, never components
//     themselves.
// Objects with an empty name or a Qt-internal one ("qt_...", "_q_...") are
// never components or forms.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QObject;
class QStatusBar;
class QWidget;

namespace bralvo::services {

// The application's forms in creation order: the main window, then every
// form below it in child order (dialogs parented to it, the widget inside
// each MDI subwindow), then parentless top-level forms. A form is a window
// (isWindow) other than a menu or a file dialog, or the widget of a
// QMdiSubWindow. Nameless forms are left out.
QList<QWidget *> applicationForms(QWidget *mainWindow);

// The components a form owns, in ownership (pre-order child) order: every
// named object below it that is not inside another form. The form itself
// is not included.
QList<QObject *> formComponents(QWidget *form);

// The component's text, or nullopt for objects of no text class and for
// status bars (whose texts are per panel).
std::optional<QString> componentText(const QObject *component);

// Sets the text; false (and nothing changed) for objects of no text class
// and for status bars. A chart keeps the lines after its title's first.
bool setComponentText(QObject *component, const QString &text);

// The status bar, or nullptr when the object is not one.
QStatusBar *asStatusBar(QObject *object);

// The texts of the bar's panels, in panel order.
QStringList statusPanelTexts(const QStatusBar *bar);

// Sets panel `index`; false (nothing changed) when there is no such panel.
bool setStatusPanelText(QStatusBar *bar, int index, const QString &text);

} // namespace bralvo::services
