// The graphics module: the colour constants (red in the lowest byte,
// green in the next, blue in the third; system colours are 0xFF000000
// plus the system colour index, so they are negative as 32-bit integers),
// font, pen and brush types, and the classes TFont, TPen, TBrush,
// TCanvas, TGraphic, TPicture, TMetafile, TMetafileCanvas and TBitmap
// over Qt images (a canvas draws into its bitmap's QImage).
#pragma once

#include "script/bindings/tscbindingsupport.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>

namespace bralvo::script {

// A colour value of scripts as a Qt colour: system colours through the
// palette of the running application (a fixed light palette without one);
// clNone and clDefault give a transparent colour.
QColor colorFromScript(qint64 value);
// The reverse for plain colours (no system colour comes back).
int colorToScript(const QColor &color);

class TscFontObject : public TscHostObject {
public:
    TscFontObject() : TscHostObject(QStringLiteral("TFont")) {}
    QString Name = QStringLiteral("Tahoma");
    int Size = 8;
    int Color = 0;
    int Style = 0; // TFontStyles bits
};

class TscPenObject : public TscHostObject {
public:
    TscPenObject() : TscHostObject(QStringLiteral("TPen")) {}
    int Color = 0;
    int Width = 1;
    int Style = 0;
};

class TscBrushObject : public TscHostObject {
public:
    TscBrushObject() : TscHostObject(QStringLiteral("TBrush")) {}
    int Color = 0xFFFFFF;
    int Style = 0;
};

// A canvas over an image: its own, the image of the graphic it is part of,
// or that of a graphic known by handle (a metafile canvas), which raises
// InvalidHandleError once that graphic is gone.
class TscCanvasObject : public TscHostObject {
public:
    explicit TscCanvasObject(QImage *image = nullptr);
    explicit TscCanvasObject(qint64 graphicHandle);
    QImage &Image();
    TscFontObject Font;
    TscPenObject Pen;
    TscBrushObject Brush;
    QPoint PenPos;

private:
    QImage m_own;
    QImage *m_image;
    qint64 m_graphicHandle = 0;
};

class TscGraphicObject : public TscHostObject {
public:
    explicit TscGraphicObject(const QString &className);
    QImage Image;
    TscCanvasObject Canvas;
    // The picture's size; set while a side is still 0, it is kept until
    // the picture can be made.
    QSize Size() const;
    void SetSize(const QSize &size);

private:
    QSize m_size;
};

class TscGraphicsModule : public TscBindingModule {
public:
    explicit TscGraphicsModule(TscScript &script);

private:
    void registerConstants();
    void registerTools();
    void registerCanvas();
    void registerGraphics();
};

} // namespace bralvo::script
