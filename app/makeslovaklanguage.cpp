// Developer tool: writes "Bralvo - SK.lng", the Slovak language file the
// program ships, from the built-in texts and the windows as they are
// built: [-main-] first, then one section per window and "-msg-".
// Usage: bralvo-make-sk-lng <output file>. Runs offscreen in a throw-away
// data folder, so it never touches the user's files.
#include "app/slovakmessages.h"
#include "app/tffaktura.h"
#include "app/tfmain.h"
#include "app/tfodberatelia.h"
#include "app/tftabulky.h"
#include "app/tfuzivatelia.h"
#include "app/tfzoznamfaktur.h"
#include "platform/widgets/mdihost.h"
#include "db/database.h"
#include "platform/error.h"
#include "platform/inifile.h"
#include "services/languagefiles.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void OpenOnDemandWindows(bralvo::app::TfMain &mainWindow)
{
    using namespace bralvo::app;
    // The bill list and the overviews read their filters from the
    // database: a fresh one in the throw-away data folder.
    if (!bralvo::db::OpenDatabase())
        throw bralvo::Error(QStringLiteral("Cannot open a database"));
    bralvo::platform::MdiHost mdi(*mainWindow.mdiArea());
    mdi.openMaximized(new TfOdberatelia(mainWindow, {}));
    mdi.openMaximized(new TfUzivatelia(mainWindow));
    if (auto *editor = mainWindow.findChild<TfFaktura *>())
        mdi.openMaximized(new TfZoznamFaktur(mainWindow, *editor, {}));
    mdi.openMaximized(new TfTabulky(&mainWindow, false));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bralvo-make-sk-lng <output file>\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    try {
        bralvo::app::TfMain mainWindow(QApplication::arguments());
        mainWindow.ShowFreshStartMenu();
        // The windows made on demand (customers, users and firm, bill
        // list, overviews) are made here so that their texts are in the
        // file; the others live as long as the main window.
        OpenOnDemandWindows(mainWindow);
        QFile::remove(output);
        bralvo::platform::IniFile header(output);
        const QString main = QStringLiteral("-main-");
        header.writeString(main, QStringLiteral("tag"), QStringLiteral("SK"));
        header.writeString(main, QStringLiteral("name"), QStringLiteral("Slovenčina"));
        header.writeString(main, QStringLiteral("ProgramVersion"), QStringLiteral("1.0"));
        header.writeString(main, QStringLiteral("TranslationVersion"), QStringLiteral("1.0"));
        header.writeString(main, QStringLiteral("autor1"), QStringLiteral("Tamrex"));
        if (!header.save())
            throw bralvo::Error(QStringLiteral("Cannot write ") + output);
        bralvo::services::WriteLanguageTemplate(output, &mainWindow);
        // Empty texts (separators, panels filled at run time) are nothing
        // to translate, and applying them would blank a status text.
        bralvo::platform::IniFile file(output);
        for (const QString &section : file.sections())
            for (const QString &key : file.keys(section))
                if (section != QLatin1String("-msg-") &&
                    file.readString(section, key, QString()) == QLatin1String("%%"))
                    file.deleteKey(section, key);
        // Messages whose built-in form is English get their Slovak wording.
        for (const bralvo::app::SlovakMessage &message : bralvo::app::SlovakMessages())
            file.writeString(QStringLiteral("-msg-"), QString::number(message.number),
                             QLatin1Char('%') + QString::fromUtf8(message.text) + QLatin1Char('%'));
        if (!file.save())
            throw bralvo::Error(QStringLiteral("Cannot write ") + output);
    } catch (const bralvo::Error &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.userText()));
        return 1;
    }
    return 0;
}
