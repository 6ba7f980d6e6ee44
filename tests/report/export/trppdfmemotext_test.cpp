// Memo text on list pages: every memo's text is drawn in its own font,
// colour and spacing while the page sets them only when they change, and
// the written lines are the memo's wrapped lines, one-line memos and
// right-aligned ones included.
#include "pdfpages.h"
#include "pdftools.h"
#include "report/engine/trpmemotextlayout.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <gtest/gtest.h>

using namespace bralvo::report;
using namespace bralvo::report::testing;

namespace {

// The text state a "Tj" draws with, as a PDF reader keeps it: q saves,
// Q restores, Tf, rg and Tc change it.
struct DrawnText {
    QString text;
    QByteArray size, fill, spacing;
};

QList<DrawnText> drawnTexts(const QByteArray &content)
{
    struct State {
        QByteArray size, fill, spacing = "0";
    } state;
    QList<State> saved;
    QList<DrawnText> drawn;
    QStringDecoder cp1250("windows-1250");
    for (const QByteArray &line : content.split('\n')) {
        const QByteArray l = line.trimmed();
        if (l == "q")
            saved.append(state);
        else if (l == "Q" && !saved.isEmpty())
            state = saved.takeLast();
        else if (l.endsWith(" Tf"))
            state.size = l.split(' ').value(1);
        else if (l.endsWith(" rg"))
            state.fill = l.chopped(3);
        else if (l.endsWith(" Tc"))
            state.spacing = l.chopped(3);
        else if (l.endsWith(") Tj"))
            drawn.append({cp1250.decode(l.mid(1, l.size() - 5)), state.size, state.fill, state.spacing});
    }
    return drawn;
}

QByteArray firstContent(const QByteArray &pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("/Contents (\\d+) 0 R")).match(QString::fromLatin1(pdf));
    const QByteArray object = objectText(pdf, m.captured(1).toInt());
    const qsizetype start = object.indexOf("stream\r\n") + 8;
    return object.mid(start, object.lastIndexOf("endstream") - start);
}

class PdfMemoText : public ::testing::Test {
protected:
    static void SetUpTestSuite() { installMemoTextLayout(); }

    // The uncompressed first page's content of the checked file.
    QByteArray exportPage(const QString &name)
    {
        TrpPDFFile file(false, QString());
        file.SetCompressed(false);
        m_path = writeChecked(documentOf(file, *page), name + QStringLiteral(".pdf"));
        return firstContent(uncompressed(m_path));
    }

    std::unique_ptr<TrpReportPage> page = a4Page();
    QString m_path;
};

TEST_F(PdfMemoText, EveryMemoOfAListPageDrawsInItsOwnState)
{
    const struct {
        const char *text;
        int size, color;
        double spacing;
        int fill;
        const char *pdfFill, *pdfSpacing;
    } memos[] = {
        {"Jedna", 10, 0, 0, clNone, "0 0 0", "0"},
        {"Dva", 10, 0, 0, clNone, "0 0 0", "0"},
        {"Tri", 12, 0x0000FF, 0, clNone, "1 0 0", "0"},
        {"Štyri", 12, 0x0000FF, 2, clNone, "1 0 0", "1.50"},
        {"Päť", 12, 0x0000FF, 0, 0xFFFFFF, "1 0 0", "0"},
        {"Šesť", 12, 0x0000FF, 0, clNone, "1 0 0", "0"},
        {"Sedem", 12, 0x0000FF, 0, clNone, "1 0 0", "0"}, // after a green box
        {"Osem", 10, 0, 0, 0xFFFFFF, "0 0 0", "0"},
    };
    int top = 40;
    for (const auto &m : memos) {
        if (QByteArray(m.text) == "Sedem")
            place<TrpShapeView>(*page, 500, top, 40, 20)->SetColor(0x00FF00);
        auto *memo = memoOn(*page, QString::fromUtf8(m.text), 40, top, 300, 20);
        memo->Font()->setSize(m.size);
        memo->Font()->setColor(m.color);
        memo->SetCharSpacing(m.spacing);
        memo->SetColor(m.fill);
        top += 30;
    }
    const QByteArray content = exportPage(QStringLiteral("list"));
    const QList<DrawnText> drawn = drawnTexts(content);
    ASSERT_EQ(drawn.size(), int(std::size(memos))) << content.toStdString();
    for (int i = 0; i < drawn.size(); ++i) {
        const auto &m = memos[i];
        EXPECT_EQ(drawn[i].text, QString::fromUtf8(m.text));
        EXPECT_EQ(drawn[i].size, QByteArray::number(m.size)) << m.text;
        EXPECT_EQ(drawn[i].fill, QByteArray(m.pdfFill)) << m.text;
        EXPECT_EQ(drawn[i].spacing, QByteArray(m.pdfSpacing)) << m.text;
    }
    // The font is set when it changes (three times) and once more for the
    // page's first memo, which sets it inside its own clip.
    EXPECT_EQ(content.count(" Tf\r\n"), 4) << content.toStdString();
}

