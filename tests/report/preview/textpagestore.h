// A test store whose pages are text drawn through the report library's
// own text layout (TrpDrawText, glyph runs), like the memos of real
// prepared pages: each page is one block of lines inside 40-pixel
// margins, Arial 10 pt.
#pragma once

#include "teststore.h"

#include "platform/font.h"
#include "report/engine/trpdrawtext.h"
#include "report/model/twidestrings.h"

#include <QStringList>
#include <cmath>

namespace bralvo::report::testing {

class TextPageStore : public TestStore {
public:
    using TestStore::TestStore;

    std::vector<QStringList> lines; // per page

    void addTextPage(const QStringList &pageLines)
    {
        addPage(QSize(794, 1123), {});
        lines.push_back(pageLines);
    }
    void DrawPage(int index, QPainter &canvas, double scaleX, double scaleY, double offsetX,
                  double offsetY) override
    {
        ++drawCalls;
        const QSize s = sizes.at(size_t(index));
        TrpDrawText &dt = m_text;
        dt.Lock();
        platform::Font font;
        font.setName(QStringLiteral("Arial"));
        font.setSize(10);
        dt.SetFont(font);
        dt.SetOptions(true, false, 0, true, false, false, false);
        dt.SetGaps(0, 0, 2);
        const TrpTextRect text{40, 40, s.width() - 40, s.height() - 40};
        const TrpTextRect device{int(std::lround(offsetX + 40 * scaleX)), int(std::lround(offsetY + 40 * scaleY)),
                                 int(std::lround(offsetX + (s.width() - 40) * scaleX)),
                                 int(std::lround(offsetY + (s.height() - 40) * scaleY))};
        dt.SetDimensions(text, device, scaleX, scaleY, 1);
        TWideStrings wide;
        for (const QString &l : lines.at(size_t(index)))
            wide.Add(l);
        dt.SetText(wide);
        dt.DrawText(canvas, 0, 0);
        dt.Unlock();
    }

private:
    TrpDrawText m_text;
};

// A report over a TextPageStore.
using TextReport = ReportOver<TextPageStore>;

// Invoice-like lines: Count lines of about 80 characters.
inline QStringList invoiceLines(int page, int count)
{
    QStringList out;
    out << QStringLiteral("Faktúra č. 2026%1 - strana %2").arg(page, 4, 10, QLatin1Char('0')).arg(page);
    for (int i = 1; i < count; ++i)
        out << QStringLiteral("%1  Položka číslo %2, tovar a služby podľa objednávky   %3 ks   %4,50 EUR")
                   .arg(i, 3)
                   .arg(page * 100 + i)
                   .arg(i % 7 + 1)
                   .arg(i * 3);
    return out;
}

} // namespace bralvo::report::testing
