// Scroll bars drawn in bands of rows. Qt's raster engine hands a fill of
// many rows (a tall scroll bar's gradients and lines) to a pool of
// threads and waits for them; the preview's bars are repainted for every
// page the user steps to, and that hand-off cost more than the page's own
// text. Each band is drawn into an image only as tall as the band, so no
// fill is ever split, and then put in place.
#pragma once

#include <QProxyStyle>

namespace bralvo::report {

class BandedScrollBarStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Rows per band: below the row count at which the engine splits a fill.
    static constexpr int kBandRows = 48;

    // Draws with the application's style.
    BandedScrollBarStyle();

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
};

} // namespace bralvo::report
