// Drawing of laid-out text: placement by rotation and alignment, spreading
// the difference between the 600-per-inch widths and the device widths,
// and glyph runs per style run through QPainter.
#include "report/engine/trpdrawtext.h"
#include "report/engine/trptextrunrecorder.h"

#include "platform/font.h"
#include "platform/fonts/fontmetrics.h"
#include "report/model/trpnumberbounds.h"

#include <QColor>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace bralvo::report {

namespace {

constexpr double kRatio = double(TrpDrawText::kMeasuringResolution) / TrpDrawText::kScreenResolution;

int roundInt(double value) { return RoundToInt(value); }

QColor qColor(int color) {
    if (color < 0) // system colours: text is drawn in the window text colour
        return Qt::black;
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// |k| units over cells[a..b] when |k| is below the number of cells, else
// an equal share each and the remainder spread.
void spreadAll(QList<int> &cells, int a, int b, int k) {
    const int count = b - a + 1;
    if (count <= 0 || k == 0)
        return;
    const int units = std::abs(k);
    const int sign = k < 0 ? -1 : 1;
    if (units >= count) {
        for (int i = a; i <= b; ++i)
            cells[i] += sign * (units / count);
    }
    spreadEvenly(cells, a, b, sign * (units % count));
}

// Extra pixels per character: block alignment gives the whole line width
// to the blanks; otherwise the 600-per-inch difference is spread evenly.
QList<int> lineExtras(const QString &text, int align, int width, qint64 wDev, qint64 difference) {
    QList<int> extra(text.size(), 0);
    QList<int> blanks;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == u' ' || text[i] == QChar(0xA0))
            blanks.append(i);
    }
    if (align == 3 && !blanks.isEmpty()) {
        const qint64 d = std::abs(qint64(width)) - wDev;
        const qint64 units = std::abs(d), sign = d < 0 ? -1 : 1;
        for (int k = 0; k < blanks.size(); ++k)
            extra[blanks[k]] += int(sign * (units / blanks.size() + (k < units % blanks.size() ? 1 : 0)));
    } else {
        spreadAll(extra, 0, int(text.size()) - 1, int(std::clamp<qint64>(difference, -1000000000, 1000000000)));
    }
    return extra;
}

// One character of a run: where it starts in the text, how many UTF-16
// units it takes, and its level for right-to-left reading (1 right to
// left, 2 left to right inside it).
struct VisualUnit {
    int start = 0;
    int length = 1;
    char32_t codePoint = 0;
    int level = 1;
};

enum class Strength { Left, Right, Weak };

Strength strengthOf(char32_t c) {
    switch (QChar::direction(c)) {
    case QChar::DirL: case QChar::DirLRE: case QChar::DirLRO: case QChar::DirLRI:
        return Strength::Left;
    case QChar::DirR: case QChar::DirAL: case QChar::DirEN: case QChar::DirAN:
    case QChar::DirRLE: case QChar::DirRLO: case QChar::DirRLI:
        return Strength::Right;  // numbers act as right to left on neutrals
    default:
        return Strength::Weak;
    }
}

// The characters of Text, surrogate pairs kept together.
QList<VisualUnit> unitsOf(const QString &text) {
    QList<VisualUnit> units;
    units.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        VisualUnit u;
        u.start = i;
        u.codePoint = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            u.codePoint = QChar::surrogateToUcs4(text[i], text[i + 1]);
            u.length = 2;
            ++i;
        }
        units.append(u);
    }
    return units;
}

// Levels of a right-to-left paragraph: letters of right-to-left scripts
// stay at 1, left-to-right letters and digits rise to 2, and neutrals
// take the direction of both neighbours when they agree, else the
// paragraph's; a combining mark follows its base.
void resolveLevels(QList<VisualUnit> &units) {
    const int n = int(units.size());
    QList<Strength> strength(n);
    for (int i = 0; i < n; ++i) {
        strength[i] = strengthOf(units[i].codePoint);
        const QChar::Direction d = QChar::direction(units[i].codePoint);
        if (d == QChar::DirEN || d == QChar::DirAN || strength[i] == Strength::Left)
            units[i].level = 2;
    }
    for (int i = 0; i < n; ++i) {
        if (strength[i] != Strength::Weak)
            continue;
        if (QChar::direction(units[i].codePoint) == QChar::DirNSM && i > 0) {
            units[i].level = units[i - 1].level;
            continue;
        }
        Strength before = Strength::Right, after = Strength::Right;
        for (int j = i - 1; j >= 0; --j)
            if (strength[j] != Strength::Weak) { before = strength[j]; break; }
        for (int j = i + 1; j < n; ++j)
            if (strength[j] != Strength::Weak) { after = strength[j]; break; }
        units[i].level = (before == Strength::Left && after == Strength::Left) ? 2 : 1;
    }
}

