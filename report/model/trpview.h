// TrpView: the base of every object drawn on a report page. This holds
// the alignment inside the parent, the shift mode, printability, fill
// colour and frame; drawing and the rest of a view's behaviour are added
// by the views' own code.
#pragma once

#include "report/model/trpcomponent.h"
#include "report/model/trpframe.h"

#include <memory>

namespace bralvo::report {

enum TrpAlign : int { baNone, baLeft, baRight, baCenter, baWidth, baBottom, baClient };
enum TrpShiftMode : int { smDontShift, smAlways, smWhenOverlapped };

const platform::EnumInfo &alignEnum();
const platform::EnumInfo &shiftModeEnum();

class TrpView : public TrpReportComponent {
    BRALVO_CLASS(TrpView)
public:
    explicit TrpView(platform::Component *owner);

    TrpAlign Align() const { return m_align; }
    void SetAlign(TrpAlign v) { m_align = v; }
    bool Printable() const { return m_printable; }
    void SetPrintable(bool v) { m_printable = v; }
    TrpShiftMode ShiftMode() const { return m_shiftMode; }
    void SetShiftMode(TrpShiftMode v) { m_shiftMode = v; }
    int Color() const { return m_color; }
    void SetColor(int v) { m_color = v; }
    TrpFrame *Frame() const { return m_frame.get(); }
    void SetFrame(const TrpFrame *v);

    void Draw(QPainter &, double, double, double, double) override {}

private:
    TrpAlign m_align = baNone;
    bool m_printable = true;
    TrpShiftMode m_shiftMode = smAlways;
    int m_color = clNone;
    std::unique_ptr<TrpFrame> m_frame;
};

} // namespace bralvo::report
