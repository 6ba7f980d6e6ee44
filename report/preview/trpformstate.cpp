// Saving and restoring window positions.
#include "report/preview/trpformstate.h"

#include "platform/registryini.h"

#include <QMdiSubWindow>
#include <QWidget>

namespace bralvo::report {

namespace {

bool isMdiChild(const QWidget *form)
{
    return qobject_cast<const QMdiSubWindow *>(form->parentWidget()) != nullptr;
}

} // namespace

QString FormStateSection(const QWidget *form)
{
    QString name = QString::fromLatin1(form->metaObject()->className());
    const int colons = name.lastIndexOf(QStringLiteral("::"));
    if (colons >= 0)
        name = name.mid(colons + 2);
    return QStringLiteral("Form4.") + name;
}

bool rpSaveFormState(platform::SettingsStore &iniFile, const QWidget *form)
{
    const QString section = FormStateSection(form);
    const QRect r = form->isMaximized() ? form->normalGeometry() : form->geometry();
    bool ok = iniFile.writeInteger(section, QStringLiteral("Left"), r.x());
    ok = iniFile.writeInteger(section, QStringLiteral("Top"), r.y()) && ok;
    ok = iniFile.writeInteger(section, QStringLiteral("Width"), r.width()) && ok;
    ok = iniFile.writeInteger(section, QStringLiteral("Height"), r.height()) && ok;
    ok = iniFile.writeBool(section, QStringLiteral("Maximized"), form->isMaximized()) && ok;
    ok = iniFile.writeBool(section, QStringLiteral("Visible"), form->isVisible()) && ok;
    ok = iniFile.writeString(section, QStringLiteral("Dock4"), QString()) && ok;
    return ok;
}

void rpRestoreFormState(const platform::SettingsStore &iniFile, QWidget *form)
{
    const QString section = FormStateSection(form);
    const bool mdiChild = isMdiChild(form);
    const bool maximized = iniFile.readBool(section, QStringLiteral("Maximized"), false);
    if (!mdiChild && !maximized) {
        const QRect r = form->geometry();
        const int left = iniFile.readInteger(section, QStringLiteral("Left"), r.x());
        const int top = iniFile.readInteger(section, QStringLiteral("Top"), r.y());
        const int width = iniFile.readInteger(section, QStringLiteral("Width"), r.width());
        const int height = iniFile.readInteger(section, QStringLiteral("Height"), r.height());
        form->setGeometry(left, top, width, height);
    }
    if (maximized && !mdiChild)
        form->setWindowState(form->windowState() | Qt::WindowMaximized);
    // Docking does not exist here; the stored site name is only read.
    (void)iniFile.readString(section, QStringLiteral("Dock4"), QString());
    form->setVisible(iniFile.readBool(section, QStringLiteral("Visible"), true));
}

} // namespace bralvo::report