// The units of a right-to-left paragraph in the order they are seen,
// left to right: left-to-right stretches keep their order inside it.
QList<VisualUnit> rightToLeftOrder(const QString &text) {
    QList<VisualUnit> units = unitsOf(text);
    resolveLevels(units);
    const int n = int(units.size());
    for (int i = 0; i < n;) {
        int j = i;
        while (j < n && units[j].level == 2)
            ++j;
        std::reverse(units.begin() + i, units.begin() + j);
        i = j == i ? i + 1 : j;
    }
    std::reverse(units.begin(), units.end());
    for (VisualUnit &u : units)
        if (u.level == 1)
            u.codePoint = QChar::mirroredChar(u.codePoint);  // "(" faces the other way
    return units;
}

// The run's glyphs at their pen positions, in the order they are seen;
// gives the pen's end.
qint64 placeGlyphs(const TrpDrawText::DrawnRun &run, TrpFontFace &metrics, bool rtl,
                   QList<quint32> &glyphs, QList<QPointF> &positions) {
    // Right to left: each character in the order a reader of such a
    // script sees it, with its own advance.
    qint64 pen = 0;
    glyphs.reserve(run.text.size());
    positions.reserve(run.text.size());
    for (const VisualUnit &u : rtl ? rightToLeftOrder(run.text) : unitsOf(run.text)) {
        glyphs.append(metrics.glyphIndex(u.codePoint));
        positions.append(QPointF(double(pen), metrics.ascent()));
        for (int k = 0; k < u.length; ++k)
            pen += run.advances[u.start + k];
    }
    return pen;
}

} // namespace

void spreadEvenly(QList<int> &cells, int a, int b, int k) {
    if (k == 0 || b < a)
        return;
    if (a == b) {
        cells[a] += k;
        return;
    }
    const int sign = k < 0 ? -1 : 1;
    const int units = std::abs(k);
    const int c = std::max(1, (b - a + 1) / 2);
    if (units == 1) {
        cells[a + c - 1] += sign;
        return;
    }
    spreadEvenly(cells, a, a + c - 1, sign * (units / 2));
    spreadEvenly(cells, a + c, b, sign * (units - units / 2));
}

struct TrpDrawText::DrawContext {
    QPainter *canvas = nullptr;
    bool printer = false;
    double dpiX = 96;
    double dpiY = 96;
    int hDev = 0;          // em height of the base font on the canvas
    double sinR = 0;
    double cosR = 1;
    // Em height on the canvas of a run of the given point size.
    int runPixels(int size, double printScale, double scaleY) const {
        return printer ? roundInt(size * dpiX * printScale / 72) : roundInt(size * scaleY * 96 / 72);
    }
};

namespace {

struct Placement {
    double x = 0;
    double y = 0;
    int width = 0;     // line width along the text direction
    int available = 0; // room across the lines
};

// Where the first line starts for rotation r (0..359) in the device
// rectangle, for a text block T pixels high.
Placement place(const TrpTextRect &d, int r, int T) {
    const int L = d.Left, T0 = d.Top, R = d.Right, B = d.Bottom;
    switch (r) {
    case 0: return {double(L), double(T0), R - L, B - T0};
    case 90: return {double(L), double(B), B - T0, R - L};
    case 180: return {double(R), double(B), R - L, B - T0};
    case 270: return {double(R), double(T0), B - T0, R - L};
    default: break;
    }
    const double rad = r * std::numbers::pi / 180;
    const double s = std::abs(std::sin(rad)), c = std::abs(std::cos(rad));
    const int w = c > 0 ? roundInt((R - L - s * T) / c) : R - L;
    Placement p;
    p.width = w;
    if (r < 90) {
        p.x = L;
        p.y = T0 + roundInt(s * w);
        p.available = T + (B - int(p.y)) - roundInt(c * T);
    } else if (r < 180) {
        p.y = B;
        p.x = L + roundInt(c * w);
        p.available = T + (B - T0) - roundInt(c * T + s * w);
    } else if (r < 270) {
        p.x = R;
        p.y = B - roundInt(s * w);
        p.available = T + (int(p.y) - T0) - roundInt(c * T);
    } else {
        p.y = T0;
        p.x = L + roundInt(s * T);
        p.available = T + (B - T0) - roundInt(s * w + c * T);
    }
    return p;
}

// The rows of an image canvas that its clip lets through: lines wholly
// outside them are not laid out at all (a page tile shows a part of the
// page). Other canvases (printers, exports, the search's recording) get
// every line.
struct VisibleRows {
    bool all = true;
    double top = 0;
    double bottom = 0;
    // A line whose top is at Y; glyphs, accents and lowered or raised
    // runs stay within an em above and two below it.
    bool shows(double y) const { return all || (y + 2 * slack >= top && y - slack <= bottom); }
    double slack = 0;
};

VisibleRows visibleRows(const QPainter &canvas, int rotation, int em) {
    VisibleRows rows;
    const QPaintDevice *device = canvas.device();
    if (rotation != 0 || !canvas.hasClipping() || !device || device->devType() != QInternal::Image)
        return rows;
    const QRectF clip = canvas.clipBoundingRect();
    rows.all = false;
    rows.top = clip.top();
    rows.bottom = clip.bottom();
    rows.slack = std::max(em, 1);
    return rows;
}

} // namespace

