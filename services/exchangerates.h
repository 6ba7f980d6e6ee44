// Exchange rates of the two national banks for a date: the Slovak bank's
// monthly XML archive and the Czech bank's daily rate list. Files once
// fetched are kept in DataRoot + "Data/Currency/" and read from there next
// time; missing ones are fetched with DownloadWithWindow (a small window
// with a progress panel). GUI thread only.
//
// Base addresses: $BRALVO_NBS_URL (default "http://www.nbs.sk") and
// $BRALVO_CNB_URL (default "http://www.cnb.cz"); tests point them at
// 127.0.0.1.
#pragma once

#include <QString>

namespace bralvo::services {

// The rate as the bank writes it ("30,126" or "30.126") and the number of
// foreign units it is quoted for ("1", "100"): the caller divides.
struct RateResult {
    QString rate;
    QString amount;
    bool operator==(const RateResult &) const = default;
};

QString NbsBaseAddress();
QString CnbBaseAddress();
// DataRoot + "Data/Currency/".
QString CurrencyCacheFolder();

// The Slovak source: the rate of `code` (letter case ignored) valid on
// date ("dd.mm.yyyy") or on one of the 14 days before it, from the month
// files "HISL" + yymm + ".xml" (fetched from "/KL/ARCHIV/HISL" + yymm +
// ".XML"). A cached month file missing the date is fetched again once per
// lookup. Empty results when the date is not a valid "dd.mm.yyyy" date or
// no rate is found within those 15 days. Throws DownloadError when a
// fetch fails; the cached copy is then unchanged.
RateResult GetNbsRate(const QString &date, const QString &code,
                      const QString &baseAddress = NbsBaseAddress());

// The Czech source: the list for date ("dd.mm.yyyy") from the cache file
// date + ".txt", else fetched from "/cs/financni_trhy/devizovy_trh/
// kurzy_devizoveho_trhu/denni_kurz.txt?date=" + date and cached under the
// date its first line names (a list fetched for a Sunday is kept as the
// Friday's). `code` must match exactly ("EUR", not "eur"). "0" and "0"
// when the date is not valid, the list has no line for the code, the line
// is too short or its rate or amount reads as 0 or not as a number.
// Throws DownloadError when the fetch fails.
RateResult GetCnbRate(const QString &date, const QString &code,
                      const QString &baseAddress = CnbBaseAddress());

} // namespace bralvo::services
