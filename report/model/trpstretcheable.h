// The base of views that can grow with their content (memos and lines):
// how the engine stretches them and how a split object is output part
// by part across page ends.
#pragma once

#include "report/model/trpview.h"

namespace bralvo::report {

enum TrpStretchMode : int { smDontStretch, smActualHeight, smMaxHeight };

const platform::EnumInfo &stretchModeEnum();

class TrpStretcheable : public TrpView {
    BRALVO_CLASS(TrpStretcheable)
public:
    explicit TrpStretcheable(platform::Component *owner) : TrpView(owner) {}

    TrpStretchMode StretchMode() const { return m_stretchMode; }
    void SetStretchMode(TrpStretchMode v) { m_stretchMode = v; }
    // Height still to be output while the band is split (pixels).
    double PartHeight() const { return m_partHeight; }
    void SetPartHeight(double v) { m_partHeight = v; }

    // The height the content needs (pixels); base: the current Height.
    virtual double CalcHeight() { return Height(); }
    // Outputs the next part; returns the unused space (pixels). Base: 0.
    virtual double DrawPart() { return 0; }
    // Starts splitting; base: nothing.
    virtual void InitPart() {}

private:
    TrpStretchMode m_stretchMode = smDontStretch;
    double m_partHeight = 0;
};

} // namespace bralvo::report