TEST_F(PdfMemoText, WrittenLinesAreTheMemosWrappedLines)
{
    const QString item = QStringLiteral("Položka č. 12 – tovar a služby");
    struct Case {
        QString text;
        double width;
        bool wrap = true;
        double spacing = 0, paragraphGap = 0;
        int frame = 0;
    };
    std::vector<Case> cases = {
        {QString(), 100}, {QStringLiteral("x"), 5}, {QStringLiteral("jeden dva tri"), 40},
        {item, 60, false}, {QStringLiteral("Suma\r\nSpolu"), 200},
    };
    // Widths around the one where the line stops fitting.
    for (double w = 150; w <= 215; w += 2.5) {
        cases.push_back({item, w});
        cases.push_back({item, w + 12, true, 1.5});
        cases.push_back({item, w + 20, true, 0, 20});
        cases.push_back({item, w + 4, true, 0, 0, ftLeft | ftRight | ftTop | ftBottom});
    }
    for (const Case &c : cases) {
        page = a4Page();
        auto *memo = memoOn(*page, c.text, 40, 100, c.width, 60);
        memo->SetWordWrap(c.wrap);
        memo->SetCharSpacing(c.spacing);
        memo->SetParagraphGap(c.paragraphGap);
        memo->Frame()->SetTyp(c.frame);
        memo->Frame()->SetWidth(3);
        QStringList expected;
        for (const QString &l : memo->GetWrappedText(true).split(QStringLiteral("\r\n"))) {
            if (!l.trimmed().isEmpty())
                expected << l;
        }
        QStringList written;
        for (const DrawnText &d : drawnTexts(exportPage(QStringLiteral("wrap"))))
            written << d.text;
        EXPECT_EQ(written, expected) << c.text.toStdString() << " in " << c.width << " spacing " << c.spacing
                                     << " gap " << c.paragraphGap << " frame " << c.frame;
    }
}

// Right ends of the text lines in points, top to bottom (pdftotext's
// word boxes, grouped by their line).
QList<double> lineEnds(const QString &file)
{
    const ToolRun run = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    const QRegularExpression word(QStringLiteral("<word xMin=\"[-0-9.]+\" yMin=\"([-0-9.]+)\" "
                                                 "xMax=\"([-0-9.]+)\""));
    QMap<double, double> ends;
    for (auto it = word.globalMatch(run.output); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        double &end = ends[std::round(m.captured(1).toDouble())];
        end = std::max(end, m.captured(2).toDouble());
    }
    return ends.values();
}

TEST_F(PdfMemoText, RightAlignedLinesEndAtTheBoxesRightSide)
{
    for (const double width : {300.0, 90.0}) { // one line, then wrapped
        page = a4Page();
        auto *memo = memoOn(*page, QStringLiteral("Spolu k úhrade 1 234,50 €"), 40, 100, width, 80);
        memo->SetHAlign(haRight);
        exportPage(QStringLiteral("right"));
        const QList<double> ends = lineEnds(m_path);
        ASSERT_EQ(ends.size() > 1, width < 100) << width;
        for (double end : ends)
            EXPECT_NEAR(end, (40 + width - memo->GapX()) * 0.75, 1.5) << width;
    }
}

} // namespace
