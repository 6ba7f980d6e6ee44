// Program entry: the application object and the main window.
#include "app/tfmain.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + "/.local/share";
    const QString dataRoot = dataHome + "/Tamrex/Bralvo/";
    QDir().mkpath(dataRoot + "Data");
    QDir().mkpath(dataRoot + "Backups");

    bralvo::app::TfMain mainWindow;
    mainWindow.show();
    return app.exec();
}