// Height of n lines on the device as the 600-per-inch layout has them.
int TrpDrawText::textBlockHeight(const DrawContext &ctx, int n) const {
    const double h600 = measuringPixels();
    if (ctx.printer) {
        const double g = kMeasuringResolution / ctx.dpiY / m_printScale;
        return roundInt((m_lineSpacing * m_scaleY * g * n + h600 * n) / g);
    }
    return roundInt((m_lineSpacing * kRatio * n + h600 * n) / kRatio * m_scaleY);
}

void TrpDrawText::DrawText(QPainter &Canvas, int HAlign, int VAlign) {
    m_drawnRuns.clear();
    const int n = m_wrapped.Count();
    if (n == 0)
        return;
    DrawContext ctx;
    ctx.canvas = &Canvas;
    if (QPaintDevice *device = Canvas.device()) {
        ctx.printer = device->devType() == QInternal::Printer;
        ctx.dpiX = device->logicalDpiX();
        ctx.dpiY = device->logicalDpiY();
    }
    int baseSize = m_fontSize;
    if (m_tags.Count() && m_tags.Items(0).Count() && !m_tags.Items(0).Items(0).sameAsBefore)
        baseSize = m_tags.Items(0).Items(0).size;
    ctx.hDev = ctx.printer ? roundInt(ctx.dpiY * baseSize * m_printScale / 72)
                           : roundInt(baseSize * m_scaleY * 96 / 72);
    const double rad = m_rotation * std::numbers::pi / 180;
    ctx.sinR = std::sin(rad);
    ctx.cosR = std::cos(rad);

    const int blockHeight = textBlockHeight(ctx, n);
    const int lineStep = roundInt(m_lineSpacing * m_scaleY) + ctx.hDev;
    const int correction = m_wysiwyg ? blockHeight - n * lineStep : 0;

    Placement p = place(m_deviceRect, m_rotation, blockHeight);
    const int free = p.available - blockHeight;
    const double shift = VAlign == 1 ? free : VAlign == 2 ? free / 2.0 : 0;
    if (m_rotation % 90 == 0) {
        p.x += roundInt(shift * ctx.sinR);
        p.y += roundInt(shift * ctx.cosR);
    } else {
        p.y += (m_rotation > 90 && m_rotation < 270) ? -roundInt(shift) : roundInt(shift);
    }

    QList<int> steps(std::max(n - 1, 0), lineStep);
    QList<int> extra(steps.size(), 0);
    spreadAll(extra, 0, int(extra.size()) - 1, correction);

    Canvas.save();
    if (m_textOutFlags & 4)
        Canvas.setClipRect(QRect(m_deviceRect.Left, m_deviceRect.Top, m_deviceRect.Right - m_deviceRect.Left,
                                 m_deviceRect.Bottom - m_deviceRect.Top),
                           Qt::IntersectClip);
    const VisibleRows rows = visibleRows(Canvas, m_rotation, ctx.hDev);
    double x = p.x, y = p.y;
    for (int i = 0; i < n; ++i) {
        if (!rows.shows(y)) {
            if (i < n - 1)
                y += steps[i] + extra[i]; // unrotated: the lines only move down
            continue;
        }
        const int flags = m_lineFlags.value(i);
        const int indent = ((flags & kParaStart) && (HAlign == 0 || HAlign == 3))
                               ? roundInt(m_paragraphGap * m_scaleX) : 0;
        int align = HAlign;
        if (HAlign == 3 && (flags & kParaEnd))
            align = m_rtl ? 1 : 0;
        const TrpHTMLTags empty;
        const TrpHTMLTags &group = i < m_tags.Count() ? m_tags.Items(i) : empty;
        drawLine(ctx, m_wrapped.Strings(i), align, group, p.width - indent,
                 x + indent * ctx.cosR, y - indent * ctx.sinR);
        if (i < n - 1) {
            const int step = steps[i] + extra[i];
            x += step * ctx.sinR;
            y += step * ctx.cosR;
        }
    }
    Canvas.restore();
}

