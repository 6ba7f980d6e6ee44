// The numbered text tables and their lookups.
#include "services/uitexts.h"

#include "services/builtintexts.h"

namespace bralvo::services {
namespace {

QStringList filledTable(int count, QString (*builtIn)(int))
{
    QStringList table;
    table.reserve(count);
    for (int i = 0; i < count; ++i)
        table.append(builtIn(i));
    return table;
}

// Texts the program shows in slots the built-in list leaves empty. They
// stay out of the tables (so the generated list, its data file and the
// shipped language files are untouched); a language file that gives the
// slot a non-empty text translates them.
struct AddedText {
    int number;
    const char *text;
};
constexpr AddedText addedTexts[] = {
    {286, "Databázu sa nepodarilo skopírovať do nového umiestnenia. Pravdepodobne nemáte pridelené práva na "
          "zápis do potrebného adresára. Údaje o databáze ostali nezmenené."},
    {296, "Označenú databázu práve používate, preto ju nie je možné odobrať. Najprv načítajte inú databázu."},
    {297, "V zadanom umiestnení sa už nachádza iná databáza. Prajete si ju nahradiť presúvanou databázou?"},
    {313, "Do poľa \"%s\" zadajte číslo."},
    {314, "Do poľa \"%s\" zadajte číslo od %s do %s."},
};

QString addedText(int number)
{
    for (const AddedText &added : addedTexts) {
        if (added.number == number)
            return QString::fromUtf8(added.text);
    }
    return QString();
}

} // namespace

QString StripPercent(const QString &text)
{
    QString result = text;
    if (result.startsWith(QLatin1Char('%')))
        result.remove(0, 1);
    if (result.endsWith(QLatin1Char('%')))
        result.chop(1);
    return result;
}

QStringList &UiTextTable()
{
    static QStringList table = filledTable(UiTextCount, &BuiltInUiText);
    return table;
}

// A translated text with other "%" marks or too few placeholders is used
// as it is: MessageText's fallback relies on this never failing.
QString FillPlaceholders(QString text, const QStringList &arguments)
{
    int from = 0;
    for (const QString &argument : arguments) {
        const int at = text.indexOf(QLatin1String("%s"), from);
        if (at < 0)
            break;
        text.replace(at, 2, argument);
        from = at + argument.size();
    }
    return text;
}

QString MessageText(int number)
{
    const QStringList &table = UiTextTable();
    if (number >= 0 && number < UiTextCount && number < table.size()) {
        const QString text = StripPercent(table.at(number));
        return text.isEmpty() ? addedText(number) : text;
    }
    const QString fallback = table.size() > 21 ? table.at(21) : BuiltInUiText(21);
    return FillPlaceholders(StripPercent(fallback),
                            {ContactEmailAddress(), QString::number(number)});
}

QStringList &ReportTextTable()
{
    static QStringList table = filledTable(ReportTextCount, &BuiltInReportText);
    return table;
}

QString ReportText(int number)
{
    const QStringList &table = ReportTextTable();
    if (number < 0 || number >= ReportTextCount || number >= table.size())
        number = 0;
    return table.isEmpty() ? QString() : StripPercent(table.at(number));
}

QString &CurrentLanguageTag()
{
    static QString tag = QStringLiteral("SK");
    return tag;
}

QString ContactEmailAddress()
{
    return QStringLiteral("podpora@tamrex.sk");
}

} // namespace bralvo::services
