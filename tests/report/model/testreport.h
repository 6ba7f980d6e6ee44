// Shared helpers of the report model tests: a quiet report, the small
// example report (data page, page, band, memo), and stream helpers.
#pragma once

#include "platform/stream.h"
#include "report/model/trpband.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>

namespace bralvo::report::testing {

// A report whose errors are collected, never shown.
inline std::unique_ptr<TrpReport> quietReport()
{
    auto report = std::make_unique<TrpReport>(nullptr);
    report->EngineOptions()->SetNewSilentMode(simSilent);
    return report;
}

// Data page "Data", report page "Page1" with a master data band "Band1"
// holding the memo "Memo1"; dates fixed so the file is repeatable.
inline void buildExample(TrpReport &report)
{
    auto *data = new TrpDataPage(&report);
    data->setName(QStringLiteral("Data"));
    auto *page = new TrpReportPage(&report);
    page->setName(QStringLiteral("Page1"));
    auto *band = new TrpMasterData(page);
    band->setName(QStringLiteral("Band1"));
    band->SetBounds(0, 20, 718, 18.9);
    auto *memo = new TrpMemoView(band);
    memo->setName(QStringLiteral("Memo1"));
    memo->SetBounds(3.78, 0, 200.5, 18.9);
    memo->SetText(QStringLiteral("[s_nazov] & \"x\" < y\r\nčiara"));
    report.ReportOptions()->SetCreateDate(46000.5);
    report.ReportOptions()->SetLastChange(46001.25);
}

inline QByteArray saveToBytes(TrpComponent &c, bool children = true, bool defaults = false)
{
    platform::MemoryStream s;
    c.SaveToStream(s, children, defaults);
    return s.data();
}

inline void loadFromBytes(TrpComponent &c, const QByteArray &bytes)
{
    platform::MemoryStream s(bytes);
    c.LoadFromStream(s);
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QString testData(const QString &name)
{
    return QStringLiteral(BRALVO_REPORT_TEST_DATA "/") + name;
}

} // namespace bralvo::report::testing
