// Print languages, report texts from language files, and the first
// choice of a language.
#include "services/printlanguages.h"
#include "platform/collation.h"

#include "platform/inifile.h"
#include "platform/process.h"
#include "services/builtintexts.h"
#include "services/globals.h"
#include "services/languagechooser.h"
#include "services/languagefiles.h"
#include "services/reportenginetexts.h"
#include "services/settings.h"
#include "services/uitexts.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <algorithm>
#include <optional>

namespace bralvo::services {
namespace {

using platform::IniFile;

// Print languages and the "-report-" source keep the literal prefix.
const QString PrintFilePrefix = QStringLiteral("Bralvo - ");

// A report text number: decimal digits only. Anything else is a
// translator's slip and must not overwrite entry 0.
std::optional<int> reportKeyNumber(const QString &key)
{
    if (key.isEmpty() || key.size() > 9)
        return std::nullopt;
    for (const QChar c : key)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const int number = key.toInt();
    if (number >= ReportTextCount)
        return std::nullopt;
    return number;
}

void applyReportSection(const IniFile &ini, const QString &section)
{
    QStringList &table = ReportTextTable();
    for (const QString &key : ini.keys(section)) {
        const std::optional<int> number = reportKeyNumber(key);
        const QString value = ini.readString(section, key, QString());
        if (number && !value.isEmpty() && *number < table.size())
            table[*number] = value;
    }
}

void resetBillLabels()
{
    QStringList &table = ReportTextTable();
    auto reset = [&table](int number) { table[number] = BuiltInReportText(number); };
    for (int i = 1; i <= 40; ++i)
        reset(i);
    reset(51);
    reset(84);
    for (int i = 171; i <= 175; ++i)
        reset(i);
    table[172] = QString::fromUtf8("%p.č.%");
}


QString printLanguageItem(const QString &path)
{
    const IniFile ini(path);
    const QString main = QStringLiteral("-main-");
    const QString error = QStringLiteral("error");
    return ini.readString(main, QStringLiteral("tag"), error) + QStringLiteral(" - ")
           + ini.readString(main, QStringLiteral("name"), error);
}

} // namespace

QStringList ListPrintLanguages()
{
    QStringList seen;
    QStringList items;
    for (const QString &folder : LanguageFolders()) {
        const QStringList files = QDir(folder).entryList(
            {QStringLiteral("*.ilng")}, QDir::Files | QDir::Hidden | QDir::System);
        for (const QString &file : files) {
            if (seen.contains(file))
                continue;
            seen.append(file);
            items.append(printLanguageItem(folder + file));
        }
    }
    const QCollator collator = platform::userCollator(Qt::CaseInsensitive);
    std::sort(items.begin(), items.end(), collator);
    return items;
}

void LoadPrintTexts(const QString &item)
{
    resetBillLabels();
    const QString separator = QStringLiteral(" - ");
    const int at = item.indexOf(separator);
    const QString tag = at < 0 ? QString() : item.left(at);
    const QString path = FindLanguageFile(PrintFilePrefix + tag + QStringLiteral(".ilng"));
    if (path.isEmpty())
        return;
    applyReportSection(IniFile(path), QStringLiteral("Bralvo"));
}

void LoadReportLanguage(QWidget *mainWindow, ReportEngineTexts *engineTexts)
{
    LoadLanguage(QStringLiteral("SK"), mainWindow);
    const QString tag = CurrentLanguageTag();
    const QString engineFile =
        FindLanguageFile(ProductFilePrefix + QStringLiteral(" - ") + tag + QStringLiteral(".flng"));
    if (!engineFile.isEmpty() && engineTexts)
        engineTexts->loadFromFile(engineFile);
    const QString path = FindLanguageFile(PrintFilePrefix + tag + QStringLiteral(".lng"));
    if (!path.isEmpty())
        applyReportSection(IniFile(path), QStringLiteral("-report-"));
}

bool EnsureLanguageChosen(LanguageChooser &chooser)
{
    const QString section = QStringLiteral("Language");
    const QString key = QStringLiteral("tag");
    const QString tag = ReadSetting(section, key, QString());
    if (!tag.isEmpty() && !FindLanguageFile(LanguageFileName(tag)).isEmpty())
        return true;
    chooser.chooseLanguage();
    if (!ReadSetting(section, key, QString()).isEmpty()) {
        QStringList arguments;
        const QStringList ours = QCoreApplication::arguments();
        if (ours.size() > 1 && !ours.at(1).isEmpty())
            arguments.append(ours.at(1));
        platform::restartSeam().restartProgram(arguments);  // failure: we end anyway
    }
    return false;
}

} // namespace bralvo::services