void TrpDrawText::drawLine(DrawContext &ctx, const QString &text, int align,
                           const TrpHTMLTags &group, int width, double x, double y) {
    if (text.isEmpty())
        return;
    const int sp600 = roundInt(m_charSpacing * kRatio);
    const int spDev = roundInt(m_charSpacing * m_scaleX);
    qint64 total600 = 0;
    Measured dev = measureLine(text, group, spDev, ctx.hDev, sp600, measuringPixels(), &total600);
    const qint64 w600 = total600 - sp600;
    const qint64 wDev = dev.total - spDev;
    qint64 target = ctx.printer ? qint64(std::nearbyint(w600 * m_printScale / (kMeasuringResolution / ctx.dpiX)))
                                : qint64(std::nearbyint(w600 / kRatio * m_scaleX));
    if (!m_wysiwyg)
        target = wDev;
    const qint64 difference = target - wDev;
    const double free = double(width) - double(target);
    const int firstStyle = group.Count() ? group.Items(0).style : m_fontStyle;
    if (align == 1) {
        x += roundInt((free + 1) * ctx.cosR);
        y -= roundInt((free + 1) * ctx.sinR);
        const bool slanted = (firstStyle & (platform::fsBold | platform::fsItalic)) && m_rotation == 0;
        x -= slanted ? 2 : 1;
    } else if (align == 2) {
        x += roundInt(free / 2 * ctx.cosR);
        y -= roundInt(free / 2 * ctx.sinR);
    }

    const QList<int> extra = lineExtras(text, align, width, wDev, difference);
    for (int i = 0; i < text.size(); ++i)
        dev.advances[i] += extra[i];

    // Runs end before every character whose style differs from the one before.
    int start = 0;
    while (start < text.size()) {
        int end = start + 1;
        while (end < text.size() && !(end < group.Count() && !group.Items(end).sameAsBefore))
            ++end;
        TrpHTMLTag tag;
        if (group.Count())
            tag = group.Items(std::min(start, group.Count() - 1));
        else {
            tag.size = m_fontSize;
            tag.style = m_fontStyle;
            tag.color = m_fontColor;
        }
        const int pixels = ctx.runPixels(tag.size, m_printScale, m_scaleY);
        const auto metrics = TrpFontTables::ForThisThread().get(m_fontName, tag.style, pixels);
        const int lift = roundInt(tag.lowered * tag.size * m_scaleY);
        DrawnRun run;
        run.text = text.mid(start, end - start);
        run.x = x + roundInt(lift * ctx.sinR);
        run.y = y + roundInt(lift * ctx.cosR);
        run.pixelSize = pixels;
        run.style = tag.style;
        run.color = tag.color;
        run.advances.reserve(end - start);
        for (int i = start; i < end; ++i) {
            run.advances.append(m_wysiwyg ? dev.advances[i]
                                          : metrics->advance(text[i].unicode()) + spDev);
        }
        qint64 runWidth = 0;
        for (qint64 a : run.advances)
            runWidth += a;
        paintRun(ctx, run, *metrics);
        m_drawnRuns.append(run);
        x += runWidth * ctx.cosR;
        y -= runWidth * ctx.sinR;
        start = end;
    }
}

void TrpDrawText::paintRun(DrawContext &ctx, const DrawnRun &run, TrpFontFace &metrics) const {
    QList<quint32> glyphs;
    QList<QPointF> positions;
    const qint64 pen = placeGlyphs(run, metrics, m_rtl, glyphs, positions);
    QGlyphRun glyphRun;
    glyphRun.setRawFont(metrics.rawFont());
    glyphRun.setGlyphIndexes(glyphs);
    glyphRun.setPositions(positions);
    glyphRun.setUnderline(run.style & platform::fsUnderline);
    glyphRun.setStrikeOut(run.style & platform::fsStrikeOut);
    QPainter &canvas = *ctx.canvas;
    canvas.save();
    canvas.translate(run.x, run.y);
    if (m_rotation != 0)
        canvas.rotate(-m_rotation); // escapement turns counter-clockwise
    canvas.setPen(qColor(run.color));
    canvas.drawGlyphRun(QPointF(0, 0), glyphRun);
    if (auto *recorder = dynamic_cast<TrpTextRunRecorder *>(canvas.device())) {
        const QRectF box(0, 0, double(pen), metrics.ascent() + metrics.descent());
        recorder->recordTextRun(run.text, canvas.transform().mapRect(box));
    }
    canvas.restore();
}

} // namespace bralvo::report
