// Page content of one view: vector text for plain memos, paths for
// lines and rectangles, an inline JPEG picture of everything else.
#include "report/export/trppdffile.h"

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

QString num(double v)
{
    return PdfNumber(v);
}

void move(TrpPDFElement &out, double a, double b)
{
    out.AppendLine(num(a) + u' ' + num(b) + QStringLiteral(" m"));
}

void line(TrpPDFElement &out, double a, double b)
{
    out.AppendLine(num(a) + u' ' + num(b) + QStringLiteral(" l"));
}

void rect(TrpPDFElement &out, double x, double y, double w, double h)
{
    out.AppendLine(num(x) + u' ' + num(y) + u' ' + num(w) + u' ' + num(h) + QStringLiteral(" re"));
}

long roundEven(double v)
{
    return std::lrint(v);
}

bool isHtmlTagged(const TrpCustomMemoView &memo, bool htmlTags)
{
    const QString text = memo.Memo()->Text();
    return memo.AllowHTMLTags() && htmlTags && text.contains(u'<') && text.contains(u'>');
}

} // namespace

void TrpPDFFile::strokeStyle(TrpPDFPage &page, int color, double width)
{
    page.AppendLine(m_toolkit->PdfColor(color) + QStringLiteral(" RG"));
    page.AppendLine(num(width) + QStringLiteral(" w"));
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
    page.Flush(*m_scratch);
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
        page.AppendLine(m_toolkit->PdfColor(view.Color()) + QStringLiteral(" rg"));
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
    const double frameWidth = view.Frame()->Width();
    view.Frame()->SetWidth(0); // the frame follows as vectors
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
    const bool vectorLike = barCode || dynamic_cast<TrpShapeView *>(&view) || dynamic_cast<TrpCustomLineView *>(&view);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    bitmap.save(&buffer, "JPEG", vectorLike ? 85 : 80);

    page.AppendLine("q");
    page.AppendLine(num(dx == 0 ? 1 : dx * 0.75) + QStringLiteral(" 0 0 ") + num(dy == 0 ? 1 : dy * 0.75) + u' ' +
                    num(page.PdfX(left - ox)) + u' ' + num(page.PdfY(top - oy + dy)) + QStringLiteral(" cm"));
    page.AppendLine("BI");
    page.AppendLine(QStringLiteral("/W %1").arg(bitmap.width()));
    page.AppendLine(QStringLiteral("/H %1").arg(bitmap.height()));
    for (const char *entry : {"/CS /RGB", "/BPC 8", "/I true", "/F [/DCT]"})
        page.AppendLine(entry);
    page.Append(QByteArray("ID ")); // exactly one blank before the data
    page.Append(jpeg);
    page.AppendLine("");
    page.AppendLine("EI");
    page.AppendLine("Q");
    view.Frame()->SetWidth(frameWidth);
    drawPdfFrame(page, view, box);
}

void TrpPDFFile::exportMemo(TrpPDFPage &page, TrpCustomMemoView &memo, const ViewBox &outer)
{
    const double fw = memo.Frame()->Width();
    const double left = outer.left, top = outer.top;
    page.AppendLine("q");
    rect(page, page.PdfX(left - fw), page.PdfY(top + outer.height + fw), (2 * fw + outer.width) * 0.75,
         (2 * fw + outer.height) * 0.75);
    page.AppendLine("W");
    page.AppendLine("n");
    ViewBox box = outer;
    if (memo.Frame()->DropShadow()) {
        const double sw = memo.Frame()->ShadowWidth();
        box = ViewBox(page, left, top, outer.width - sw, outer.height - sw);
        const QString shadow = m_toolkit->PdfColor(memo.Frame()->ShadowColor());
        page.AppendLine(shadow + QStringLiteral(" rg"));
        page.AppendLine(shadow + QStringLiteral(" RG"));
        rect(page, page.PdfX(left + box.width), page.PdfY(top + box.height + sw), sw * 0.75, box.height * 0.75);
        page.AppendLine("B");
        rect(page, page.PdfX(left + sw), page.PdfY(top + box.height + sw), box.width * 0.75, sw * 0.75);
        page.AppendLine("B");
    }
    const TrpHighlight &highlight = *memo.Highlight();
    const platform::Font &font = highlight.Active() ? *highlight.Font() : *memo.Font();
    const int color = highlight.Active() ? highlight.Color() : memo.Color();
    if (color != clNone) {
        page.AppendLine(m_toolkit->PdfColor(color) + QStringLiteral(" rg"));
        rect(page, box.x1, box.y2, box.w, box.h);
        page.AppendLine("f");
    }
    drawPdfFrame(page, memo, box);
    exportMemoLines(page, memo, font, box);
    page.AppendLine("Q");
}

