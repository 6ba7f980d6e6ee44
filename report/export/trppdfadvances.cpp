#include "report/export/trppdfadvances.h"

namespace bralvo::report {

namespace {

constexpr int kUnknown = -1;

} // namespace

TrpPDFAdvances::TrpPDFAdvances(const QString &family, int style, int pixelSize)
    : m_family(family), m_style(style), m_pixelSize(pixelSize),
      m_metrics(platform::FontMetrics::get(family, style, pixelSize))
{
}

int TrpPDFAdvances::advance(char16_t unit) const
{
    std::unique_ptr<int[]> &block = m_blocks[unit >> 8];
    if (!block) {
        block = std::make_unique<int[]>(256);
        std::fill(block.get(), block.get() + 256, kUnknown);
    }
    int &value = block[unit & 0xFF];
    if (value == kUnknown)
        value = m_metrics->advance(unit);
    return value;
}

qint64 TrpPDFAdvances::TextWidth(QStringView text) const
{
    qint64 sum = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
            sum += m_metrics->advance(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else {
            sum += advance(c.unicode());
        }
    }
    return sum;
}

} // namespace bralvo::report
