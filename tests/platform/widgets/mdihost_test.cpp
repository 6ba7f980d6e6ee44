// MDI children known by name and closed last-first.
#include "platform/widgets/mdihost.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QCloseEvent>
#include <QCoreApplication>
#include <gtest/gtest.h>

using bralvo::platform::MdiHost;

namespace {

QWidget *namedWindow(const QString &name, QStringList *closeLog = nullptr)
{
    struct Logged : QWidget {
        QStringList *log = nullptr;
        void closeEvent(QCloseEvent *e) override
        {
            if (log)
                log->append(objectName());
            e->accept();
        }
    };
    auto *w = new Logged;
    w->log = closeLog;
    w->setObjectName(name);
    return w;
}

} // namespace

TEST(MdiHost, KnowsChildrenByName)
{
    QMdiArea area;
    MdiHost host(area);
    host.openMaximized(namedWindow("fMenu"));
    EXPECT_TRUE(host.isOpen("fMenu"));
    EXPECT_FALSE(host.isOpen("fOdberatelia"));
    EXPECT_TRUE(area.subWindowList().first()->isMaximized());
}

TEST(MdiHost, ClosesTheLastOpenedFirst)
{
    QMdiArea area;
    MdiHost host(area);
    QStringList log;
    host.openMaximized(namedWindow("a", &log));
    host.openMaximized(namedWindow("b", &log));
    host.openMaximized(namedWindow("c", &log));
    host.closeAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(log, QStringList({"c", "b", "a"}));
    EXPECT_EQ(host.count(), 0);
}

TEST(MdiHost, ClosingAChildClosesItsFrame)
{
    QMdiArea area;
    MdiHost host(area);
    QStringList log;
    QWidget *child = namedWindow("fZoznamFaktur", &log);
    host.openMaximized(child);
    MdiHost::closeFrameOf(*child);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(log, QStringList({"fZoznamFaktur"}));
    EXPECT_EQ(host.count(), 0);
    EXPECT_FALSE(host.isOpen("fZoznamFaktur"));

    QWidget alone;
    alone.show();
    MdiHost::closeFrameOf(alone);
    EXPECT_FALSE(alone.isVisible());
}
