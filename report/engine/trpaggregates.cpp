#include "report/engine/trpaggregates.h"

#include "report/model/reporterror.h"
#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trpmemoview.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trputils.h"
#include "report/model/trpvariables.h"
#include "script/scriptmessages.h"

#include <functional>

namespace bralvo::report {

using platform::Variant;

namespace {

constexpr int kColumnSlots = 1001;
// Variables whose values name each other are scanned this deep at most.
constexpr int kMaxScanDepth = 32;

bool isSeparator(QChar c)
{
    const ushort u = c.unicode();
    if (u >= 128)
        return false;
    if (u >= 1 && u <= 32)
        return true;
    return QStringLiteral("!#$%&*+,-./0123456789=[]^|").contains(c);
}

bool endsWord(QChar c)
{
    const ushort u = c.unicode();
    if (u >= 128)
        return false;
    if (u >= 1 && u <= 32)
        return true;
    return QStringLiteral("!#$%&(*+,-./=[]^|").contains(c);
}

int parseFlags(const QString &text)
{
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    if (!ok)
        throw ReportError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

// The closing index of the bracket opened at From (nesting and quotes
// honoured); -1 when it stays open.
int matching(const QString &text, int from, QChar open, QChar close)
{
    QString expr;
    int end = 0;
    GetBracketedExpression(text, open, close, expr, end, from);
    return end < text.size() && text.at(end) == close ? end : -1;
}

} // namespace

int AggregateKindOf(const QString &upperName)
{
    if (upperName == QLatin1String("SUM"))
        return akSum;
    if (upperName == QLatin1String("AVG"))
        return akAvg;
    if (upperName == QLatin1String("MIN"))
        return akMin;
    if (upperName == QLatin1String("MAX"))
        return akMax;
    return akCount;
}

// --- item

Variant TrpAggregateItem::combine(const Variant &total, const Variant &value) const
{
    if (total.isNull())
        return value;
    if (value.isNull())
        return total;
    switch (Kind) {
    case akSum:
    case akAvg: return total.add(value);
    case akMin: return value.less(total) ? value : total;
    case akMax: return value.greater(total) ? value : total;
    default: return total;
    }
}

void TrpAggregateItem::Accumulate()
{
    if (DataBand && !DataBand->Visible() && !IncludeHidden)
        return;
    Variant value = Variant::null();
    if (Kind != akCount) {
        Report->SetCurrentObjectName(MemoName);
        value = Report->Calc(Expression);
        if (value.isBoolean() && value.toBool())
            value = Variant(1);
    }
    const int step = Kind == akAvg && value.isNull() ? 0 : 1;
    if (ColumnIndex >= 1 && ColumnIndex < kColumnSlots) {
        if (ColumnTotals.isEmpty()) {
            ColumnTotals = QVector<Variant>(kColumnSlots, Variant::null());
            ColumnCounts = QVector<int>(kColumnSlots, 0);
        }
        ColumnCounts[ColumnIndex] += step;
        ColumnTotals[ColumnIndex] = combine(ColumnTotals[ColumnIndex], value);
    } else if (KeepActive) {
        KeepCount += step;
        KeepTotal = combine(KeepTotal, value);
    } else {
        PrevCount = Count;
        PrevTotal = Total;
        Count += step;
        Total = combine(Total, value);
    }
}

void TrpAggregateItem::UndoLast()
{
    Count = PrevCount;
    Total = PrevTotal;
}

void TrpAggregateItem::Reset(bool force)
{
    if (!force && RunningTotal && Count != 0)
        return;
    Count = 0;
    Total = Variant::null();
    ColumnTotals.clear();
    ColumnCounts.clear();
}

void TrpAggregateItem::BeginKeep()
{
    if (!InPageFooter || KeepActive)
        return;
    KeepActive = true;
    KeepCount = 0;
    KeepTotal = Variant::null();
}

void TrpAggregateItem::FinishKeep()
{
    if (!InPageFooter || !KeepActive)
        return;
    KeepActive = false;
    Count += KeepCount;
    if (KeepTotal.isNull())
        return;
    if (Total.isNull() || Kind == akSum || Kind == akAvg || Kind == akCount)
        Total = Total.isNull() ? KeepTotal : Total.add(KeepTotal);
    else
        Total = combine(Total, KeepTotal);
}

Variant TrpAggregateItem::Value() const
{
    Variant total = Total;
    int count = Count;
    if (!ColumnTotals.isEmpty() && ColumnIndex >= 0 && ColumnIndex < kColumnSlots) {
        total = ColumnTotals[ColumnIndex];
        count = ColumnCounts[ColumnIndex];
    }
    Variant result = Variant::null();
    if (Kind == akAvg)
        result = count == 0 || total.isNull() ? Variant::null() : total.divide(Variant(count));
    else if (Kind == akCount)
        result = Variant(count);
    else
        result = total;
    return result.isNull() ? Variant(0) : result;
}

// --- list

void TrpAggregateList::Accumulate(TrpBand *band, int columnIndex)
{
    for (auto &item : m_items) {
        if (item->DataBand == band) {
            item->ColumnIndex = columnIndex;
            item->Accumulate();
        }
    }
}

void TrpAggregateList::UndoLast(TrpBand *band)
{
    for (auto &item : m_items)
        if (item->DataBand == band)
            item->UndoLast();
}

void TrpAggregateList::ResetHosted(TrpBand *band)
{
    for (auto &item : m_items)
        if (item->HostBand == band)
            item->Reset();
}

void TrpAggregateList::BeginKeep()
{
    for (auto &item : m_items)
        item->BeginKeep();
}

void TrpAggregateList::FinishKeep()
{
    for (auto &item : m_items)
        item->FinishKeep();
}

void TrpAggregateList::ResetAll()
{
    for (auto &item : m_items)
        item->Reset(true);
}

Variant TrpAggregateList::Lookup(TrpBand *hostBand, int columnIndex, const QString &name, const QString &expression,
                                 TrpBand *band, int flags)
{
    const int kind = AggregateKindOf(name.trimmed().toUpper());
    const QString expr = expression.trimmed();
    for (auto &item : m_items) {
        if (item->HostBand != hostBand || item->Kind != kind ||
            item->Expression.compare(expr, Qt::CaseInsensitive) != 0)
            continue;
        if ((band && item->DataBand != band) || item->IncludeHidden != bool(flags & 1) ||
            item->RunningTotal != bool(flags & 2))
            continue;
        item->ColumnIndex = columnIndex;
        return item->Value();
    }
    return Variant::null();
}

// --- scanning

void TrpAggregateList::CollectCalls(TrpReportPage *page)
{
    std::function<void(TrpBand *)> walk = [&](TrpBand *b) {
        scanBandChain(b->FooterBand, b);
        if (TrpBand *g = b->FirstGroupHeader)
            for (TrpBand *h : g->SubBands)
                scanBandChain(h->FooterBand, b);
        if (b->Vertical())
            scanBandChain(b, b);
        for (TrpBand *d : b->SubBands)
            walk(d);
    };
    for (TrpBand *b : page->Bands)
        walk(b);
    for (TrpBand *b : page->VerticalBands)
        walk(b);
    if (page->Bands.isEmpty())
        return;
    TrpBand *first = page->Bands.first();
    for (const platform::ClassInfo *cls :
         {&TrpPageFooter::staticClass(), &TrpColumnFooter::staticClass(), &TrpReportSummary::staticClass()})
        scanBandChain(page->FindBand(*cls), first);
}

void TrpAggregateList::scanBandChain(TrpBand *band, TrpBand *dataBand)
{
    for (TrpBand *b = band; b; b = b->Child()) {
        for (TrpComponent *obj : b->Objects())
            if (auto *memo = dynamic_cast<TrpCustomMemoView *>(obj))
                scanMemo(memo, dataBand);
        if (b->Child() == band)
            break;
    }
}

void TrpAggregateList::scanMemo(TrpCustomMemoView *memo, TrpBand *dataBand)
{
    if (!memo->AllowExpressions())
        return;
    const QString delims = memo->ExpressionDelimiters();
    const QString open = delims.section(u',', 0, 0);
    const QString close = delims.section(u',', 1).left(255);
    if (open.isEmpty() || close.isEmpty())
        return;
    m_memo = memo;
    m_dataBand = dataBand;
    const QString text = memo->Text();
    qsizetype i = text.indexOf(open);
    while (i >= 0) {
        QString expr;
        qsizetype next = -1;
        if (open.size() == 1 && close.size() == 1) {
            int end = 0;
            GetBracketedExpression(text, open.at(0), close.at(0), expr, end, int(i));
            next = end + 1;
        } else {
            const qsizetype e = text.indexOf(close, i + open.size());
            expr = text.mid(i + open.size(), e < 0 ? -1 : e - i - open.size());
            next = e < 0 ? text.size() : e + close.size();
        }
        if (expr.isEmpty())
            break;
        scanText(expr);
        i = text.indexOf(open, next);
    }
}

void TrpAggregateList::scanText(const QString &text)
{
    if (checkName(text.trimmed()))
        return;
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (isSeparator(c)) {
            ++i;
        } else if (c == u'"' || c == u'\'') {
            const int q = int(text.indexOf(c, i + 1));
            i = q < 0 ? n : q + 1;
        } else if (c == u'(' || c == u'<') {
            const int end = matching(text, i, c, c == u'(' ? u')' : u'>');
            if (end < 0) {
                ++i;
                continue;
            }
            scanText(text.mid(i + 1, end - i - 1));
            i = end + 1;
        } else {
            int j = i;
            while (j < n && !endsWord(text.at(j)))
                ++j;
            if (j == i)
                j = i + 1;
            const QString word = text.mid(i, j - i);
            const QString upper = word.toUpper();
            const bool aggregate = upper == QLatin1String("SUM") || upper == QLatin1String("MIN") ||
                                   upper == QLatin1String("MAX") || upper == QLatin1String("AVG") ||
                                   upper == QLatin1String("COUNT");
            if (!aggregate) {
                checkName(word);
            } else if (j < n && text.at(j) == u'(') {
                int end = 0;
                SplitArguments(text, j + 1, end);
                addCall(text.mid(i, end - i + 1));
                j = end + 1;
            }
            i = j;
        }
    }
}

bool TrpAggregateList::checkName(const QString &name)
{
    if (name.isEmpty())
        return false;
    const int index = m_report->Variables()->IndexOf(name);
    if (index >= 0) {
        if (m_depth < kMaxScanDepth) {
            ++m_depth;
            const Variant v = m_report->Variables()->Variables(name);
            try {
                scanText(v.isNull() ? QString() : v.toString());
            } catch (...) {
                --m_depth;
                throw;
            }
            --m_depth;
        }
        return true;
    }
    TrpDataSet *ds = nullptr;
    QString field;
    m_report->GetDatasetAndField(name, ds, field);
    return ds && !field.isEmpty();
}

QStringList TrpAggregateList::SplitArguments(const QString &text, int from, int &endPos)
{
    QStringList args;
    QString current;
    bool inString = false;
    int depth = 1;
    int i = from;
    const int n = int(text.size());
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\'')
            inString = !inString;
        if (!inString) {
            if (c == u'(')
                ++depth;
            else if (c == u')' && --depth == 0)
                break;
            else if (c == u',' && depth == 1) {
                args.append(current.trimmed());
                current.clear();
                continue;
            }
        }
        current.append(c);
    }
    args.append(current.trimmed());
    endPos = qMin(i, n - 1);
    return args;
}

