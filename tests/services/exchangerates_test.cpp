// Exchange rates from both banks' files, served by a real HTTP server on
// 127.0.0.1, with the cache under a temporary data root.
#include "platform/error.h"
#include "platform/regionalsettings.h"
#include "services/download.h"
#include "services/exchangerates.h"
#include "services/globals.h"
#include "tests/services/httptestserver.h"
#include "tests/support/qstringprint.h"
#include "tests/support/programfolders.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace bralvo::services;
using bralvo::test::HttpTestServer;

namespace {

struct Rate {
    const char *code, *value, *amount;
};
struct Day {
    const char *validFrom;
    std::vector<Rate> rates;
};

// A monthly archive as the Slovak bank publishes it: one
// nbsDailyFxRateList per working day.
QByteArray nbsMonth(const std::vector<Day> &days)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<nbsFxRateListArchive>\n";
    for (const Day &day : days) {
        xml += "  <nbsDailyFxRateList>\n    <validFrom>" + QByteArray(day.validFrom) + "</validFrom>\n"
               "    <rateList>\n";
        for (const Rate &rate : day.rates)
            xml += "      <rate><ccyCode>" + QByteArray(rate.code) + "</ccyCode><value>" + QByteArray(rate.value)
                   + "</value><amount>" + QByteArray(rate.amount) + "</amount></rate>\n";
        xml += "    </rateList>\n  </nbsDailyFxRateList>\n";
    }
    return xml + "</nbsFxRateListArchive>\n";
}

// A daily list as the Czech bank publishes it (UTF-8).
QByteArray cnbList(const QByteArray &firstLine, const QByteArrayList &rows)
{
    QByteArray text = firstLine + "\nzemě|měna|množství|kód|kurz\n";
    for (const QByteArray &row : rows)
        text += row + '\n';
    return text;
}

const char kCnbPath[] = "cs/financni_trhy/devizovy_trh/kurzy_devizoveho_trhu/denni_kurz.txt";

class ExchangeRates : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(m_server.start(&error)) << error.toStdString();
    }
    QString cache() const { return CurrencyCacheFolder(); }
    QStringList cachedFiles() const { return QDir(cache()).entryList(QDir::Files, QDir::Name); }
    QByteArray cached(const QString &name) const
    {
        QFile file(cache() + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    RateResult nbs(const char *date, const char *code)
    {
        return GetNbsRate(QString::fromUtf8(date), QString::fromUtf8(code), m_server.baseUrl());
    }
    RateResult cnb(const char *date, const char *code)
    {
        return GetCnbRate(QString::fromUtf8(date), QString::fromUtf8(code), m_server.baseUrl());
    }

    bralvo::test::ProgramFolders m_folders;
    bralvo::platform::ScopedRegionalSettings m_regional{bralvo::platform::RegionalSettings::slovak()};
    HttpTestServer m_server;
};

RateResult rate(const char *value, const char *amount)
{
    return RateResult{QString::fromUtf8(value), QString::fromUtf8(amount)};
}

} // namespace

namespace bralvo::services {
void PrintTo(const RateResult &r, std::ostream *os)
{
    *os << '(' << r.rate.toStdString() << ", " << r.amount.toStdString() << ')';
}
} // namespace bralvo::services

// --- Slovak monthly archive ---------------------------------------------

TEST_F(ExchangeRates, NbsFindsRateOfTheDayIgnoringLetterCaseAndCachesMonth)
{
    m_server.writeFile(QStringLiteral("KL/ARCHIV/HISL0811.XML"),
                       nbsMonth({{"2008-11-03", {{"CZK", "1,186", "1"}, {"JPY", "24,581", "100"}}},
                                 {"2008-11-04", {{"CZK", "1,190", "1"}}}}));
    EXPECT_EQ(nbs("03.11.2008", "jpy"), rate("24,581", "100"));
    EXPECT_EQ(nbs("04.11.2008", "CZK"), rate("1,190", "1"));
    EXPECT_EQ(cachedFiles(), QStringList{QStringLiteral("HISL0811.xml")});
    // A later lookup of a cached day does not fetch again.
    m_server.removeFile(QStringLiteral("KL/ARCHIV/HISL0811.XML"));
    EXPECT_EQ(nbs("03.11.2008", "CZK"), rate("1,186", "1"));
}

