// Bookkeeping of the main window's child windows. A child is known by
// its widget's objectName, which is how the windows ask for each other.
#pragma once

#include <QString>

class QMdiArea;
class QWidget;

namespace bralvo::platform {

class MdiHost {
public:
    explicit MdiHost(QMdiArea &area) : m_area(area) {}  // area outlives us

    // Adds the child (the area takes ownership), maximised and active.
    // The child is deleted when its window closes.
    void openMaximized(QWidget *child);

    // Closes every child, the last opened first. A child that refuses to
    // close stays; the rest are still tried.
    void closeAll();

    bool isOpen(const QString &name) const;

    // Every child whose name differs from closingName is raised and
    // maximised, so closing one window leaves the next one filling the frame.
    void maximizeOthers(const QString &closingName);

    int count() const;

    // Closes the frame that holds the child, so the frame goes with it;
    // a child outside any frame closes itself.
    static void closeFrameOf(QWidget &child);

private:
    QMdiArea &m_area;
};

} // namespace bralvo::platform
