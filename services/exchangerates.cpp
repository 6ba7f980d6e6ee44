// The two rate sources and their file cache.
#include "services/exchangerates.h"

#include "platform/conversionerror.h"
#include "platform/textfile.h"
#include "services/dates.h"
#include "services/download.h"
#include "services/globals.h"
#include "services/numbers.h"
#include "services/progresswindow.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

#include <optional>
#include <vector>

namespace bralvo::services {

namespace {

struct NbsRate {
    QString code;
    QString value;
    QString amount;
};

struct NbsDay {
    QString validFrom;
    std::vector<NbsRate> rates;
};

// rate -> ccyCode value amount (direct children; others skipped)
NbsRate readRate(QXmlStreamReader &xml)
{
    NbsRate rate;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"ccyCode")
            rate.code = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (xml.name() == u"value")
            rate.value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (xml.name() == u"amount")
            rate.amount = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else
            xml.skipCurrentElement();
    }
    return rate;
}

// nbsDailyFxRateList -> validFrom rateList(rate*)
NbsDay readDay(QXmlStreamReader &xml)
{
    NbsDay day;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"validFrom") {
            day.validFrom = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.name() == u"rateList") {
            while (xml.readNextStartElement()) {
                if (xml.name() == u"rate")
                    day.rates.push_back(readRate(xml));
                else
                    xml.skipCurrentElement();
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    return day;
}

// Every day of the document; none when it is not well-formed XML, as a
// document that fails to load has no elements.
std::vector<NbsDay> readNbsMonth(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    std::vector<NbsDay> days;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"nbsDailyFxRateList")
            days.push_back(readDay(xml));
    }
    return xml.hasError() ? std::vector<NbsDay>() : days;
}

// What a server sends in place of the archive (an error or login page in
// HTML, any other text) is not kept: a cached copy would stand for the
// month until it is deleted by hand.
void dropUnlessRateArchive(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QXmlStreamReader xml(&file);
    bool archive = xml.readNextStartElement() && xml.name() == u"nbsFxRateListArchive";
    while (archive && !xml.atEnd())
        xml.readNext();
    archive = archive && !xml.hasError();
    file.close();
    if (!archive)
        QFile::remove(path);
}

// A missing file counts as found with "0" and "0".
std::optional<RateResult> findNbsRate(const QString &path, const QString &isoDate, const QString &code)
{
    if (!QFile::exists(path))
        return RateResult{QStringLiteral("0"), QStringLiteral("0")};
    for (const NbsDay &day : readNbsMonth(path)) {
        if (day.validFrom != isoDate)
            continue;
        for (const NbsRate &rate : day.rates) {
            if (rate.code.compare(code, Qt::CaseInsensitive) == 0)
                return RateResult{rate.value, rate.amount};
        }
    }
    return std::nullopt;
}

QString monthKey(const QDate &date)
{
    return date.toString(QStringLiteral("yyMM"));
}

bool isPlainDate(const QString &text)
{
    QDate date;
    return ParseDateCore(text, 0, date) == 0;
}

// Lines as a string list reads them: a final line end adds no empty line.
QStringList splitLines(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

QStringList fetchCnbList(const QString &date, const QString &baseAddress, const QString &cache)
{
    const QString fileName = date + QStringLiteral(".txt");
    DownloadWithWindow(JoinUrl(baseAddress, QStringLiteral("cs/financni_trhy/devizovy_trh/"
                                                           "kurzy_devizoveho_trhu/denni_kurz.txt?date=")
                                                + date),
                       cache, fileName, SmallFileLimits());
    const QStringList lines = splitLines(platform::readTextFile(cache + fileName).value_or(QString()));
    QFile::remove(cache + fileName);
    // The first line names the day the list is valid for; it becomes a
    // file name only when it really is a date.
    const QString validOn = lines.value(0).left(10);
    if (lines.size() > 1 && isPlainDate(validOn))
        platform::writeTextFileAtomic(cache + validOn + QStringLiteral(".txt"), lines.join(u'\n') + u'\n');
    return lines;
}

double numberOrZero(const QString &text)
{
    try {
        return ParseNumber(text);
    } catch (const platform::ConversionError &) {
        return 0.0;
    }
}

RateResult cnbRateFromList(const QStringList &lines, const QString &code)
{
    const RateResult none{QStringLiteral("0"), QStringLiteral("0")};
    if (lines.size() <= 1)
        return none;
    const QString needle = u'|' + code + u'|';
    for (const QString &line : lines) {
        if (!line.contains(needle))
            continue;
        const QStringList fields = line.split(u'|');
        if (fields.size() < 5 || numberOrZero(fields[4]) == 0 || numberOrZero(fields[2]) == 0)
            return none;
        return RateResult{fields[4], fields[2]};
    }
    return none;
}

} // namespace

QString NbsBaseAddress()
{
    return BaseAddressFromEnvironment("BRALVO_NBS_URL", QStringLiteral("http://www.nbs.sk"));
}

QString CnbBaseAddress()
{
    return BaseAddressFromEnvironment("BRALVO_CNB_URL", QStringLiteral("http://www.cnb.cz"));
}

QString CurrencyCacheFolder()
{
    return DataRoot + QStringLiteral("Data/Currency/");
}

RateResult GetNbsRate(const QString &date, const QString &code, const QString &baseAddress)
{
    QDate start;
    if (date.size() != 10 || ParseDateCore(date, 0, start) != 0)
        return {};
    const QString cache = CurrencyCacheFolder();
    QDir().mkpath(cache);
    const auto fetch = [&](const QString &key) {
        const QString name = QStringLiteral("HISL") + key + QStringLiteral(".xml");
        DownloadWithWindow(JoinUrl(baseAddress, QStringLiteral("KL/ARCHIV/HISL") + key + QStringLiteral(".XML")),
                           cache, name, SmallFileLimits());
        dropUnlessRateArchive(cache + name);
    };
    bool refreshed = false;
    for (QDate current = start; current >= start.addDays(-14); current = current.addDays(-1)) {
        const QString key = monthKey(current);
        const QString file = cache + QStringLiteral("HISL") + key + QStringLiteral(".xml");
        const QString iso = current.toString(QStringLiteral("yyyy-MM-dd"));
        if (!refreshed && QFile::exists(file)) {
            if (std::optional<RateResult> found = findNbsRate(file, iso, code))
                return *found;
            fetch(key);
            if (std::optional<RateResult> found = findNbsRate(file, iso, code))
                return *found;
            refreshed = true;
        }
        if (!QFile::exists(file))
            fetch(key);
        if (std::optional<RateResult> found = findNbsRate(file, iso, code))
            return *found;
        if (current.day() == 1)
            refreshed = false;  // the day before lies in another month's file
    }
    return {};
}

RateResult GetCnbRate(const QString &date, const QString &code, const QString &baseAddress)
{
    const QString cache = CurrencyCacheFolder();
    QDir().mkpath(cache);
    if (!isPlainDate(date))
        return RateResult{QStringLiteral("0"), QStringLiteral("0")};
    const QString cached = cache + date + QStringLiteral(".txt");
    const QStringList lines = QFile::exists(cached)
                                  ? splitLines(platform::readTextFile(cached).value_or(QString()))
                                  : fetchCnbList(date, baseAddress, cache);
    return cnbRateFromList(lines, code);
}

} // namespace bralvo::services
