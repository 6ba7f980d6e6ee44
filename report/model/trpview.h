// TrpView: the base of every object drawn on a report page (text, lines,
// pictures, shapes, subreports). It adds to a report component the fill
// colour and hatch, the frame, a dataset link, the alignment inside the
// parent and the shift mode, two texts expanded at output (TagStr, URL),
// and the drawing skeleton: BeginDraw computes the pixel rectangle,
// DrawBackground fills it, DrawFrame draws the border.
//
// Colours are Windows colour values (0x00BBGGRR); clNone draws nothing.
// Pixel rules (all coordinates whole device pixels):
//   x = round(OffsetX + ScaleX * AbsLeft), x1 = round(OffsetX + ScaleX *
//   (AbsLeft + Width)), likewise y, y1; a drop shadow takes
//   round(Scale * ShadowWidth) off x1 and y1. A fill covers x .. x1 - 1.
#pragma once

#include "report/model/trpcomponent.h"
#include "report/model/trpframe.h"

#include <QColor>
#include <memory>

class QPainter;

namespace bralvo::report {

class TrpDataSet;

enum TrpAlign : int { baNone, baLeft, baRight, baCenter, baWidth, baBottom, baClient };
enum TrpShiftMode : int { smDontShift, smAlways, smWhenOverlapped };
enum TBrushStyle : int {
    bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};

const platform::EnumInfo &alignEnum();
const platform::EnumInfo &shiftModeEnum();
const platform::EnumInfo &brushStyleEnum();

// A Windows colour value as a Qt colour: 0x00BBGGRR, the system colours
// (0x80000000 + index) as their usual light-theme values. clNone gives
// an invalid QColor.
QColor ColorToQColor(int color);

// W parallel 1-pixel strokes (W = 0 counts as 1) at offsets
// -(W div 2) .. (W - 1) div 2, shifted vertically for lines more
// horizontal than vertical, else horizontally. Each stroke covers its
// start pixel up to, not including, its end pixel; the painter's pen
// colour and style are used.
void DrawThickLine(QPainter &canvas, int x1, int y1, int x2, int y2, int w);

class TrpView : public TrpReportComponent {
    BRALVO_CLASS(TrpView)
public:
    explicit TrpView(platform::Component *owner);
    ~TrpView() override;

    // --- persistent properties (published by the subclasses that use them)
    TrpAlign Align() const { return m_align; }
    void SetAlign(TrpAlign v) { m_align = v; }
    bool Printable() const { return m_printable; }
    void SetPrintable(bool v) { m_printable = v; }
    TrpShiftMode ShiftMode() const { return m_shiftMode; }
    void SetShiftMode(TrpShiftMode v) { m_shiftMode = v; }
    TBrushStyle BrushStyle() const { return m_brushStyle; }
    void SetBrushStyle(TBrushStyle v) { m_brushStyle = v; }
    int Color() const { return m_color; }
    virtual void SetColor(int v) { m_color = v; }
    // Mouse cursor over the object in the preview; 0 leaves the preview's.
    int Cursor() const { return m_cursor; }
    void SetCursor(int v) { m_cursor = v; }
    QString DataField() const { return m_dataField; }
    void SetDataField(const QString &v) { m_dataField = v; }
    TrpDataSet *DataSet() const { return m_dataSet; }
    // Stores the link and its UserName (empty for none).
    void SetDataSet(TrpDataSet *v);
    // The linked dataset's UserName, else the stored name.
    QString DataSetName() const;
    // Stores the name and relinks through FindGlobalDataSet; the old link
    // stays when nothing matches, none for an empty name.
    void SetDataSetName(const QString &v);
    TrpFrame *Frame() const { return m_frame.get(); }
    // The owned frame takes Value's settings.
    void SetFrame(const TrpFrame *v);
    QString TagStr() const { return m_tagStr; }
    void SetTagStr(const QString &v) { m_tagStr = v; }
    QString URL() const { return m_url; }
    void SetURL(const QString &v) { m_url = v; }

    // A dataset is linked and DataField is not empty.
    bool IsDataField() const;

    // --- drawing (state filled by BeginDraw)
    virtual void BeginDraw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY);
    virtual void DrawBackground();
    virtual void DrawFrame();
    // BeginDraw, DrawBackground, DrawFrame.
    void Draw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY) override;
    QRect PixelRect() const { return QRect(m_x, m_y, m_dx, m_dy); }
    int FrameWidthPixels() const { return m_frameWidth; }

    // --- output
    // The base behaviour, and keeps TagStr and URL.
    void BeforePrint() override;
    // Expands the bracketed expressions of TagStr and URL through the
    // report's Calc (its errors propagate).
    void GetData() override;
    // The base behaviour, and restores TagStr and URL.
    void AfterPrint() override;
    // The common items, then BrushStyle, Align, Color, the frame items,
    // Cursor, Printable, TagStr, URL where they differ from Def.
    QString Diff(const TrpComponent &def) const override;

protected:
    void notification(platform::Component *component, platform::Operation operation) override;
    // Every bracketed expression of Text replaced by its value as text;
    // inserted values are not expanded again.
    QString ExpandExpressions(const QString &text) const;

    // Drawing state.
    QPainter *m_canvas = nullptr;
    int m_x = 0, m_y = 0, m_x1 = 0, m_y1 = 0, m_dx = 0, m_dy = 0;
    int m_frameWidth = 0;
    double m_scaleX = 1, m_scaleY = 1, m_offsetX = 0, m_offsetY = 0;

private:
    void drawSide(int side, const TrpFrameLine &line);
    void drawShadow();
    QString frameDiff(const TrpFrame &def) const;

    TrpAlign m_align = baNone;
    TBrushStyle m_brushStyle = bsSolid;
    int m_color = clNone;
    int m_cursor = 0;
    QString m_dataField;
    TrpDataSet *m_dataSet = nullptr;
    QString m_dataSetName;
    std::unique_ptr<TrpFrame> m_frame;
    bool m_printable = true;
    TrpShiftMode m_shiftMode = smAlways;
    QString m_tagStr, m_savedTagStr, m_savedUrl, m_url;
};

} // namespace bralvo::report
