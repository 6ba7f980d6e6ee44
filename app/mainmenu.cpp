// The menu definition of the main window.
#include "app/mainmenu.h"

#include "app/menuicons.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace bralvo::app {

namespace {

// One row per menu entry; an item without a name is a separator named
// by its caption.
struct MenuEntry {
    const char *name;
    const char *caption;
    const char *shortcut;
};

struct MenuDefinition {
    const char *name;
    const char *caption;
    QList<MenuEntry> entries;
};

QList<MenuDefinition> menuDefinitions()
{
    return {
        {"Subor1", "Súbor",
         {{"menuSpravaUzivatelov", "Správa užívateľov a firmy", ""},
          {"menuSwitchUser", "Prepnúť užívateľa", ""},
          {nullptr, "N7", ""},
          {"menuDBmanager", "Správa databáz...", "Ctrl+D"},
          {nullptr, "N4", ""},
          {"menuNastavenia", "Nastavenia...", ""},
          {"menuZistitAktualizaciu", "Zistiť aktualizáciu", ""},
          {nullptr, "N5", ""},
          {"menuJazyk", "Jazyk...", ""},
          {nullptr, "N1", ""},
          {"menuKoniec", "Ukončiť program", ""}}},
        {"Zobrazit1", "Zobraziť",
         {{"menuSpravaFaktur", "Správa faktúr", ""},
          {"menuSpravaOdberatelov", "Správa odberateľov", ""},
          {"menuSpravaPoloziek", "Správa položiek", ""},
          {"menuSpravaUctov", "Správa bankových účtov", ""},
          {"menuSpravaPoznamok", "Správa poznámok", ""},
          {nullptr, "N2", ""},
          {"menuPrezrietTabulky", "Prezrieť tabuľkové prehľady", ""},
          {"menuPrezrietGrafy", "Prezrieť grafové prehľady", ""}}},
        {"Editova1", "Nástroje",
         {{"menuZalohovatDatabazu", "Zálohovať databázu (automaticky)", ""},
          {nullptr, "N6", ""},
          {"menuZalohovatDatabazuDoSuboru", "Zálohovať databázu do súboru...", ""},
          {"menuObnovitDatabazu", "Obnoviť zálohu zo súboru...", ""}}},
        {"Pomocnik1", "Nápoveda",
         {{"menuNapoveda", "Nápoveda", ""},
          {"menuHomePage", "Navštívte stránku programu Bralvo", ""},
          {nullptr, "N3", ""},
          {"menuAbout", "O programe...", ""}}},
    };
}

} // namespace

QHash<QString, QAction *> BuildMainMenu(QMenuBar &bar)
{
    QHash<QString, QAction *> actions;
    for (const MenuDefinition &definition : menuDefinitions()) {
        QMenu *menu = bar.addMenu(QString::fromUtf8(definition.caption));
        menu->setObjectName(QLatin1String(definition.name));
        for (const MenuEntry &entry : definition.entries) {
            if (!entry.name) {
                menu->addSeparator()->setObjectName(QLatin1String(entry.caption));
                continue;
            }
            QAction *action = menu->addAction(QString::fromUtf8(entry.caption));
            action->setObjectName(QLatin1String(entry.name));
            action->setIcon(MenuItemIcon(action->objectName()));
            if (*entry.shortcut)
                action->setShortcut(QKeySequence(QLatin1String(entry.shortcut)));
            actions.insert(action->objectName(), action);
        }
    }
    return actions;
}

const QStringList &LockedMenuItems()
{
    static const QStringList items = {
        "menuSpravaUzivatelov", "menuSpravaOdberatelov", "menuSpravaFaktur",
        "menuSpravaUctov", "menuSpravaPoznamok", "menuSpravaPoloziek",
        "menuZalohovatDatabazu", "menuZalohovatDatabazuDoSuboru", "menuObnovitDatabazu",
        "menuPrezrietGrafy", "menuPrezrietTabulky", "menuSwitchUser",
    };
    return items;
}

const QStringList &LockedStartMenuButtons()
{
    static const QStringList buttons = {
        "bitSpravaFaktur", "bitSpravaOdberatelov", "bitSpravaPoloziek",
        "bitSpravaUzivatelov", "bitGrafy", "bitTabulky",
    };
    return buttons;
}

const QStringList &ItemsNeedingWindows()
{
    static const QStringList items = {
        "menuSpravaUzivatelov", "menuSpravaFaktur", "menuSpravaOdberatelov",
        "menuSpravaPoloziek", "menuSpravaUctov", "menuSpravaPoznamok",
        "menuPrezrietTabulky", "menuPrezrietGrafy", "menuNastavenia",
        "menuAbout",
    };
    return items;
}

} // namespace bralvo::app
