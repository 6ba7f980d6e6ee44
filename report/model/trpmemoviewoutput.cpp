// Text objects at output: the output text (expressions, formats, zero
// hiding, highlight, repeat suppression), height and splitting through
// the installed text layout, and the difference coding.
#include "report/model/trpmemoview.h"

#include "report/model/trpdataset.h"
#include "report/model/trpframe.h"
#include "report/model/trpreport.h"
#include "report/model/trputils.h"
#include "report/model/trpxml.h"

#include <cmath>

namespace bralvo::report {

namespace {

bool isZeroValue(const platform::Variant &v)
{
    return !v.isString() && v.isNumeric() && v.toDouble() == 0;
}

// The temporary format of an expression's " #" suffix: the first letter
// gives the kind, the rest the format text.
std::unique_ptr<TrpFormat> formatFromText(const QString &text)
{
    auto f = std::make_unique<TrpFormat>();
    const QChar k = text.isEmpty() ? QChar() : text.at(0).toLower();
    QString rest = text.mid(1);
    if (k == u'b') {
        f->SetKind(fkBoolean);
    } else if (k == u'd' || k == u't') {
        f->SetKind(fkDateTime);
    } else if (k == u'n') {
        f->SetKind(fkNumeric);
        QChar last;
        for (QChar &c : rest) {
            if (c == u',' || c == u'-' || c == u'.') {
                last = c;
                c = u'.';
            }
        }
        if (!last.isNull())
            f->SetDecimalSeparator(QString(last));
    }
    f->SetFormatStr(rest);
    return f;
}

} // namespace

QString TrpCustomMemoView::FormatData(const platform::Variant &value, const TrpFormat *format) const
{
    return FormatDisplayValue(value, format ? *format : *m_displayFormat);
}

void TrpCustomMemoView::BeforePrint()
{
    TrpStretcheable::BeforePrint();
    if (!IsDataField())
        m_savedText = m_memo->Text();
}

void TrpCustomMemoView::AfterPrint()
{
    if (!IsDataField())
        m_memo->SetText(m_savedText);
    TrpStretcheable::AfterPrint();
}

void TrpCustomMemoView::GetData()
{
    TrpStretcheable::GetData();
    if (IsDataField()) {
        TrpDataSet *ds = DataSet();
        if (ds->IsBlobField(DataField())) {
            ds->CopyBlobTo(DataField(), m_memo.get());
        } else {
            m_value = ds->Value(DataField());
            QString text = m_displayFormat->Kind() != fkText ? FormatData(m_value) : ds->DisplayText(DataField());
            if (m_hideZeros && isZeroValue(m_value))
                text.clear();
            m_memo->SetText(text);
        }
    } else if (m_allowExpressions) {
        const QString text = Text();
        const QString open = m_expressionDelimiters.section(u',', 0, 0);
        if (!open.isEmpty() && text.contains(open))
            m_memo->SetText(expandMemoExpressions(text));
    }
    TrpReport *report = Report();
    if (report)
        report->SetValueVariable(m_value);
    m_highlight->SetActive(false);
    if (report && !m_highlight->Condition().trimmed().isEmpty()) {
        const platform::Variant v = report->Calc(m_highlight->Condition());
        m_highlight->SetActive(!v.isNull() && !v.isEmpty() && v.toBool());
    }
    if (m_suppressRepeated) {
        const QString text = Text();
        if (text == m_lastValue)
            m_memo->SetText(QString());
        else
            m_lastValue = text;
    }
    if (m_flowTo)
        flowRemainder();
}

// What does not fit the memo's height goes on in the FlowTo memo, as
// plain text.
void TrpCustomMemoView::flowRemainder()
{
    if (!createMemoTextLayout())
        return;
    InitPart();
    DrawPart();
    m_flowTo->SetText(m_splitText);
    m_flowTo->SetAllowExpressions(false);
}

QString TrpCustomMemoView::GetComponentText() const
{
    QString text = Text();
    if (m_allowExpressions) {
        const QString macro = QStringLiteral("[TOTALPAGES]");
        const qsizetype i = text.indexOf(macro, 0, Qt::CaseInsensitive);
        if (i >= 0)
            text.replace(i, macro.size(), QString::number(m_totalPages));
    }
    return text;
}

QString TrpCustomMemoView::GetWrappedText(bool wrapWords)
{
    auto layout = createMemoTextLayout();
    if (!layout)
        return Text();
    layoutText(*layout, TextRect(1, 1, 0, 0));
    return wrapWords ? layout->WrappedText() : layout->WithoutTags(Text());
}

// Scans from the start; each delimited expression (outermost pair) is
// replaced by its text and the scan goes on after the inserted text. An
// opening delimiter without its closing one stays as plain text.
QString TrpCustomMemoView::expandMemoExpressions(const QString &text)
{
    const QString open = m_expressionDelimiters.section(u',', 0, 0);
    const QString close = m_expressionDelimiters.section(u',', 1);
    QString s = text;
    qsizetype i = s.indexOf(open);
    while (i >= 0) {
        QString expr;
        int endPos = 0;
        if (open.size() == 1 && close.size() == 1) {
            GetBracketedExpression(s, open.at(0), close.at(0), expr, endPos, int(i));
            if (endPos >= s.size() || s.mid(endPos, 1) != close)
                break;
        } else {
            const qsizetype e = close.isEmpty() ? -1 : s.indexOf(close, i + open.size());
            if (e < 0)
                break;
            expr = s.mid(i + open.size(), e - i - open.size());
            endPos = int(e + close.size() - 1);
        }
        const QString value = computeExpression(expr);
        s.replace(i, endPos - i + 1, value);
        i = s.indexOf(open, i + value.size());
    }
    return s;
}

QString TrpCustomMemoView::computeExpression(const QString &e)
{
    QString expr = e;
    std::unique_ptr<TrpFormat> format;
    const qsizetype hash = e.indexOf(QStringLiteral(" #"));
    if (hash >= 0 && !e.mid(hash + 2).contains(u')')) {
        expr = e.left(hash);
        format = formatFromText(e.mid(hash + 2));
    }
    if (expr.compare(QStringLiteral("TOTALPAGES#"), Qt::CaseInsensitive) == 0) {
        m_value = QStringLiteral("[TotalPages#]");
    } else if (expr.compare(QStringLiteral("COPYNAME#"), Qt::CaseInsensitive) == 0) {
        m_value = QStringLiteral("[CopyName#]");
    } else {
        TrpReport *report = Report();
        m_value = report ? report->Calc(expr) : platform::Variant();
    }
    if (m_hideZeros && isZeroValue(m_value))
        return QString();
    return FormatData(m_value, format.get());
}

// --- layout

// The view's pixel rectangle (shadow taken off), narrowed by the framed
// sides and the gaps; right and bottom exclusive as the layout wants them.
QRect TrpCustomMemoView::TextRect(double scaleX, double scaleY, double offsetX, double offsetY) const
{
    const double fw = Frame()->Width();
    const int typ = Frame()->Typ();
    // Each walks the parents: read once.
    const double left = AbsLeft(), top = AbsTop();
    int x = roundHalfEven(offsetX + scaleX * left);
    int y = roundHalfEven(offsetY + scaleY * top);
    int x1 = roundHalfEven(offsetX + scaleX * (left + Width()));
    int y1 = roundHalfEven(offsetY + scaleY * (top + Height()));
    if (Frame()->DropShadow()) {
        x1 -= roundHalfEven(scaleX * Frame()->ShadowWidth());
        y1 -= roundHalfEven(scaleY * Frame()->ShadowWidth());
    }
    if (typ & ftLeft)
        x += roundHalfEven((scaleX * fw - 1) / 2);
    x += roundHalfEven(scaleX * m_gapX);
    if (typ & ftTop)
        y += roundHalfEven((scaleY * fw - 1) / 2);
    y += roundHalfEven(scaleY * m_gapY);
    if (typ & ftRight)
        x1 -= roundHalfEven(scaleX * fw / 2);
    x1 -= roundHalfEven(scaleX * m_gapX) - 1;
    if (typ & ftBottom)
        y1 -= roundHalfEven(scaleY * fw / 2);
    y1 -= roundHalfEven(scaleY * m_gapY) - 1;
    return QRect(QPoint(x, y), QPoint(x1 - 1, y1 - 1));
}

double TrpCustomMemoView::VerticalGaps() const
{
    const double fw = Frame()->Width();
    double g = 2 * m_gapY;
    if (Frame()->Typ() & ftTop)
        g += (fw - 1) / 2;
    if (Frame()->Typ() & ftBottom)
        g += fw / 2;
    if (Frame()->DropShadow())
        g += Frame()->ShadowWidth();
    return g;
}

double TrpCustomMemoView::HorizontalGaps() const
{
    const double fw = Frame()->Width();
    double g = 2 * m_gapX;
    if (Frame()->Typ() & ftLeft)
        g += (fw - 1) / 2;
    if (Frame()->Typ() & ftRight)
        g += fw / 2;
    if (Frame()->DropShadow())
        g += Frame()->ShadowWidth();
    return g;
}

bool TrpCustomMemoView::layoutText(TrpMemoTextLayout &layout, const QRect &rect) const
{
    layout.Prepare(*this, rect, rect, 1, 1);
    return true;
}

// At output the width follows the text; a right-aligned memo keeps its
// right edge, a centred one its centre.
void TrpCustomMemoView::applyAutoWidth()
{
    if (!m_autoWidth || IsDesigning())
        return;
    const double oldWidth = Width();
    const double width = CalcWidth();
    if (m_hAlign == haRight)
        SetLeft(Left() + oldWidth - width);
    else if (m_hAlign == haCenter)
        SetLeft(Left() + (oldWidth - width) / 2);
    SetWidth(width);
    if (Parent())
        Parent()->AlignChildren();
}

double TrpCustomMemoView::CalcHeight()
{
    auto layout = createMemoTextLayout();
    if (!layout)
        return Height();
    applyAutoWidth();
    const QRect rect = m_autoWidth ? QRect(0, 0, 10000, 10000) : TextRect(1, 1, 0, 0);
    layoutText(*layout, rect);
    return roundHalfEven(layout->TextHeight() + VerticalGaps());
}

double TrpCustomMemoView::CalcWidth()
{
    auto layout = createMemoTextLayout();
    if (!layout)
        return Width();
    layoutText(*layout, QRect(0, 0, 10000, 10000));
    return roundHalfEven(layout->TextWidth() + HorizontalGaps());
}

void TrpCustomMemoView::InitPart()
{
    m_splitText = m_memo->Text();
    m_firstParaBreak = false;
    m_lastParaBreak = false;
}

double TrpCustomMemoView::DrawPart()
{
    auto layout = createMemoTextLayout();
    if (!layout)
        return 0;
    m_memo->SetText(m_splitText);
    layoutText(*layout, TextRect(1, 1, 0, 0));
    bool paraBreak = false;
    m_splitText = layout->UnusedText(paraBreak);
    m_memo->SetText(layout->InBoundsText());
    m_lastParaBreak = paraBreak;
    const double unused = layout->UnusedSpace();
    return unused != 0 ? unused : Height();
}

} // namespace bralvo::report
