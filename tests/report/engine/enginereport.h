// Small reports built in code for the engine tests: a quiet report whose
// store records the output, table datasets, and band and memo builders.
#pragma once

#include "recordingpages.h"
#include "report/engine/trpengine.h"
#include "report/engine/trpreportscript.h"
#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trpvariables.h"

#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace bralvo::report::testing {

using platform::Variant;

// Installs the engine, the script and the recording store (once).
inline void installRecordingMachinery()
{
    installReportEngine();
    TrpReportMachinery m = reportMachinery();
    m.createPreviewPages = [](TrpReport &report) -> std::unique_ptr<TrpCustomPreviewPages> {
        return std::make_unique<RecordingPages>(&report);
    };
    setReportMachinery(m);
}

class EngineReport {
    // Declared first, so the report goes before its datasets.
    std::vector<std::unique_ptr<TrpDataSet>> m_dataSets;

public:
    EngineReport()
    {
        installRecordingMachinery();
        report = std::make_unique<TrpReport>(nullptr);
        report->EngineOptions()->SetNewSilentMode(simSilent);
        report->SetScriptLanguage(QStringLiteral("PascalScript"));
    }

    RecordingPages &pages() { return *static_cast<RecordingPages *>(report->PreparedPages()); }
    TrpEngine &engine() { return *static_cast<TrpEngine *>(report->Engine()); }
    const RecordedPage &page(int i) { return pages().pages.at(size_t(i)); }
    int pageCount() { return pages().GetCount(); }
    QString errors() const { return report->ErrorList().text().trimmed(); }

    // A4 with no margins unless set.
    TrpReportPage *addPage(const QString &name = QStringLiteral("Page1"))
    {
        auto *p = new TrpReportPage(report.get());
        p->setName(name);
        return p;
    }

    template <class T>
    T *addBand(TrpComponent *parent, const QString &name, double top, double height)
    {
        auto *b = new T(parent);
        b->setName(name);
        b->SetBounds(0, top, 700, height);
        return b;
    }

    TrpMemoView *addMemo(TrpComponent *band, const QString &name, const QString &text, double left = 0,
                         double top = 0, double width = 200, double height = 20)
    {
        auto *m = new TrpMemoView(band);
        m->setName(name);
        m->SetBounds(left, top, width, height);
        m->SetText(text);
        return m;
    }

    // A dataset named Name whose records are Rows (values by field).
    TrpUserDataSet *addTable(const QString &name, const QStringList &fields, const QList<QList<Variant>> &rows)
    {
        auto ds = std::make_unique<TrpUserDataSet>(nullptr);
        TrpUserDataSet *raw = ds.get();
        raw->setName(name);
        raw->SetUserName(name);
        raw->SetRangeEnd(reCount);
        raw->SetRangeEndCount(int(rows.size()));
        raw->OnGetValue = [raw, fields, rows](const QString &field, Variant &value) {
            const int col = int(fields.indexOf(field));
            if (col >= 0 && raw->RecNo() >= 0 && raw->RecNo() < rows.size())
                value = rows.at(raw->RecNo()).value(col);
        };
        report->DataSets()->Add(raw);
        m_dataSets.push_back(std::move(ds));
        return raw;
    }

    // Rows "R1" .. "Rn" in field "Name".
    TrpUserDataSet *addRows(const QString &name, int count)
    {
        QList<QList<Variant>> rows;
        for (int i = 1; i <= count; ++i)
            rows.append({Variant(QStringLiteral("R%1").arg(i))});
        return addTable(name, {QStringLiteral("Name")}, rows);
    }

    bool prepare() { return report->PrepareReport(); }

    // Every page's band names joined by "," and pages by " | ".
    QString layout()
    {
        QStringList out;
        for (const RecordedPage &p : pages().pages)
            out.append(p.names().join(u','));
        return out.join(QStringLiteral(" | "));
    }

    std::unique_ptr<TrpReport> report;
};

} // namespace bralvo::report::testing
