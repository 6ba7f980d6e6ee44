// Opening, finding and closing the main window's MDI children by name.
#include "platform/widgets/mdihost.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace bralvo::platform {

void MdiHost::openMaximized(QWidget *child)
{
    QMdiSubWindow *frame = m_area.addSubWindow(child);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setObjectName(child->objectName() + "_frame");
    frame->showMaximized();
    m_area.setActiveSubWindow(frame);
}

void MdiHost::closeAll()
{
    const QList<QMdiSubWindow *> frames = m_area.subWindowList(QMdiArea::CreationOrder);
    for (auto it = frames.crbegin(); it != frames.crend(); ++it)
        (*it)->close();
}

bool MdiHost::isOpen(const QString &name) const
{
    for (QMdiSubWindow *frame : m_area.subWindowList())
        if (frame->widget() && frame->widget()->objectName() == name && !frame->isHidden())
            return true;
    return false;
}

void MdiHost::maximizeOthers(const QString &closingName)
{
    for (QMdiSubWindow *frame : m_area.subWindowList()) {
        if (frame->widget() && frame->widget()->objectName() != closingName) {
            frame->raise();
            frame->showMaximized();
        }
    }
}

int MdiHost::count() const
{
    return int(m_area.subWindowList().size());
}

void MdiHost::closeFrameOf(QWidget &child)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(child.parentWidget()))
        frame->close();
    else
        child.close();
}

} // namespace bralvo::platform