void TrpAggregateList::addCall(const QString &callText)
{
    const QString call = callText.trimmed();
    const int paren = int(call.indexOf(u'('));
    auto item = std::make_unique<TrpAggregateItem>();
    item->Report = m_report;
    item->Kind = AggregateKindOf(call.left(paren).trimmed().toUpper());
    int end = 0;
    const QStringList args = SplitArguments(call, paren + 1, end);
    // The functions take three arguments at most; a fourth is an error
    // of the report, not something to guess a meaning for.
    if (args.size() > 3)
        throw ReportError(call + QStringLiteral(": ") + script::scriptMessage(script::ScriptMessage::TooManyParams));
    const bool count = item->Kind == akCount;
    if (!count)
        item->Expression = args.value(0);
    const QString bandName = args.value(count ? 0 : 1);
    const int flags = parseFlags(args.value(count ? 1 : 2));
    TrpBand *named = bandName.isEmpty() ? nullptr : dynamic_cast<TrpBand *>(m_report->FindObject(bandName));
    item->DataBand = named ? named : m_dataBand;
    item->IncludeHidden = flags & 1;
    item->RunningTotal = flags & 2;
    auto *host = dynamic_cast<TrpBand *>(m_memo->Parent());
    if (host && host->Vertical()) {
        auto *source = dynamic_cast<TrpBand *>(m_memo->SourceBand());
        const int level = source ? source->BandNumber() : -1;
        if (source && !source->Vertical() && (level == 1 || level == 3 || level == 5 || level == 13))
            host = source;
    }
    item->HostBand = host;
    item->InPageFooter = dynamic_cast<TrpPageFooter *>(host) != nullptr;
    item->CallText = call;
    item->MemoName = m_memo->name();
    item->Reset();
    m_items.push_back(std::move(item));
}

} // namespace bralvo::report
