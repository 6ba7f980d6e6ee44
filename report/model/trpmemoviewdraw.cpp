// Text objects on the canvas: print-time macros, background, frame,
// ruled lines and the laid-out text.
#include "report/model/trpmemoview.h"

#include "report/model/trpframe.h"
#include "report/model/trputils.h"
#include "report/model/trpvariables.h"

#include <QPainter>
#include <QPen>
#include <cmath>

namespace bralvo::report {

namespace {

// Replaces the first occurrence of Macro (letters compared ignoring case).
bool replaceFirst(QString &text, const QString &macro, const QString &value)
{
    const qsizetype i = text.indexOf(macro, 0, Qt::CaseInsensitive);
    if (i < 0)
        return false;
    text.replace(i, macro.size(), value);
    return true;
}

} // namespace

void TrpCustomMemoView::ApplyPrintMacros()
{
    if (IsDesigning() || !m_allowExpressions)
        return;
    QString text = Memo()->Text();
    if (!text.contains(u'#'))
        return; // both macros hold one: skip the case-blind searches
    bool changed = replaceFirst(text, QStringLiteral("[TOTALPAGES#]"), QString::number(m_totalPages));
    if (text.contains(QStringLiteral("[COPYNAME#]"), Qt::CaseInsensitive)) {
        const platform::Variant v = GlobalVariables().Variables(QStringLiteral("CopyName") + QString::number(m_copyNo));
        changed = replaceFirst(text, QStringLiteral("[COPYNAME#]"), v.isNull() || v.isEmpty() ? QString() : v.toString())
                  || changed;
    }
    if (changed)
        Memo()->SetText(text);
}

void TrpCustomMemoView::drawUnderlines(double lineHeight)
{
    const double step = lineHeight * m_scaleY;
    if (step <= 0)
        return;
    m_canvas->setPen(QPen(ColorToQColor(Frame()->Color()), std::max(1, m_frameWidth), Qt::SolidLine));
    for (int k = 1;; ++k) {
        const double v = m_y + (m_gapY - m_lineSpacing + 1) * m_scaleY + k * step;
        if (v >= m_y1)
            break;
        m_canvas->drawLine(m_x, roundHalfEven(v), m_x1, roundHalfEven(v));
    }
}

void TrpCustomMemoView::Draw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    ApplyPrintMacros();
    const int savedColor = Color();
    if (m_highlight->Active())
        SetColor(m_highlight->Color());
    applyAutoWidth();
    BeginDraw(canvas, scaleX, scaleY, offsetX, offsetY);
    DrawBackground();
    DrawFrame();
    if (auto layout = createMemoTextLayout()) {
        layout->Prepare(*this, TextRect(1, 1, 0, 0), TextRect(scaleX, scaleY, offsetX, offsetY), scaleX, scaleY);
        if (m_underlines && m_rotation == 0)
            drawUnderlines(layout->LineHeight());
        layout->DrawText(canvas, m_hAlign, m_vAlign);
    }
    SetColor(savedColor);
}

} // namespace bralvo::report
