// Language files: choosing, applying, translating one window, and the
// translator's template.
#include "services/languagefiles.h"

#include "platform/inifile.h"
#include "platform/textfile.h"
#include "services/formcomponents.h"
#include "services/globals.h"
#include "services/settings.h"
#include "services/uitexts.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <optional>

namespace bralvo::services {
namespace {

using platform::IniFile;

const QString MessageSection = QStringLiteral("-msg-");

// An empty path (no file found) reads as an empty file.
IniFile loadIni(const QString &path)
{
    return path.isEmpty() ? IniFile() : IniFile(path);
}

// The tag from the settings when its file exists, else the fallback.
QString chosenTag(const QString &fallback)
{
    const QString tag = ReadSetting(QStringLiteral("Language"), QStringLiteral("tag"), fallback);
    if (!tag.isEmpty() && !FindLanguageFile(LanguageFileName(tag)).isEmpty())
        return tag;
    return fallback;
}

// "sbMain.Panels[12]" -> 12; a key without "[" means panel 0. A key with
// no digit after its last "[" is malformed: nullopt, and it is skipped.
std::optional<int> statusPanelIndex(const QString &key)
{
    const int bracket = key.lastIndexOf(QLatin1Char('['));
    if (bracket < 0)
        return 0;
    int end = bracket + 1;
    while (end < key.size() && key.at(end).isDigit() && key.at(end).unicode() < 128)
        ++end;
    bool ok = false;
    const int index = key.mid(bracket + 1, end - bracket - 1).toInt(&ok);
    return ok ? std::optional<int>(index) : std::nullopt;
}

void applyStatusKey(QStatusBar *bar, const QString &key, const QString &value)
{
    if (bar->objectName() != key.section(QLatin1Char('.'), 0, 0))
        return;
    if (const std::optional<int> index = statusPanelIndex(key))
        setStatusPanelText(bar, *index, StripPercent(value));  // no such panel: skipped
}

void applyKey(const QList<QObject *> &components, const QString &key, const QString &value)
{
    for (QObject *component : components) {
        if (QStatusBar *bar = asStatusBar(component))
            applyStatusKey(bar, key, value);
        else if (component->objectName() == key)
            setComponentText(component, StripPercent(value));
    }
}

void applyMessages(const IniFile &ini)
{
    QStringList &table = UiTextTable();
    for (int i = 0; i < UiTextCount && i < table.size(); ++i)
        if (const std::optional<QString> text = ini.value(MessageSection, QString::number(i)))
            table[i] = *text;
}

void writeWhenEmpty(IniFile &ini, const QString &section, const QString &key,
                    const QString &value)
{
    if (ini.readString(section, key, QString()).isEmpty())
        ini.writeString(section, key, value);
}

void writeFormTemplate(IniFile &ini, QWidget *form)
{
    const QString section = form->objectName();
    for (QObject *component : formComponents(form)) {
        const QString name = component->objectName();
        if (const QStatusBar *bar = asStatusBar(component)) {
            const QStringList panels = statusPanelTexts(bar);
            for (int i = 0; i < panels.size(); ++i)
                writeWhenEmpty(ini, section, name + QStringLiteral(".Panels[%1]").arg(i),
                               QLatin1Char('%') + panels.at(i) + QLatin1Char('%'));
        } else if (const std::optional<QString> text = componentText(component)) {
            writeWhenEmpty(ini, section, name, QLatin1Char('%') + *text + QLatin1Char('%'));
        }
    }
}

} // namespace

QStringList LanguageFolders()
{
    QStringList folders;
    for (const QString &root : {DataRoot, ProgramDir})
        if (!root.isEmpty())
            folders.append(QDir::cleanPath(root + QStringLiteral("/Languages")) + QLatin1Char('/'));
    return folders;
}

QString FindLanguageFile(const QString &fileName)
{
    for (const QString &folder : LanguageFolders())
        if (QFileInfo(folder + fileName).isFile())
            return folder + fileName;
    return QString();
}

QString LanguageFileName(const QString &tag)
{
    return ProductFilePrefix + QStringLiteral(" - ") + tag + QStringLiteral(".lng");
}

QString LanguageTemplatePath()
{
    return QDir::cleanPath(DataRoot + QStringLiteral("/Languages")) + QStringLiteral("/new.lng");
}

void LoadLanguage(const QString &defaultTag, QWidget *mainWindow)
{
    CurrentLanguageTag() = chosenTag(defaultTag);
    const QString path = FindLanguageFile(LanguageFileName(CurrentLanguageTag()));
    if (!path.isEmpty())
        ApplyLanguageFile(path, mainWindow);
}

void ApplyLanguageFile(const QString &fileName, QWidget *mainWindow)
{
    const IniFile ini = loadIni(fileName);
    QList<QWidget *> forms = applicationForms(mainWindow);
    QList<QList<QObject *>> components;
    for (QWidget *form : forms)
        components.append(formComponents(form));

    for (const QString &section : ini.sections()) {
        for (const QString &key : ini.keys(section)) {
            const QString value = ini.readString(section, key, QString());
            for (int f = 0; f < forms.size(); ++f)
                if (forms.at(f)->objectName() == section)  // exact letter case
                    applyKey(components.at(f), key, value);
        }
    }
    applyMessages(ini);
}

void ApplyLanguageToForm(const QString & /*defaultTag*/, QWidget *form)
{
    const QString fallback = QStringLiteral("SK");
    CurrentLanguageTag() = chosenTag(fallback);
    if (!form)
        return;
    const IniFile ini = loadIni(FindLanguageFile(LanguageFileName(CurrentLanguageTag())));
    const QString section = form->objectName();
    for (QObject *component : formComponents(form)) {
        if (asStatusBar(component) || !componentText(component))
            continue;
        if (const std::optional<QString> text = ini.value(section, component->objectName()))
            setComponentText(component, StripPercent(*text));
    }
}

void SetBackButtonCaptions(QWidget *mainWindow)
{
    if (!mainWindow)
        return;
    const QString caption = MessageText(264);
    for (const QMdiArea *area : mainWindow->findChildren<QMdiArea *>()) {
        for (const QMdiSubWindow *sub : area->subWindowList()) {
            if (!sub->widget())
                continue;
            for (QObject *component : formComponents(sub->widget()))
                if (component->objectName() == QLatin1String("btnBack"))
                    setComponentText(component, caption);
        }
    }
}

void LocalizeForm(QWidget *form)
{
    if (!form)
        return;
    QWidget *top = form;
    while (top->parentWidget())
        top = top->parentWidget();
    SetBackButtonCaptions(top);
    ApplyLanguageToForm(QStringLiteral("SK"), form);
}

void WriteLanguageTemplate(const QString &fileName, QWidget *mainWindow)
{
    IniFile ini(fileName);
    for (QWidget *form : applicationForms(mainWindow))
        writeFormTemplate(ini, form);
    const QStringList &table = UiTextTable();
    for (int i = 0; i < UiTextCount && i < table.size(); ++i)
        writeWhenEmpty(ini, MessageSection, QString::number(i), table.at(i));

    QDir().mkpath(QFileInfo(fileName).absolutePath());
    if (!ini.save())
        throw platform::FileError(QStringLiteral("Cannot write the file \"%1\".").arg(fileName));
}

} // namespace bralvo::services
