// The border of a view: a frame with one line per side, a drop shadow,
// and the sides that are drawn (Typ). Setting the frame's Color, Style
// or Width sets the same value on all four lines.
#pragma once

#include "platform/persistent.h"

#include <memory>

namespace bralvo::report {

inline constexpr int clNone = 0x1FFFFFFF;

enum TrpFrameStyle : int { fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble };
enum TrpFrameType : int { ftLeft = 1, ftRight = 2, ftTop = 4, ftBottom = 8 };

const platform::EnumInfo &frameStyleEnum();
const platform::EnumInfo &frameTypeEnum();

class TrpFrame;

class TrpFrameLine : public platform::Persistent {
    BRALVO_CLASS(TrpFrameLine)
public:
    explicit TrpFrameLine(TrpFrame *frame = nullptr) : m_frame(frame) {}

    int Color() const { return m_color; }
    void SetColor(int v) { m_color = v; }
    TrpFrameStyle Style() const { return m_style; }
    void SetStyle(TrpFrameStyle v) { m_style = v; }
    double Width() const { return m_width; }
    void SetWidth(double v) { m_width = v; }
    void assign(const platform::Persistent &source) override;

private:
    friend class TrpFrame;
    TrpFrame *m_frame;
    int m_color = 0;
    TrpFrameStyle m_style = fsSolid;
    double m_width = 1;
};

class TrpFrame : public platform::Persistent {
    BRALVO_CLASS(TrpFrame)
public:
    TrpFrame();

    int Color() const { return m_color; }
    void SetColor(int v);
    bool DropShadow() const { return m_dropShadow; }
    void SetDropShadow(bool v) { m_dropShadow = v; }
    int ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(int v) { m_shadowColor = v; }
    double ShadowWidth() const { return m_shadowWidth; }
    void SetShadowWidth(double v) { m_shadowWidth = v; }
    TrpFrameStyle Style() const { return m_style; }
    void SetStyle(TrpFrameStyle v);
    int Typ() const { return m_typ; }
    void SetTyp(int v) { m_typ = v; }
    double Width() const { return m_width; }
    void SetWidth(double v);
    TrpFrameLine *LeftLine() const { return m_left.get(); }
    TrpFrameLine *TopLine() const { return m_top.get(); }
    TrpFrameLine *RightLine() const { return m_right.get(); }
    TrpFrameLine *BottomLine() const { return m_bottom.get(); }
    void SetLeftLine(const TrpFrameLine *v) { assignLine(*m_left, v); }
    void SetTopLine(const TrpFrameLine *v) { assignLine(*m_top, v); }
    void SetRightLine(const TrpFrameLine *v) { assignLine(*m_right, v); }
    void SetBottomLine(const TrpFrameLine *v) { assignLine(*m_bottom, v); }

    void assign(const platform::Persistent &source) override;

private:
    static void assignLine(TrpFrameLine &line, const TrpFrameLine *v);
    std::unique_ptr<TrpFrameLine> m_left, m_top, m_right, m_bottom;
    int m_color = 0;
    bool m_dropShadow = false;
    int m_shadowColor = 0;
    double m_shadowWidth = 4;
    TrpFrameStyle m_style = fsSolid;
    int m_typ = 0;
    double m_width = 1;
};

} // namespace bralvo::report
