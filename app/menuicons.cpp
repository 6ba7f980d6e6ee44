// Menu item pictures from the bundled resources.
#include "app/menuicons.h"

#include <QFile>
#include <QHash>

static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace bralvo::app {

namespace {

struct ItemPicture {
    const char *item;
    const char *picture;
};

constexpr ItemPicture kPictures[] = {
        {"menuSpravaUzivatelov", "system-users"},
        {"menuSwitchUser", "system-log-out"},
        {"menuDBmanager", "drive-harddisk"},
        {"menuNastavenia", "preferences-system"},
        {"menuZistitAktualizaciu", "software-update-available"},
        {"menuJazyk", "preferences-desktop-locale"},
        {"menuKoniec", "system-shutdown"},
        {"menuSpravaFaktur", "x-office-document"},
        {"menuSpravaOdberatelov", "x-office-address-book"},
        {"menuSpravaPoloziek", "package-x-generic"},
        {"menuSpravaUctov", "x-office-spreadsheet"},
        {"menuSpravaPoznamok", "text-x-generic"},
        {"menuPrezrietTabulky", "x-office-calendar"},
        {"menuPrezrietGrafy", "x-office-presentation"},
        {"menuZalohovatDatabazu", "document-save"},
        {"menuZalohovatDatabazuDoSuboru", "document-save-as"},
        {"menuObnovitDatabazu", "document-open"},
        {"menuNapoveda", "help-browser"},
        {"menuHomePage", "internet-web-browser"},
        {"menuAbout", "dialog-information"},
};

QIcon resourceIcon(const char *picture)
{
    return IconPicture(QLatin1String(picture));
}

} // namespace

QIcon MenuItemIcon(const QString &itemName)
{
    for (const ItemPicture &entry : kPictures) {
        if (itemName == QLatin1String(entry.item))
            return resourceIcon(entry.picture);
    }
    return QIcon();
}

QIcon IconPicture(const QString &picture)
{
    static const bool loaded = (initIconResources(), true);
    (void)loaded;
    const QString path = QStringLiteral(":/icons/") + picture + QStringLiteral(".png");
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QIcon ProgramIcon()
{
    return resourceIcon("x-office-document");
}

} // namespace bralvo::app
