// Program entry: the application object, the message-box seam and the
// main window, whose timer starts everything else.
#include "app/startupfolders.h"
#include "app/tfmain.h"
#include "services/messages.h"
#include "services/qtmessageboxes.h"
#include "services/qttranslation.h"
#include "services/settings.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bralvo"));
    bralvo::services::QtMessageBoxes messageBoxes;
    bralvo::platform::setMessageBoxSeam(&messageBoxes);

    int exitCode = 0;
    try {
        bralvo::app::TfMain mainWindow(QApplication::arguments());
        // Standard buttons and file dialogs in the program's language.
        bralvo::services::InstallQtTranslation(
            bralvo::services::ReadSetting(QStringLiteral("Language"), QStringLiteral("tag"), QStringLiteral("SK")));
        mainWindow.show();
        exitCode = app.exec();
    } catch (const bralvo::Error &e) {
        // Start-up could not even create the main window (data folder).
        bralvo::services::ShowErrorBox(e.userText());
        exitCode = 1;
    }
    bralvo::platform::setMessageBoxSeam(nullptr);
    return exitCode;
}
