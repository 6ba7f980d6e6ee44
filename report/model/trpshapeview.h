// Geometric shapes: rectangle, round rectangle, ellipse, triangle,
// diamond and the two diagonals, outlined with the frame's colour, width
// and style and filled with the view's colour (a hatch over the fill for
// the hatch brush styles). Kept in prepared pages by their Diff.
#pragma once

#include "report/model/trpview.h"

namespace bralvo::report {

enum TrpShapeKind : int {
    skRectangle, skRoundRectangle, skEllipse, skTriangle, skDiamond, skDiagonal1, skDiagonal2
};

const platform::EnumInfo &shapeKindEnum();

class TrpShapeView : public TrpView {
    BRALVO_CLASS(TrpShapeView)
public:
    // Created by CreateDesigning with Flags, Shape becomes Flags.
    explicit TrpShapeView(platform::Component *owner);

    int Curve() const { return m_curve; }
    void SetCurve(int v) { m_curve = v; }
    TrpShapeKind Shape() const { return m_shape; }
    void SetShape(TrpShapeKind v) { m_shape = v; }

    void Draw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY) override;
    // The view's diff and Shape (ordinal) when it differs.
    QString Diff(const TrpComponent &def) const override;
    QString GetDescription() const override;

    // Corner size of a round rectangle of DX x DY pixels.
    int CornerSize(int dx, int dy, double scaleX) const;

private:
    void drawShape(QPainter &canvas);

    int m_curve = 0;
    TrpShapeKind m_shape = skRectangle;
};

} // namespace bralvo::report
