// Page content of one view: vector text for plain memos, paths for
// lines and rectangles, an inline JPEG picture of everything else.
#include "report/export/trppdffile.h"

#include "report/export/trppdfbytes.h"
#include "platform/stream.h"
#include "platform/textcodec.h"
#include "report/export/trppdffont.h"
#include "report/export/trppdftext.h"
#include "report/model/trplineview.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpshapeview.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <cmath>

namespace bralvo::report {

struct TrpPDFFile::ViewBox {
    double left, top, width, height;
    double x1, y1, x2, y2, w, h;

    ViewBox(const TrpPDFPage &page, double l, double t, double wd, double ht)
        : left(l), top(t), width(wd), height(ht), x1(page.PdfX(l)), y1(page.PdfY(t)), x2(page.PdfX(l + wd)),
          y2(page.PdfY(t + ht)), w(wd * 0.75), h(ht * 0.75)
    {
    }
};

namespace {

// Operators are appended as bytes, each line ending in CR LF.
void number(QByteArray &out, double v)
{
    AppendPdfNumber(out, v);
}

// Each line is put together in one buffer and appended once.
template <size_t N>
void numbers(QByteArray &out, const double (&values)[N], const char *op)
{
    char text[N * (kPdfNumberRoom + 1) + 8];
    char *at = text;
    for (size_t i = 0; i < N; ++i) {
        at = PutPdfNumber(at, values[i]);
        *at++ = ' ';
    }
    --at; // the op starts with its own blank
    out.append(text, at - text);
    out += op;
}

void pair(QByteArray &out, double a, double b, const char *op)
{
    numbers(out, {a, b}, op);
}

void move(TrpPDFElement &out, double a, double b)
{
    pair(out.Out(), a, b, " m\r\n");
}

void line(TrpPDFElement &out, double a, double b)
{
    pair(out.Out(), a, b, " l\r\n");
}

void rect(TrpPDFElement &out, double x, double y, double w, double h)
{
    numbers(out.Out(), {x, y, w, h}, " re\r\n");
}

long roundEven(double v)
{
    return std::lrint(v);
}

bool isHtmlTagged(const TrpCustomMemoView &memo, bool htmlTags)
{
    if (!memo.AllowHTMLTags() || !htmlTags)
        return false;
    const QString text = memo.Memo()->Text();
    return text.contains(u'<') && text.contains(u'>');
}

} // namespace

void TrpPDFFile::strokeColor(TrpPDFPage &page, int color)
{
    TrpPDFGraphicsState &state = page.State().Current();
    if (state.stroke == color)
        return;
    m_toolkit->AppendPdfColor(page.Out(), color);
    page.Out() += " RG\r\n";
    state.stroke = color;
}

void TrpPDFFile::strokeStyle(TrpPDFPage &page, int color, double width)
{
    strokeColor(page, color);
    TrpPDFGraphicsState &state = page.State().Current();
    QByteArray &out = page.Out();
    if (!state.widthKnown || state.width != width) {
        number(out, width);
        out += " w\r\n";
        state.width = width;
        state.widthKnown = true;
    }
}

void TrpPDFFile::fillColor(TrpPDFPage &page, int color)
{
    TrpPDFGraphicsState &state = page.State().Current();
    if (state.fill == color)
        return;
    m_toolkit->AppendPdfColor(page.Out(), color);
    page.Out() += " rg\r\n";
    state.fill = color;
}

void TrpPDFFile::textState(TrpPDFPage &page, int fontIndex, const platform::Font &font, double charSpacing)
{
    TrpPDFGraphicsState &state = page.State().Current();
    QByteArray &out = page.Out();
    if (state.font != fontIndex || state.fontSize != font.size()) {
        out += "/F";
        AppendPdfInt(out, fontIndex);
        out += ' ';
        AppendPdfInt(out, font.size());
        out += " Tf\r\n";
        state.font = fontIndex;
        state.fontSize = font.size();
    }
    fillColor(page, font.color() == clNone ? 0 : font.color());
    const double cs = charSpacing * 0.75;
    if (state.charSpacing != cs) {
        number(out, cs);
        out += " Tc\r\n";
        state.charSpacing = cs;
    }
}

void TrpPDFFile::ExportViewToPdf(TrpPDFPage &page, TrpView &view)
{
    const ViewBox box(page, view.AbsLeft(), view.AbsTop(), view.Width(), view.Height());
    auto *memo = dynamic_cast<TrpCustomMemoView *>(&view);
    if (memo && memo->Rotation() == 0 && (view.BrushStyle() == bsSolid || view.BrushStyle() == bsClear) &&
        !isHtmlTagged(*memo, m_htmlTags)) {
        exportMemo(page, *memo, box);
    } else if (dynamic_cast<TrpCustomLineView *>(&view)) {
        exportShapeOrLine(page, view, box);
    } else if (auto *shape = dynamic_cast<TrpShapeView *>(&view);
               shape && (shape->Shape() == skRectangle || shape->Shape() == skDiagonal1 ||
                         shape->Shape() == skDiagonal2)) {
        exportShapeOrLine(page, view, box);
    } else {
        exportPicture(page, view, box);
    }
}

void TrpPDFFile::exportShapeOrLine(TrpPDFPage &page, TrpView &view, const ViewBox &box)
{
    const TrpFrame &frame = *view.Frame();
    const bool stroked = frame.Color() != clNone;
    if (auto *lineView = dynamic_cast<TrpCustomLineView *>(&view)) {
        if (!stroked)
            return; // a line without colour is not drawn, as in the preview
        // A straight line runs along its longer side, as the preview draws it.
        const bool vertical = !lineView->Diagonal() && view.Width() <= view.Height();
        const bool horizontal = !lineView->Diagonal() && !vertical;
        strokeStyle(page, frame.Color(), frame.Width() * 0.75);
        move(page, box.x1, box.y1);
        line(page, vertical ? box.x1 : box.x2, horizontal ? box.y1 : box.y2);
        page.AppendLine("S");
        return;
    }
    const auto &shape = static_cast<TrpShapeView &>(view);
    if (shape.Shape() != skRectangle) {
        if (!stroked)
            return;
        strokeStyle(page, frame.Color(), frame.Width() * 0.75);
        const bool first = shape.Shape() == skDiagonal1;
        move(page, box.x1, first ? box.y2 : box.y1);
        line(page, box.x2, first ? box.y1 : box.y2);
        page.AppendLine("S");
        return;
    }
    const bool filled = view.Color() != clNone;
    if (!stroked && !filled)
        return;
    if (stroked)
        strokeStyle(page, frame.Color(), frame.Width() * 0.75);
    if (filled)
        fillColor(page, view.Color());
    rect(page, box.x1, box.y2, box.w, box.h);
    page.AppendLine(stroked && filled ? "B" : (filled ? "f" : "S"));
}

void TrpPDFFile::drawPdfFrame(TrpPDFPage &page, TrpView &view, const ViewBox &box)
{
    const TrpFrame &frame = *view.Frame();
    if (frame.Typ() == 0 || frame.Color() == clNone)
        return;
    strokeStyle(page, frame.Color(), frame.Width() * 0.75);
    if (frame.Typ() == (ftLeft | ftRight | ftTop | ftBottom)) {
        move(page, box.x1, box.y1);
        line(page, box.x2, box.y1);
        line(page, box.x2, box.y2);
        line(page, box.x1, box.y2);
        line(page, box.x1, box.y1);
        page.AppendLine("s");
        return;
    }
    const struct {
        int side;
        double ax, ay, bx, by;
    } sides[] = {
        {ftTop, box.x1, box.y1, box.x2, box.y1},
        {ftRight, box.x2, box.y1, box.x2, box.y2},
        {ftBottom, box.x1, box.y2, box.x2, box.y2},
        {ftLeft, box.x1, box.y1, box.x1, box.y2},
    };
    for (const auto &s : sides) {
        if (!(frame.Typ() & s.side))
            continue;
        move(page, s.ax, s.ay);
        line(page, s.bx, s.by);
        page.AppendLine("S");
    }
}

void TrpPDFFile::exportPicture(TrpPDFPage &page, TrpView &view, const ViewBox &box)
{
    if (view.Width() <= 0 || view.Height() <= 0)
        return;
    if (view.name() == QLatin1String("_pagebackground") && !m_background)
        return;
    // The border follows as vectors. A shape's outline is the shape
    // itself, drawn with the frame's width: it stays in the picture.
    const bool shape = dynamic_cast<TrpShapeView *>(&view) != nullptr;
    const double frameWidth = view.Frame()->Width();
    if (!shape)
        view.Frame()->SetWidth(0);
    const QRectF real = view.GetRealBounds();
    const double dx = real.width(), dy = real.height();
    const double left = box.left, top = box.top;
    auto offset = [](double drawn, double size, double start, double realStart, double realEnd) {
        if (drawn == size || start == realStart)
            return 0.0;
        return realEnd != start + size ? (drawn - size) / 2 : drawn - size;
    };
    const double ox = offset(dx, view.Width(), left, real.left(), real.right());
    const double oy = offset(dy, view.Height(), top, real.top(), real.bottom());
    const bool barCode = view.className() == QLatin1String("TrpBarCodeView");
    const bool smooth = view.BrushStyle() == bsSolid || view.BrushStyle() == bsClear;
    const bool memo = dynamic_cast<TrpCustomMemoView *>(&view) != nullptr;
    double s = (m_printOptimized || memo) && smooth ? 3 : 1;
    double shift = 0;
    if (barCode && !m_printOptimized) {
        s = 2;
        shift = 2;
    }
    QImage bitmap(int(s + roundEven(s * dx)), int(s + roundEven(s * dy)), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    {
        QPainter painter(&bitmap);
        view.Draw(painter, s, s, shift - roundEven((left - ox) * s), -roundEven((top - oy) * s));
    }
    const bool vectorLike = barCode || shape || dynamic_cast<TrpCustomLineView *>(&view);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    bitmap.save(&buffer, "JPEG", vectorLike ? 85 : 80);

    page.AppendLine("q");
    QByteArray &out = page.Out();
    pair(out, dx == 0 ? 1 : dx * 0.75, 0, " 0 ");
    pair(out, dy == 0 ? 1 : dy * 0.75, page.PdfX(left - ox), " ");
    number(out, page.PdfY(top - oy + dy));
    out += " cm\r\nBI\r\n/W ";
    AppendPdfInt(out, bitmap.width());
    out += "\r\n/H ";
    AppendPdfInt(out, bitmap.height());
    out += "\r\n";
    for (const char *entry : {"/CS /RGB", "/BPC 8", "/I true", "/F [/DCT]"})
        page.AppendLine(entry);
    page.Append(QByteArray("ID ")); // exactly one blank before the data
    page.Append(jpeg);
    page.AppendLine("");
    page.AppendLine("EI");
    page.AppendLine("Q");
    if (!shape)
        view.Frame()->SetWidth(frameWidth);
    drawPdfFrame(page, view, box);
}

// The memo's lines as they go out: in the font's code page, or through
// the font's Unicode variant when a line does not fit into it.
struct TrpPDFFile::MemoText {
    QStringList lines;
    QList<QByteArray> encoded;
    bool unicode = false;
    int fontIndex = -1; // -1: no lines, no text state
};

namespace {

QString cleanLine(QString text, bool rtl)
{
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    text.remove(QChar(1));
    return rtl ? ReverseRtlLine(text) : text;
}

bool isBlank(QStringView text)
{
    for (QChar c : text) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

void appendEscaped(QByteArray &out, const QByteArray &line)
{
    for (char c : line) {
        if (c == '\\' || c == '(' || c == ')')
            out += '\\';
        out += c;
    }
}

} // namespace

TrpPDFFile::MemoText TrpPDFFile::memoText(TrpCustomMemoView &memo, const platform::Font &font)
{
    MemoText text;
    text.lines = m_toolkit->WrappedLines(memo, font);
    if (text.lines.isEmpty())
        return text;
    const char *codePage = CodePageOfCharset(font.charset());
    text.encoded.reserve(text.lines.size());
    for (const QString &l : text.lines) {
        auto bytes = EncodeExactly(cleanLine(l, memo.RTLReading()), codePage);
        if (!bytes) {
            text.unicode = true;
            break;
        }
        text.encoded.append(std::move(*bytes));
    }
    text.fontIndex = FindOrAddPdfFont(font, text.unicode);
    return text;
}

void TrpPDFFile::exportMemo(TrpPDFPage &page, TrpCustomMemoView &memo, const ViewBox &outer)
{
    const TrpHighlight &highlight = *memo.Highlight();
    const platform::Font &font = highlight.Active() ? *highlight.Font() : *memo.Font();
    const int color = highlight.Active() ? highlight.Color() : memo.Color();
    const MemoText text = memoText(memo, font);
    // A page's first text memo sets its font inside its own clip, as a
    // lone memo does; from the second one on the text state is set on the
    // page, so the memos of a list inherit it instead of repeating it.
    if (text.fontIndex >= 0) {
        if (page.TextMemos() > 0)
            textState(page, text.fontIndex, font, memo.CharSpacing());
        page.CountTextMemo();
    }
    const double fw = memo.Frame()->Width();
    const double left = outer.left, top = outer.top;
    page.AppendLine("q");
    page.State().Save();
    rect(page, page.PdfX(left - fw), page.PdfY(top + outer.height + fw), (2 * fw + outer.width) * 0.75,
         (2 * fw + outer.height) * 0.75);
    page.Out() += "W\r\nn\r\n";
    ViewBox box = outer;
    if (memo.Frame()->DropShadow()) {
        const double sw = memo.Frame()->ShadowWidth();
        box = ViewBox(page, left, top, outer.width - sw, outer.height - sw);
        fillColor(page, memo.Frame()->ShadowColor());
        strokeColor(page, memo.Frame()->ShadowColor());
        rect(page, page.PdfX(left + box.width), page.PdfY(top + box.height + sw), sw * 0.75, box.height * 0.75);
        page.AppendLine("B");
        rect(page, page.PdfX(left + sw), page.PdfY(top + box.height + sw), box.width * 0.75, sw * 0.75);
        page.AppendLine("B");
    }
    if (color != clNone) {
        fillColor(page, color);
        rect(page, box.x1, box.y2, box.w, box.h);
        page.AppendLine("f");
    }
    drawPdfFrame(page, memo, box);
    if (text.fontIndex >= 0) {
        textState(page, text.fontIndex, font, memo.CharSpacing());
        exportMemoLines(page, memo, font, box, text);
    }
    page.AppendLine("Q");
    page.State().Restore();
}

void TrpPDFFile::exportMemoLines(TrpPDFPage &page, TrpCustomMemoView &memo, const platform::Font &font,
                                 const ViewBox &box, const MemoText &text)
{
    TrpPDFFont &pdfFont = *m_fonts[size_t(text.fontIndex)];
    const double cs = memo.CharSpacing() * 0.75;
    m_toolkit->SetMemo(memo, font);
    TrpPDFToolkit &kit = *m_toolkit;
    if (memo.Underlines()) {
        const int n = int(box.height / kit.LineHeight());
        for (int i = 0; i <= n; ++i) {
            const double y = page.PdfY(kit.GetVPos(n, i, box.height - 2 * memo.GapY(), box.top + memo.GapY() + 1));
            strokeStyle(page, memo.Frame()->Color(), memo.Frame()->Width() * 0.75);
            move(page, box.x1, y);
            line(page, box.x2, y);
            page.AppendLine("S");
        }
    }
    const int count = int(text.lines.size());
    for (int k = 0; k < count; ++k) {
        const QString &raw = text.lines[k];
        const QString cleaned = cleanLine(raw, memo.RTLReading());
        if (isBlank(cleaned))
            continue;
        const double indent = k == 0 ? memo.ParagraphGap() : 0;
        double x = page.PdfX(kit.GetHPos(raw, memo.HAlign(), memo.CharSpacing(),
                                         box.width - 2 * memo.GapX() - indent, box.left + memo.GapX() + indent));
        if (memo.HAlign() == haRight)
            x += cs;
        const double y = page.PdfY(kit.GetVPos(count, k, box.height - 2 * memo.GapY(), box.top + memo.GapY() - 1));
        QByteArray &out = page.Out();
        out += "BT\r\n";
        pair(out, x, y, " Td\r\n");
        if (text.unicode) {
            out += pdfFont.GlyphString(cleaned);
        } else {
            out += '(';
            appendEscaped(out, text.encoded[k]);
            out += ')';
        }
        out += " Tj\r\nET\r\n";
        if (font.style() & platform::fsUnderline) {
            const double uy = y - font.size() * 0.12;
            strokeStyle(page, font.color() == clNone ? 0 : font.color(), font.size() * 0.08);
            move(page, x, uy);
            line(page, x + kit.GetTextWidth(raw, memo.CharSpacing()) * 0.75, uy);
            page.AppendLine("S");
        }
    }
}

} // namespace bralvo::report
