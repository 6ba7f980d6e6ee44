// The fit check: page memos through the engine's text layout, dot-matrix
// memos on the export's character grid.
#include "tests/app/layoutfaults.h"

#include "report/engine/trppreviewpages.h"
#include "report/export/trpdmpexport.h"
#include "report/model/trpdmpmemoview.h"
#include "report/model/trpdotmatrix.h"
#include "report/model/trplineview.h"
#include "report/model/trpmemoview.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"

#include <QHash>
#include <QRectF>

#include <cmath>
#include <memory>

namespace bralvo::test {
namespace {

using namespace report;

QString who(int page, const TrpComponent &c, const QString &text)
{
    return QStringLiteral("page %1, %2 \"%3\"").arg(page + 1).arg(c.name(), text.simplified().left(50));
}

// A wrap at the blank between two digits splits a number.
bool splitsANumber(const QList<QString> &lines)
{
    for (int i = 0; i + 1 < lines.size(); ++i) {
        const QString a = lines[i].trimmed(), b = lines[i + 1].trimmed();
        if (!a.isEmpty() && !b.isEmpty() && a.back().isDigit() && b.front().isDigit())
            return true;
    }
    return false;
}

struct Ink {
    QString who;
    QRectF rect;
};

bool overlap(const QRectF &a, const QRectF &b)
{
    const QRectF both = a.intersected(b);
    return both.width() > 0.5 && both.height() > 0.5;
}

// --- page reports

// The place the memo's text takes: its measured size, aligned in the
// text rectangle as the layout draws it.
QRectF inkOf(const TrpCustomMemoView &memo, const QRect &rect, double width, double height)
{
    double x = rect.left(), y = rect.top();
    if (memo.HAlign() == haRight)
        x += rect.width() - width;
    else if (memo.HAlign() == haCenter)
        x += (rect.width() - width) / 2;
    if (memo.VAlign() == vaBottom)
        y += rect.height() - height;
    else if (memo.VAlign() == vaCenter)
        y += (rect.height() - height) / 2;
    return QRectF(x, y, width, height).intersected(QRectF(rect));
}

void checkPageMemo(int page, TrpCustomMemoView &memo, QStringList &faults, QList<Ink> &inks)
{
    const QString text = memo.Text();
    if (text.trimmed().isEmpty() || !memo.Visible())
        return;
    const QString name = who(page, memo, text);
    std::unique_ptr<TrpMemoTextLayout> layout = createMemoTextLayout();
    const QRect rect = memo.TextRect(1, 1, 0, 0);
    layout->Prepare(memo, rect, rect, 1, 1);
    const double width = layout->TextWidth(), height = layout->TextHeight();
    if (width > rect.width() + 0.5 || height > rect.height() + 0.5)
        faults << QStringLiteral("%1 needs %2 x %3 px, has %4 x %5 (as \"%6\")")
                      .arg(name)
                      .arg(width, 0, 'f', 1)
                      .arg(height, 0, 'f', 1)
                      .arg(rect.width())
                      .arg(rect.height())
                      .arg(layout->WrappedText().trimmed().replace(QStringLiteral("\r\n"), QStringLiteral(" | ")));
    if (splitsANumber(layout->WrappedText().split(QStringLiteral("\r\n"))))
        faults << name + QStringLiteral(" splits a number over two lines");
    inks << Ink{name, inkOf(memo, rect, width, height)};
}

void pageFaults(int index, TrpReportPage &page, QStringList &faults)
{
    QList<Ink> inks;
    QList<QPair<QString, QRectF>> lines;
    for (TrpComponent *c : page.AllObjects()) {
        if (auto *memo = dynamic_cast<TrpCustomMemoView *>(c)) {
            checkPageMemo(index, *memo, faults, inks);
        } else if (auto *line = dynamic_cast<TrpLineView *>(c)) {
            lines << qMakePair(QStringLiteral("page %1, line %2").arg(index + 1).arg(line->name()),
                               QRectF(line->AbsLeft() - 0.5, line->AbsTop() - 0.5, line->Width() + 1,
                                      line->Height() + 1));
        }
    }
    for (int i = 0; i < inks.size(); ++i) {
        for (int j = i + 1; j < inks.size(); ++j)
            if (overlap(inks[i].rect, inks[j].rect))
                faults << inks[i].who + QStringLiteral(" overlaps ") + inks[j].who;
        for (const auto &line : lines)
            if (overlap(inks[i].rect, line.second))
                faults << inks[i].who + QStringLiteral(" is crossed by ") + line.first;
    }
}

// --- dot-matrix reports

int cells(double px, double cell) { return int(std::nearbyint(px / cell)); }

// Frame and text cells of one dot-matrix page, placed as the export
// places them.
class CellGrid {
public:
    void frameLine(int column, int row, int columns, int rows)
    {
        for (int r = row; r < row + rows; ++r)
            for (int c = column; c < column + columns; ++c)
                m_frames.insert(key(c, r));
    }
    void memoFrame(const TrpCustomMemoView &memo, int x, int y, int w, int h)
    {
        const int sides = memo.Frame()->Typ();
        if (sides & ftLeft)
            frameLine(x - 1, y - 1, 1, h + 2);
        if (sides & ftRight)
            frameLine(cells(memo.AbsLeft() + memo.Width(), DMPCellWidth), y - 1, 1, h + 2);
        if (sides & ftTop)
            frameLine(x - 1, y - 1, w + 2, 1);
        if (sides & ftBottom)
            frameLine(x - 1, cells(memo.AbsTop() + memo.Height(), DMPCellHeight), w + 2, 1);
    }
    void line(const TrpDMPLineView &line)
    {
        const int tx = int(std::trunc(line.AbsLeft() / DMPCellWidth));
        const int ty = int(std::trunc(line.AbsTop() / DMPCellHeight));
        const int n = cells(line.Width(), DMPCellWidth);
        if (line.Width() == 0)
            frameLine(tx, ty, 1, cells(line.Height(), DMPCellHeight) + 1);
        else if (line.Height() == 0 && line.Align() == baWidth)
            frameLine(tx - 1, ty, n + 3, 1);
        else if (line.Height() == 0 && line.Align() == baLeft)
            frameLine(tx - 1, ty, n + 1, 1);
        else if (line.Height() == 0 && line.Align() == baRight)
            frameLine(tx, ty, n + 2, 1);
        else if (line.Height() == 0)
            frameLine(tx, ty, n + 1, 1);
    }
    // The cells a placed line writes (its padding included); gives the
    // memo it runs into, or an empty text.
    QString text(const QString &memo, int column, int row, const QByteArray &placed)
    {
        QString hit;
        for (int i = 0; i < placed.size(); ++i) {
            const QString owner = m_text.value(key(column + i, row));
            if (!owner.isEmpty() && owner != memo)
                hit = owner;
            m_text.insert(key(column + i, row), memo);
            if (placed[i] != ' ')
                m_ink.insert(key(column + i, row), memo);
        }
        return hit;
    }
    // "A runs into B" for texts of two memos with no blank between them
    // on a row: they read as one.
    QStringList touching() const
    {
        QStringList runs;
        for (auto it = m_ink.cbegin(); it != m_ink.cend(); ++it) {
            const QString next = m_ink.value(it.key() + 1);
            if (!next.isEmpty() && next != it.value())
                runs << it.value() + QStringLiteral(" runs into ") + next;
        }
        return runs;
    }
    // Memos with a visible character under a frame line.
    QStringList underFrames() const
    {
        QStringList hidden;
        for (auto it = m_ink.cbegin(); it != m_ink.cend(); ++it)
            if (m_frames.contains(it.key()) && !hidden.contains(it.value()))
                hidden << it.value();
        return hidden;
    }

private:
    static qint64 key(int c, int r) { return (qint64(r) << 32) | quint32(c); }
    QSet<qint64> m_frames;
    QHash<qint64, QString> m_text, m_ink;
};

QByteArray padded(const QByteArray &line, int width, TrpHAlign align)
{
    const int n = int(line.size());
    if (n >= width)
        return line;
    if (align == haRight)
        return QByteArray(width - n, ' ') + line;
    if (align == haCenter)
        return (QByteArray(std::max(0, width / 2 - n / 2), ' ') + line).leftJustified(width, ' ');
    return line.leftJustified(width, ' ');
}

void checkCellMemo(int page, TrpCustomMemoView &memo, CellGrid &grid, QStringList &faults)
{
    const int x = cells(memo.AbsLeft(), DMPCellWidth), y = cells(memo.AbsTop(), DMPCellHeight);
    const int w = cells(memo.Width(), DMPCellWidth), h = cells(memo.Height(), DMPCellHeight);
    grid.memoFrame(memo, x, y, w, h);
    const QString text = memo.Text();
    if (text.trimmed().isEmpty() || !memo.Visible())
        return;
    const QString name = who(page, memo, text);
    const QList<QByteArray> lines = TrpDotMatrixExport::MemoLines(memo, true);
    if (lines.size() > h)
        faults << QStringLiteral("%1 has %2 lines for %3 rows").arg(name).arg(lines.size()).arg(h);
    QList<QString> texts;
    for (const QByteArray &line : lines) {
        texts << QString::fromLatin1(line);
        if (line.size() > w)
            faults << QStringLiteral("%1 has a line of %2 characters for %3 columns").arg(name).arg(line.size()).arg(w);
    }
    if (splitsANumber(texts))
        faults << name + QStringLiteral(" splits a number over two lines");
    const int n = int(lines.size());
    int first = y;
    if (n < h && memo.VAlign() == vaBottom)
        first = y + h - n;
    else if (n < h && memo.VAlign() == vaCenter)
        first = y + (h - n) / 2;
    for (int i = 0; i < std::min(n, h); ++i) {
        const QString hit = grid.text(name, x, first + i, padded(lines[i], w, memo.HAlign()));
        if (!hit.isEmpty())
            faults << name + QStringLiteral(" runs into ") + hit;
    }
}

void cellPageFaults(int index, TrpReportPage &page, QStringList &faults)
{
    CellGrid grid;
    for (TrpComponent *c : page.AllObjects()) {
        if (auto *memo = dynamic_cast<TrpCustomMemoView *>(c))
            checkCellMemo(index, *memo, grid, faults);
        else if (auto *line = dynamic_cast<TrpDMPLineView *>(c))
            grid.line(*line);
    }
    faults += grid.touching();
    for (const QString &memo : grid.underFrames())
        faults << memo + QStringLiteral(" is drawn across a frame line");
}

} // namespace

QStringList LayoutFaults(TrpReport &report)
{
    QStringList faults;
    TrpCustomPreviewPages *pages = report.PreparedPages();
    for (int i = 0; pages && i < pages->GetCount(); ++i) {
        TrpReportPage *page = pages->GetPage(i);
        if (!page)
            continue;
        if (dynamic_cast<TrpDMPPage *>(page))
            cellPageFaults(i, *page, faults);
        else
            pageFaults(i, *page, faults);
    }
    faults.removeDuplicates();
    return faults;
}

} // namespace bralvo::test
