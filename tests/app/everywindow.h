// Opening every window the program shows, for checks that read them all
// (captions that fit, pictures on buttons, texts in the language file).
#pragma once

#include "app/tfmain.h"
#include "app/tfmenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <functional>

namespace bralvo::test {

// Calls check on every window the program shows: the working windows in
// the main window's area, every dialog it keeps (shown without its event
// loop) and the start menu.
inline void forEachWindow(app::TfMain &main, const std::function<void(QWidget &)> &check)
{
    for (const char *item : {"menuSpravaUzivatelov", "menuSpravaOdberatelov", "menuSpravaFaktur",
                             "menuPrezrietTabulky", "menuPrezrietGrafy"}) {
        main.menuItem(item)->trigger();
        QCoreApplication::processEvents();
        for (QMdiSubWindow *frame : main.mdiArea()->subWindowList())
            if (frame->isVisible())
                check(*frame->widget());
    }
    for (QDialog *dialog : main.findChildren<QDialog *>()) {
        dialog->setModal(false);
        dialog->show();
        QCoreApplication::processEvents();
        check(*dialog);
        dialog->hide();
    }
    main.ShowFreshStartMenu();
    QCoreApplication::processEvents();
    for (app::TfMenu *menu : main.findChildren<app::TfMenu *>())
        check(*menu);
}

} // namespace bralvo::test
