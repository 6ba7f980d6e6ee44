// Panel centring, focus colours, link labels, pictures and MDI helpers.
#include "services/windowhelpers.h"

#include "platform/widgets/mdihost.h"
#include "services/shellopen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>

namespace bralvo::services {

int ScreenWidth = 0;
int ScreenHeight = 0;
QColor MainColor(0xCF, 0xE6, 0xFE);
QList<QColor> SavedControlColors;

namespace {

platform::MdiHost *g_mdiHost = nullptr;

// Grids and trees keep their colours: only list boxes among the views.
bool isField(const QWidget &w)
{
    return qobject_cast<const QLineEdit *>(&w) || qobject_cast<const QComboBox *>(&w) ||
           qobject_cast<const QPlainTextEdit *>(&w) || qobject_cast<const QTextEdit *>(&w) ||
           qobject_cast<const QListView *>(&w);
}

bool isButton(const QWidget &w)
{
    return qobject_cast<const QAbstractButton *>(&w) != nullptr;
}

// Fields are coloured through their base, buttons through their text.
QPalette::ColorRole roleOf(const QWidget &w)
{
    return isField(w) ? QPalette::Base : QPalette::ButtonText;
}

void setRoleColor(QWidget &w, QPalette::ColorRole role, const QColor &color)
{
    QPalette p = w.palette();
    p.setColor(role, color);
    if (role == QPalette::ButtonText)
        p.setColor(QPalette::WindowText, color);
    w.setPalette(p);
}

} // namespace

void SetMainMdiHost(platform::MdiHost *host)
{
    g_mdiHost = host;
}

void ReadScreenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect size = screen ? screen->geometry() : QRect();
    ScreenWidth = size.width();
    ScreenHeight = size.height();
}

void CenterPanels(QWidget &window)
{
    const QRect client = window.contentsRect();
    for (QWidget *panel : window.findChildren<QWidget *>()) {
        if (!panel->objectName().startsWith(QLatin1String("pnl")))
            continue;
        panel->move((client.width() - panel->width()) / 2, (client.height() - panel->height()) / 2);
    }
}

// Each control keeps its own colour from before the highlight, so a
// second focus-in (a message box closing hands the focus back) never
// saves the highlight as the control's colour, and a restore never takes
// another control's colour.
namespace {

const char *const kSavedColorProperty = "bralvoColorBeforeFocus";

} // namespace

void HighlightOnEnter(QWidget &control, int mode, int slot)
{
    Q_UNUSED(mode);
    if (slot < 1 || (!isField(control) && !isButton(control)))
        return;
    while (SavedControlColors.size() < slot)
        SavedControlColors.append(QColor());
    const QPalette::ColorRole role = roleOf(control);
    const QVariant saved = control.property(kSavedColorProperty);
    const QColor before = saved.isValid() ? saved.value<QColor>() : control.palette().color(role);
    control.setProperty(kSavedColorProperty, before);
    SavedControlColors[slot - 1] = before;
    setRoleColor(control, role, isField(control) ? MainColor : QColor(128, 0, 0));
    RepaintControlArea(control);
}

void RestoreColorOnExit(QWidget &control, int slot)
{
    Q_UNUSED(slot);
    if (!isField(control) && !isButton(control))
        return;
    const QPalette::ColorRole role = roleOf(control);
    const QVariant saved = control.property(kSavedColorProperty);
    const QColor color = saved.isValid() ? saved.value<QColor>() : QApplication::palette(&control).color(role);
    control.setProperty(kSavedColorProperty, QVariant());
    setRoleColor(control, role, color);
    RepaintControlArea(control);
}

void RepaintControlArea(QWidget &control)
{
    control.update();
}

void OpenControlLink(QWidget &control)
{
    QString target = control.toolTip();
    if (target.isEmpty()) {
        if (const auto *label = qobject_cast<const QLabel *>(&control))
            target = label->text();
        else if (const auto *button = qobject_cast<const QAbstractButton *>(&control))
            target = button->text();
    }
    // OpenWithDesktop refuses anything but web, mail and existing local
    // files, so a hint read from a file can never start a program.
    if (!target.isEmpty())
        OpenWithDesktop(target);
}

void LoadJpegIntoImage(const QString &file, QLabel &image)
{
    if (!QFileInfo::exists(file))
        return;
    QImageReader reader(file, "jpeg");
    const QImage picture = reader.read();
    if (!picture.isNull())
        image.setPixmap(QPixmap::fromImage(picture));
}

void MaximizeOtherMdiChildren(const QString &closingWindowName)
{
    if (g_mdiHost)
        g_mdiHost->maximizeOthers(closingWindowName);
}

void CloseMdiChildren()
{
    if (g_mdiHost)
        g_mdiHost->closeAll();
}

bool IsMdiChildOpen(const QString &windowName)
{
    return g_mdiHost && g_mdiHost->isOpen(windowName);
}

} // namespace bralvo::services