namespace {

QString cleanLine(QString text, bool rtl)
{
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    text.remove(QChar(1));
    return rtl ? ReverseRtlLine(text) : text;
}

} // namespace

void TrpPDFFile::exportMemoLines(TrpPDFPage &page, TrpCustomMemoView &memo, const platform::Font &font,
                                 const ViewBox &box)
{
    const QStringList lines = m_toolkit->WrappedLines(memo, font);
    if (lines.isEmpty())
        return;
    // Text goes out in the font's code page; a text the page cannot hold
    // goes through the font's Unicode variant instead of losing letters.
    const char *codePage = CodePageOfCharset(font.charset());
    QList<QByteArray> encoded;
    bool unicode = false;
    for (const QString &l : lines) {
        const auto bytes = EncodeExactly(cleanLine(l, memo.RTLReading()), codePage);
        if (!bytes) {
            unicode = true;
            break;
        }
        encoded.append(*bytes);
    }
    const int index = FindOrAddPdfFont(font, unicode);
    TrpPDFFont &pdfFont = *m_fonts[size_t(index)];
    page.AppendLine(QStringLiteral("/F%1 %2 Tf").arg(index).arg(font.size()));
    page.AppendLine(m_toolkit->PdfColor(font.color() == clNone ? 0 : font.color()) + QStringLiteral(" rg"));
    const double cs = memo.CharSpacing() * 0.75;
    if (memo.CharSpacing() != 0)
        page.AppendLine(num(cs) + QStringLiteral(" Tc"));
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
    const int count = int(lines.size());
    for (int k = 0; k < count; ++k) {
        const QString cleaned = cleanLine(lines[k], memo.RTLReading());
        if (cleaned.trimmed().isEmpty())
            continue;
        const double indent = k == 0 ? memo.ParagraphGap() : 0;
        double x = page.PdfX(kit.GetHPos(lines[k], memo.HAlign(), memo.CharSpacing(),
                                         box.width - 2 * memo.GapX() - indent, box.left + memo.GapX() + indent));
        if (memo.HAlign() == haRight)
            x += cs;
        const double y = page.PdfY(kit.GetVPos(count, k, box.height - 2 * memo.GapY(), box.top + memo.GapY() - 1));
        page.AppendLine("BT");
        page.AppendLine(num(x) + u' ' + num(y) + QStringLiteral(" Td"));
        if (unicode)
            page.AppendLine(pdfFont.GlyphString(cleaned) + " Tj");
        else
            page.AppendLine('(' + EscapePdfText(encoded[k]) + ") Tj");
        page.AppendLine("ET");
        if (font.style() & platform::fsUnderline) {
            const double uy = y - font.size() * 0.12;
            strokeStyle(page, font.color() == clNone ? 0 : font.color(), font.size() * 0.08);
            move(page, x, uy);
            line(page, x + kit.GetTextWidth(lines[k], memo.CharSpacing()) * 0.75, uy);
            page.AppendLine("S");
        }
    }
}

} // namespace bralvo::report
