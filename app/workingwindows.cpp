// The one place that hands every working window's opener to the main window.
#include "app/workingwindows.h"

#include "app/reportbillprinter.h"
#include "app/tffaktura.h"
#include "app/tfmain.h"
#include "app/tfnastavenia.h"
#include "app/tfkategoriepoloziek.h"
#include "app/tfodberatelia.h"
#include "app/tfpolozky.h"
#include "app/tfpoznamky.h"
#include "app/tfsimplepolozka.h"
#include "app/tftabulky.h"
#include "app/tfuhrady.h"
#include "app/tfucty.h"
#include "app/tfuzivatelia.h"
#include "app/tfvyber.h"
#include "app/tfzoznamfaktur.h"

namespace bralvo::app {

void InstallWorkingWindows(TfMain &main)
{
    (void)main;
    // --- users and firm, accounts and notes
    InstallUsersWindow(main);

    // --- customers, items and categories
    // The items and categories windows live as long as the main window.
    auto *categories = new TfKategoriePoloziek(main);
    auto *items = new TfPolozky(main, *categories);
    main.setWindowOpener(QStringLiteral("menuSpravaPoloziek"), [&main, items] { items->OpenModal(main); });
    // A customer's accounts: the customers window has set the scope.
    const TfOdberatelia::AccountsOpener customerAccounts = [&main] {
        if (TfUcty *accounts = AccountsWindowOf(main))
            accounts->OpenModal();
    };
    main.setWindowOpener(QStringLiteral("menuSpravaOdberatelov"),
                         [&main, customerAccounts] { TfOdberatelia::OpenInMdi(main, customerAccounts); });

    // --- bills: the editor, the picker and the one-off line window live
    // as long as the main window; the list is made on demand.
    auto *editor = new TfFaktura(main);
    auto *picker = new TfVyber(main, *editor);
    // The picker and the one-off line window belong to the editor, so
    // they stay above it while open.
    auto *simpleLine = new TfSimplePolozka(*editor);
    editor->setPicker(picker);
    editor->setSimpleLineWindow(simpleLine);
    editor->setNotesOpener([&main] {
        if (TfPoznamky *notes = NotesWindowOf(main))
            notes->OpenModal();
    });
    editor->setAccountsOpener([&main] {
        if (TfUcty *accounts = AccountsWindowOf(main))
            accounts->OpenModal();
    });
    picker->setCustomersOpener([&main, customerAccounts] { TfOdberatelia::OpenModal(main, customerAccounts); });
    picker->setItemsOpener([items, picker] { items->OpenModal(*picker); });
    editor->setBillListRefresh([&main](const QString &number) {
        if (auto *list = main.findChild<TfZoznamFaktur *>(QStringLiteral("fZoznamFaktur")))
            list->refreshAndSelect(number);
    });
    const TfZoznamFaktur::PaymentsOpener payments = [&main](const QString &billId, const QString &number) {
        if (TfUhrady *window = PaymentsWindowOf(main))
            window->OpenForBill(billId, number);
    };
    main.setWindowOpener(QStringLiteral("menuSpravaFaktur"),
                         [&main, editor, payments] { TfZoznamFaktur::OpenInMdi(main, *editor, payments); });
    // The printer goes with this main window: it must not outlive the
    // report library's registries at program end.
    auto printer = std::make_unique<ReportBillPrinter>();
    const BillPrinter *mine = printer.get();
    setBillPrinter(std::move(printer));
    QObject::connect(&main, &QObject::destroyed, [mine] {
        if (billPrinter() == mine)
            setBillPrinter(nullptr);
    });
    // --- payments and overviews
    // The payments window lives as long as the main window; the bill list
    // opens it through PaymentsWindowOf.
    new TfUhrady(&main);
    main.setWindowOpener(QStringLiteral("menuPrezrietTabulky"), [&main] { TfTabulky::OpenInMdi(main, false); });
    main.setWindowOpener(QStringLiteral("menuPrezrietGrafy"), [&main] { TfTabulky::OpenInMdi(main, true); });

    // --- settings
    // Created once; every opening loads the settings again.
    auto *settings = new TfNastavenia(&main);
    const auto openSettings = [settings](const QString &page) {
        settings->NacitajNastavenia();
        settings->ShowPage(page);
    };
    main.setWindowOpener(QStringLiteral("menuNastavenia"), [openSettings] { openSettings(QStringLiteral("settings")); });
    main.setWindowOpener(QStringLiteral("menuAbout"), [openSettings] { openSettings(QStringLiteral("about")); });
    main.setWindowOpener(QStringLiteral("menuJazyk"), [openSettings] { openSettings(QStringLiteral("settingsLng")); });
}

} // namespace bralvo::app
