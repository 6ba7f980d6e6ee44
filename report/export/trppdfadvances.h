// Advances of one font at one pixel size for the PDF writer: a flat table
// per block of 256 code units, filled from the shared font metrics the
// first time a character is met, then read without a lock or a hash
// look-up. Surrogate pairs go to the metrics each time (rare in reports).
#pragma once

#include "platform/fonts/fontmetrics.h"

#include <QStringView>
#include <array>
#include <memory>

namespace bralvo::report {

class TrpPDFAdvances {
public:
    TrpPDFAdvances(const QString &family, int style, int pixelSize);

    const QString &Family() const { return m_family; }
    int Style() const { return m_style; }
    int PixelSize() const { return m_pixelSize; }

    // Sum of the advances of Text as FontMetrics::textWidth counts them.
    qint64 TextWidth(QStringView text) const;
    // The same with Spacing added to every UTF-16 unit (the layout adds
    // it to the low half of a pair as well).
    qint64 SpacedWidth(QStringView text, int spacing) const
    {
        return TextWidth(text) + qint64(spacing) * text.size();
    }

private:
    int advance(char16_t unit) const;

    QString m_family;
    int m_style;
    int m_pixelSize;
    std::shared_ptr<const platform::FontMetrics> m_metrics;
    mutable std::array<std::unique_ptr<int[]>, 256> m_blocks;
};

} // namespace bralvo::report