TEST_F(ExchangeRates, NbsSundayOnTheSecondStepsIntoPreviousMonthFile)
{
    // 2.11.2008 is a Sunday: the 2nd and the 1st are missing from
    // November's file, Friday 31.10 is in October's.
    m_server.writeFile(QStringLiteral("KL/ARCHIV/HISL0811.XML"), nbsMonth({{"2008-11-03", {{"USD", "22,1", "1"}}}}));
    m_server.writeFile(QStringLiteral("KL/ARCHIV/HISL0810.XML"),
                       nbsMonth({{"2008-10-30", {{"USD", "21,9", "1"}}}, {"2008-10-31", {{"USD", "22,0", "1"}}}}));
    EXPECT_EQ(nbs("02.11.2008", "USD"), rate("22,0", "1"));
    EXPECT_EQ(cachedFiles(), (QStringList{QStringLiteral("HISL0810.xml"), QStringLiteral("HISL0811.xml")}));
    EXPECT_GE(m_server.requestCount(QStringLiteral("HISL0810.XML")), 1);
}

TEST_F(ExchangeRates, NbsCachedMonthMissingTheDateIsFetchedAgain)
{
    QDir().mkpath(cache());
    QFile stale(cache() + QStringLiteral("HISL0801.xml"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(nbsMonth({{"2008-01-02", {{"EUR", "33,5", "1"}}}}));
    stale.close();
    m_server.writeFile(QStringLiteral("KL/ARCHIV/HISL0801.XML"),
                       nbsMonth({{"2008-01-02", {{"EUR", "33,5", "1"}}}, {"2008-01-18", {{"EUR", "33,7", "1"}}}}));
    // Sunday the 20th: the refreshed file has Friday the 18th.
    EXPECT_EQ(nbs("20.01.2008", "EUR"), rate("33,7", "1"));
    EXPECT_TRUE(cached(QStringLiteral("HISL0801.xml")).contains("2008-01-18"));
    EXPECT_EQ(m_server.requestCount(QStringLiteral("HISL0801.XML")), 1);
}

TEST_F(ExchangeRates, NbsNothingWithinFifteenDaysGivesEmptyResults)
{
    // The 5th is 15 days before the 20th: one day too far.
    m_server.writeFile(QStringLiteral("KL/ARCHIV/HISL0801.XML"), nbsMonth({{"2008-01-05", {{"EUR", "33,5", "1"}}}}));
    EXPECT_EQ(nbs("20.01.2008", "EUR"), RateResult());
    // The 6th is the last day tried.
    m_server.writeFile(QStringLiteral("KL/ARCHIV/HISL0801.XML"), nbsMonth({{"2008-01-06", {{"EUR", "33,6", "1"}}}}));
    EXPECT_EQ(nbs("20.01.2008", "EUR"), rate("33,6", "1"));
    // A currency the bank does not list: empty, after the same 15 days.
    EXPECT_EQ(nbs("20.01.2008", "XYZ"), RateResult());
}

TEST_F(ExchangeRates, NbsDateOfWrongLengthGivesEmptyResultsWithoutFetching)
{
    for (const char *date : {"", "5.1.2008", "05.01.20081", "05.01.08"}) {
        SCOPED_TRACE(date);
        EXPECT_EQ(nbs(date, "EUR"), RateResult());
    }
    EXPECT_EQ(m_server.requestCount(QStringLiteral("HISL")), 0);
}

TEST_F(ExchangeRates, InvalidDateIsNotFetched)
{
    // Ten characters but no date: nothing is asked of the server.
    for (const char *date : {"32.13.2008", "ab.cd.efgh", "../../x/yz"}) {
        SCOPED_TRACE(date);
        EXPECT_EQ(nbs(date, "EUR"), RateResult());
        EXPECT_EQ(cnb(date, "EUR"), rate("0", "0"));
    }
    EXPECT_EQ(m_server.requestCount(QStringLiteral("/")), 0);
    EXPECT_TRUE(cachedFiles().isEmpty());
}

TEST_F(ExchangeRates, NbsMissingMonthFileRaisesDownloadErrorAndCachesNothing)
{
    EXPECT_THROW(nbs("03.11.2008", "EUR"), DownloadError);
    EXPECT_TRUE(cachedFiles().isEmpty());
}

TEST_F(ExchangeRates, NbsBrokenCachedFileIsReplacedByTheServersCopy)
{
    QDir().mkpath(cache());
    QFile broken(cache() + QStringLiteral("HISL0811.xml"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(nbsMonth({{"2008-11-03", {{"CZK", "1,186", "1"}}}}).left(150));  // cut off
    broken.close();
    m_server.writeFile(QStringLiteral("KL/ARCHIV/HISL0811.XML"), nbsMonth({{"2008-11-03", {{"CZK", "1,186", "1"}}}}));
    EXPECT_EQ(nbs("03.11.2008", "CZK"), rate("1,186", "1"));
}

TEST_F(ExchangeRates, NbsBaseAddressComesFromEnvironment)
{
    m_server.writeFile(QStringLiteral("KL/ARCHIV/HISL0811.XML"), nbsMonth({{"2008-11-03", {{"CZK", "1,186", "1"}}}}));
    const QByteArray old = qgetenv("BRALVO_NBS_URL");
    qputenv("BRALVO_NBS_URL", m_server.baseUrl().toUtf8());
    const RateResult result = GetNbsRate(QStringLiteral("03.11.2008"), QStringLiteral("CZK"));
    if (old.isEmpty())
        qunsetenv("BRALVO_NBS_URL");
    else
        qputenv("BRALVO_NBS_URL", old);
    EXPECT_EQ(result, rate("1,186", "1"));
}

// --- Czech daily list --------------------------------------------------------

TEST_F(ExchangeRates, CnbSundayIsStoredUnderFridayAndFetchedAgainNextTime)
{
    m_server.writeFile(QString::fromUtf8(kCnbPath),
                       cnbList("07.08.2009 #151", {"EMU|euro|1|EUR|25,495", "Japonsko|jen|100|JPY|18,953",
                                                   "Austrálie|dolar|1|AUD|14,928"}));
    EXPECT_EQ(cnb("09.08.2009", "EUR"), rate("25,495", "1"));
    EXPECT_EQ(cachedFiles(), QStringList{QStringLiteral("07.08.2009.txt")});
    EXPECT_TRUE(QString::fromUtf8(cached(QStringLiteral("07.08.2009.txt"))).contains(QStringLiteral("Austrálie")));
    EXPECT_EQ(cnb("09.08.2009", "JPY"), rate("18,953", "100"));
    EXPECT_EQ(m_server.requestCount(QStringLiteral("denni_kurz.txt?date=09.08.2009")), 2);
    // The Friday itself now comes from the cache.
    m_server.removeFile(QString::fromUtf8(kCnbPath));
    EXPECT_EQ(cnb("07.08.2009", "AUD"), rate("14,928", "1"));
}

TEST_F(ExchangeRates, CnbLinesThatGiveZeros)
{
    m_server.writeFile(QString::fromUtf8(kCnbPath),
                       cnbList("07.08.2009 #151", {"EMU|euro|1|EUR|25,495", "Nikde|nic|0|ZZZ|3,1",
                                                   "Kdesi|nic|1|QQQ|abc"}));
    struct Case {
        const char *code, *rate, *amount;
    };
    for (const Case &c : {Case{"EUR", "25,495", "1"}, Case{"eur", "0", "0"}, Case{"ZZZ", "0", "0"},
                          Case{"QQQ", "0", "0"}, Case{"GBP", "0", "0"}}) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(cnb("07.08.2009", c.code), rate(c.rate, c.amount));
    }
}

TEST_F(ExchangeRates, ShortCnbLineGivesZerosInsteadOfFailing)
{
    // The first line naming the code has three fields; a rate further
    // down is not used.
    m_server.writeFile(QString::fromUtf8(kCnbPath),
                       cnbList("07.08.2009 #151", {"Krátko|USD|1", "USA|dolar|1|USD|17,920"}));
    EXPECT_EQ(cnb("07.08.2009", "USD"), rate("0", "0"));
}

TEST_F(ExchangeRates, CnbListOfOneLineIsNotCached)
{
    m_server.writeFile(QString::fromUtf8(kCnbPath), "07.08.2009 #151\n");
    EXPECT_EQ(cnb("07.08.2009", "EUR"), rate("0", "0"));
    EXPECT_TRUE(cachedFiles().isEmpty());
}

TEST_F(ExchangeRates, CnbFirstLineThatIsNoDateIsNotUsedAsFileName)
{
    m_server.writeFile(QString::fromUtf8(kCnbPath), cnbList("../../evil", {"EMU|euro|1|EUR|25,495"}));
    EXPECT_EQ(cnb("07.08.2009", "EUR"), rate("25,495", "1"));
    EXPECT_TRUE(cachedFiles().isEmpty());
    EXPECT_FALSE(QFile::exists(DataRoot + QStringLiteral("evil.txt")));
    EXPECT_FALSE(QFile::exists(cache() + QStringLiteral("../../evil.txt")));
}

TEST_F(ExchangeRates, CnbDownloadFailureRaisesAndLeavesNoFile)
{
    EXPECT_THROW(cnb("07.08.2009", "EUR"), DownloadError);
    EXPECT_TRUE(cachedFiles().isEmpty());
}

namespace {

// An HTML page served in place of the archive was cached and stood for
// its month; an archive larger than a rate list can be was read whole.
TEST_F(ExchangeRates, NbsPageThatIsNoArchiveIsNotCachedAndListsAreBounded)
{
    const QByteArray pages[] = {"<!DOCTYPE html><html><body><p>Údržba</p></body></html>",
                                "<?xml version=\"1.0\"?><html><body/></html>", "not even markup"};
    for (const QByteArray &page : pages) {
        SCOPED_TRACE(page.toStdString());
        m_server.writeFile(QStringLiteral("KL/ARCHIV/HISL0811.XML"), page);
        EXPECT_EQ(nbs("03.11.2008", "CZK"), rate("0", "0"));
        EXPECT_TRUE(cachedFiles().isEmpty());
    }
    // Good data later is fetched and used.
    m_server.writeFile(QStringLiteral("KL/ARCHIV/HISL0811.XML"), nbsMonth({{"2008-11-03", {{"CZK", "1,186", "1"}}}}));
    EXPECT_EQ(nbs("03.11.2008", "CZK"), rate("1,186", "1"));

    QByteArray huge = nbsMonth({{"2008-10-31", {{"CZK", "1,2", "1"}}}});
    huge.insert(huge.indexOf("</nbsFxRateListArchive>"), QByteArray(2 * 1024 * 1024, ' '));
    m_server.writeFile(QStringLiteral("KL/ARCHIV/HISL0810.XML"), huge);
    EXPECT_THROW(nbs("31.10.2008", "CZK"), bralvo::Error);
    EXPECT_EQ(cachedFiles(), QStringList{QStringLiteral("HISL0811.xml")});
}

} // namespace
