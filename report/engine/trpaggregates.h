// Running totals: the aggregate calls SUM, AVG, MIN, MAX and COUNT found
// in the texts of footer-like bands become accumulators before the first
// pass; data bands feed them while they print; a call evaluated in a
// footer only looks its accumulator up.
#pragma once

#include "platform/variant.h"

#include <QList>
#include <QString>
#include <QVector>
#include <memory>

namespace bralvo::report {

class TrpBand;
class TrpCustomMemoView;
class TrpReport;
class TrpReportPage;

enum TrpAggregateKind : int { akSum = 0, akAvg = 1, akMin = 2, akMax = 3, akCount = 4 };

// The kind of an upper-case function name; anything unknown counts.
int AggregateKindOf(const QString &upperName);

class TrpAggregateItem {
public:
    int Kind = akCount;
    TrpBand *DataBand = nullptr;
    bool IncludeHidden = false;   // flags bit 0
    bool RunningTotal = false;    // flags bit 1
    QString Expression;
    bool InPageFooter = false;
    // Per vertical column (index 0..1000); empty until a column value.
    QVector<platform::Variant> ColumnTotals;
    QVector<int> ColumnCounts;
    int Count = 0;
    platform::Variant Total = platform::Variant::null();
    bool KeepActive = false;
    int PrevCount = 0;
    platform::Variant PrevTotal = platform::Variant::null();
    QString MemoName;
    QString CallText;
    TrpBand *HostBand = nullptr;
    TrpReport *Report = nullptr;
    int KeepCount = 0;
    platform::Variant KeepTotal = platform::Variant::null();
    int ColumnIndex = 0;

    void Accumulate();
    void UndoLast();
    // Nothing for a running total that has counted something (unless
    // Force).
    void Reset(bool force = false);
    void BeginKeep();
    void FinishKeep();
    // Null results become 0.
    platform::Variant Value() const;

private:
    platform::Variant combine(const platform::Variant &total, const platform::Variant &value) const;
};

class TrpAggregateList {
public:
    explicit TrpAggregateList(TrpReport *report) : m_report(report) {}

    void FreeItems() { m_items.clear(); }
    int Count() const { return int(m_items.size()); }
    TrpAggregateItem &Items(int index) { return *m_items[index]; }

    // Scans the footer-like bands of a page whose band tree is built.
    // Throws ReportError for flags that are no integer and for calls
    // with more than three arguments.
    void CollectCalls(TrpReportPage *page);
    void Accumulate(TrpBand *band, int columnIndex);
    void UndoLast(TrpBand *band);
    void ResetHosted(TrpBand *band);
    void BeginKeep();
    void FinishKeep();
    void ResetAll();
    platform::Variant Lookup(TrpBand *hostBand, int columnIndex, const QString &name, const QString &expression,
                             TrpBand *band, int flags);

    // The trimmed arguments of a call from after its "(", and where the
    // call ends (index of the closing ")", or the last index when open).
    static QStringList SplitArguments(const QString &text, int from, int &endPos);

private:
    void scanBandChain(TrpBand *band, TrpBand *dataBand);
    void scanMemo(TrpCustomMemoView *memo, TrpBand *dataBand);
    void scanText(const QString &text);
    bool checkName(const QString &name);
    void addCall(const QString &callText);

    TrpReport *m_report;
    std::vector<std::unique_ptr<TrpAggregateItem>> m_items;
    // Scan context.
    TrpCustomMemoView *m_memo = nullptr;
    TrpBand *m_dataBand = nullptr;
    int m_depth = 0;
};

} // namespace bralvo::report
