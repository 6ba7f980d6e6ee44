// Program entry: the application object, the message-box seam and the
// main window, whose timer starts everything else.
#include "app/startupfolders.h"
#include "report/dataeditors/registereditors.h"
#include "report/data/trpado.h"
#include "report/engine/trpengine.h"
#include "report/engine/trpmemotextlayout.h"
#include "report/engine/trppreviewpages.h"
#include "report/export/trpdmpexportdialog.h"
#include "report/export/trppdfexport.h"
#include "report/preview/reportwindows.h"
#include "report/preview/trpprintdialog.h"
#include "report/preview/trppreviewform.h"
#include "app/tfmain.h"
#include "services/messages.h"
#include "services/qtcommondialogs.h"
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
    bralvo::services::QtCommonDialogs commonDialogs;
    bralvo::platform::setCommonDialogSeam(&commonDialogs);
    // The report library's machinery: text layout, engine and script,
    // prepared pages, its small windows, the preview, the print dialog, the
    // dot-matrix export's dialog and the PDF export.
    bralvo::report::installMemoTextLayout();
    bralvo::report::installReportEngine();
    bralvo::report::installPreviewPages();
    bralvo::report::installReportWindows();
    bralvo::report::installPreviewWindow();
    bralvo::report::installPrintDialog();
    bralvo::report::installDMPExportDialog();
    bralvo::report::RegisterPdfExportClass();
    // Report classes, then the data components a report may hold.
    bralvo::report::registerDataComponents();
    // Property, component and data editors and the data wizards.
    bralvo::report::RegisterEditors();

    int exitCode = 0;
    try {
        bralvo::app::TfMain mainWindow(QApplication::arguments());
        // Previews whose reports ask for an MDI child open inside the main window.
        bralvo::report::SetPreviewMdiArea(mainWindow.mdiArea());
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
    bralvo::platform::setCommonDialogSeam(nullptr);
    return exitCode;
}
