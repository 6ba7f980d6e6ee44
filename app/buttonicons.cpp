// Picture buttons' pictures, by name, set when a button is first polished.
#include "app/buttonicons.h"

#include "app/menuicons.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QPointer>

namespace bralvo::app {

namespace {

struct ButtonPicture {
    const char *button;
    const char *picture;
};

// Buttons with a picture of their own; the rest go by their name's kind.
// The small "..." buttons (bitOpenLogo, bitOpenPodpis, bitSaveDatabase)
// are their own picture.
constexpr ButtonPicture kOwnPictures[] = {
        {"bitSpravaUzivatelov", "system-users"},
        {"bitSpravaFaktur", "x-office-document"},
        {"bitSpravaOdberatelov", "x-office-address-book"},
        {"bitSpravaPoloziek", "package-x-generic"},
        {"bitTabulky", "x-office-calendar"},
        {"bitGrafy", "x-office-presentation"},
        {"bitNastavenia", "preferences-system"},
        {"bitKoniec", "system-shutdown"},
        {"bitExit", "system-shutdown"},
        {"bitZavriet", "system-log-out"},
        {"bitOK", "go-next"},
        {"bitSave", "document-save"},
        {"bitUlozitDatabazu", "document-save"},
        {"bitSaveAndPrint", "document-print"},
        {"bitPrint", "document-print"},
        {"bitTlacitUhradu", "document-print"},
        {"bitTlacitZoznamFaktur", "document-print"},
        {"bitHelp", "help-browser"},
        {"bitHomePage", "internet-web-browser"},
        {"bitSend", "mail-send-receive"},
        {"bitCheckUpdate1", "software-update-available"},
        {"bitCheckUpdate2", "software-update-available"},
        {"bitLoadLng", "preferences-desktop-locale"},
        {"bitKurz", "view-refresh"},
        {"bitVyberDatabazu", "document-open"},
        {"bitSetRights", "system-lock-screen"},
        {"bitSetAdmin", "system-users"},
        {"bitSpravaUctov", "x-office-spreadsheet"},
        {"bitSpravaUctovOdb", "x-office-spreadsheet"},
        {"bitSpravaUctovUziv", "x-office-spreadsheet"},
        {"bitSpravaPoznamok", "text-x-generic"},
        {"bitSpravaKategorii", "folder"},
        {"bitVyberOdberatela", "system-search"},
        {"bitCreateItem", "document-new"},
        {"bitCreateOdberatel", "document-new"},
        {"bitUhradyFaktury", "accessories-calculator"},
        {"bitTabulka", "x-office-spreadsheet"},
        {"bitGraf", "x-office-presentation"},
};

// The kind of action a name starts with, after "bit".
constexpr ButtonPicture kKindPictures[] = {
        {"Add", "list-add"},     {"Pridat", "list-add"},      {"Delete", "list-remove"},
        {"Zmazat", "list-remove"}, {"Clear", "edit-clear"},
};

const char *pictureOf(const QString &name)
{
    for (const ButtonPicture &entry : kOwnPictures)
        if (name == QLatin1String(entry.button))
            return entry.picture;
    if (!name.startsWith(QLatin1String("bit")))
        return nullptr;
    const QStringView kind = QStringView(name).mid(3);
    for (const ButtonPicture &entry : kKindPictures)
        if (kind.startsWith(QLatin1String(entry.button)))
            return entry.picture;
    return nullptr;
}

void showPicture(QAbstractButton &button)
{
    if (!button.icon().isNull())
        return;
    const QIcon icon = ButtonIcon(button.objectName());
    if (!icon.isNull())
        button.setIcon(icon);
}

// Polish comes once per widget, before it is first drawn.
class PolishWatcher : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Polish)
            if (auto *button = qobject_cast<QAbstractButton *>(watched))
                showPicture(*button);
        return false;
    }
};

} // namespace

QIcon ButtonIcon(const QString &buttonName)
{
    const char *picture = pictureOf(buttonName);
    return picture ? IconPicture(QLatin1String(picture)) : QIcon();
}

void ShowButtonPictures(QWidget &window)
{
    for (QAbstractButton *button : window.findChildren<QAbstractButton *>())
        showPicture(*button);
}

void InstallButtonPictures()
{
    // One filter per application object (tests make more than one).
    static QPointer<PolishWatcher> installed;
    if (!qApp || installed)
        return;
    installed = new PolishWatcher(qApp);
    qApp->installEventFilter(installed);
}

} // namespace bralvo::app
