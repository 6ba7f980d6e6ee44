// Bands: horizontal strips of a report page that hold views. This holds
// the properties every band has; the band kinds and their engine rules
// are added by the bands' own code.
#pragma once

#include "report/model/trpcomponent.h"

namespace bralvo::report {

class TrpBand : public TrpReportComponent {
    BRALVO_CLASS(TrpBand)
public:
    explicit TrpBand(platform::Component *owner) : TrpReportComponent(owner) {}

    bool Vertical() const { return m_vertical; }
    void SetVertical(bool v) { m_vertical = v; }
    QString OnAfterCalcHeight() const { return m_onAfterCalcHeight; }
    void SetOnAfterCalcHeight(const QString &v) { m_onAfterCalcHeight = v; }

    void Draw(QPainter &, double, double, double, double) override {}
    QString GetDescription() const override;

protected:
    bool DiffAlwaysTop() const override { return true; }

private:
    bool m_vertical = false;
    QString m_onAfterCalcHeight;
};

// The data band of the first level.
class TrpMasterData : public TrpBand {
    BRALVO_CLASS(TrpMasterData)
public:
    explicit TrpMasterData(platform::Component *owner) : TrpBand(owner) {}
};

} // namespace bralvo::report
