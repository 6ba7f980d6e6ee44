// The graphics module.
#include "script/bindings/tscgraphicsmodule.h"

#include "script/tscclassvariable.h"
#include "script/tscscript.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

namespace bralvo::script {

namespace {

struct NamedColor {
    const char *name;
    quint32 value;
};

// The platform's colour table, in its order.
const NamedColor kColors[] = {
    {"clBlack", 0x000000},           {"clMaroon", 0x000080},          {"clGreen", 0x008000},
    {"clOlive", 0x008080},           {"clNavy", 0x800000},            {"clPurple", 0x800080},
    {"clTeal", 0x808000},            {"clGray", 0x808080},            {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},             {"clLime", 0x00FF00},            {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},            {"clFuchsia", 0xFF00FF},         {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},           {"clMoneyGreen", 0xC0DCC0},      {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},           {"clMedGray", 0xA4A0A0},         {"clActiveBorder", 0xFF00000A},
    {"clActiveCaption", 0xFF000002}, {"clAppWorkSpace", 0xFF00000C},  {"clBackground", 0xFF000001},
    {"clBtnFace", 0xFF00000F},       {"clBtnHighlight", 0xFF000014},  {"clBtnShadow", 0xFF000010},
    {"clBtnText", 0xFF000012},       {"clCaptionText", 0xFF000009},   {"clDefault", 0x20000000},
    {"clGradientActiveCaption", 0xFF00001B},                          {"clGradientInactiveCaption", 0xFF00001C},
    {"clGrayText", 0xFF000011},      {"clHighlight", 0xFF00000D},     {"clHighlightText", 0xFF00000E},
    {"clHotLight", 0xFF00001A},      {"clInactiveBorder", 0xFF00000B}, {"clInactiveCaption", 0xFF000003},
    {"clInactiveCaptionText", 0xFF000013},                            {"clInfoBk", 0xFF000018},
    {"clInfoText", 0xFF000017},      {"clMenu", 0xFF000004},          {"clMenuBar", 0xFF00001E},
    {"clMenuHighlight", 0xFF00001D}, {"clMenuText", 0xFF000007},      {"clNone", 0x1FFFFFFF},
    {"clScrollBar", 0xFF000000},     {"cl3DDkShadow", 0xFF000015},    {"cl3DLight", 0xFF000016},
    {"clWindow", 0xFF000005},        {"clWindowFrame", 0xFF000006},   {"clWindowText", 0xFF000008},
};

QColor systemColor(int index)
{
    const QPalette palette = QGuiApplication::instance() ? QGuiApplication::palette() : QPalette(Qt::lightGray);
    switch (index) {
    case 5: return palette.color(QPalette::Base);             // window
    case 8: case 18: case 7: case 9: return palette.color(QPalette::WindowText);
    case 13: return palette.color(QPalette::Highlight);
    case 14: return palette.color(QPalette::HighlightedText);
    case 17: return palette.color(QPalette::PlaceholderText);
    case 16: case 21: return palette.color(QPalette::Dark);
    case 20: case 22: return palette.color(QPalette::Light);
    case 23: return palette.color(QPalette::ToolTipText);
    case 24: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::Button);          // button face and the rest
    }
}

TscFontObject &fontOf(platform::HandleTarget *obj)
{
    return self<TscFontObject>(obj);
}
TscCanvasObject &canvasOf(platform::HandleTarget *obj)
{
    return self<TscCanvasObject>(obj);
}

QFont qtFont(const TscFontObject &font)
{
    QFont f(font.Name);
    f.setPointSize(std::max(1, font.Size));
    f.setBold(font.Style & 1);
    f.setItalic(font.Style & 2);
    f.setUnderline(font.Style & 4);
    f.setStrikeOut(font.Style & 8);
    return f;
}

// Sets up a painter on the canvas's image with its pen, brush and font.
void prepare(QPainter &painter, TscCanvasObject &canvas)
{
    QPen pen(colorFromScript(canvas.Pen.Color), canvas.Pen.Width);
    if (canvas.Pen.Style == 5)
        pen.setStyle(Qt::NoPen);
    painter.setPen(pen);
    painter.setBrush(canvas.Brush.Style == 1 ? QBrush(Qt::NoBrush) : QBrush(colorFromScript(canvas.Brush.Color)));
    painter.setFont(qtFont(canvas.Font));
}

template <class Draw>
Variant paint(platform::HandleTarget *obj, Draw draw)
{
    TscCanvasObject &canvas = canvasOf(obj);
    if (canvas.Image().isNull())
        return Variant::null();
    QPainter painter(&canvas.Image());
    prepare(painter, canvas);
    draw(painter, canvas);
    return Variant::null();
}

void addIntProperty(TscClassVariable &cls, const char *name, std::function<int &(platform::HandleTarget *)> field)
{
    cls.AddProperty(QString::fromLatin1(name), QStringLiteral("Integer"),
                    getter([field](auto *obj) { return Variant(field(obj)); }),
                    setter([field](auto *obj, const Variant &v) { field(obj) = v.toInt(); }));
}

} // namespace

QColor colorFromScript(qint64 value)
{
    const quint32 v = quint32(value);
    if (v == 0x1FFFFFFF || v == 0x20000000)
        return QColor(Qt::transparent);
    if ((v & 0xFF000000u) == 0xFF000000u)
        return systemColor(int(v & 0xFF));
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

int colorToScript(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

TscCanvasObject::TscCanvasObject(QImage *image) : TscHostObject(QStringLiteral("TCanvas")), m_image(image ? image : &m_own)
{
}

TscCanvasObject::TscCanvasObject(qint64 graphicHandle)
    : TscHostObject(QStringLiteral("TCanvas")), m_image(&m_own), m_graphicHandle(graphicHandle)
{
}

QImage &TscCanvasObject::Image()
{
    if (m_graphicHandle != 0) {
        auto *graphic = platform::HandleRegistry::objectAs<TscGraphicObject>(m_graphicHandle);
        if (graphic)
            return graphic->Image;
    }
    return *m_image;
}

TscGraphicObject::TscGraphicObject(const QString &className) : TscHostObject(className), Canvas(&Image)
{
}

QSize TscGraphicObject::Size() const
{
    return Image.isNull() ? m_size : Image.size();
}

// An empty side keeps the other: a bitmap sized one side at a time gets
// its picture once both are set, white as a new bitmap is.
void TscGraphicObject::SetSize(const QSize &size)
{
    m_size = size;
    if (size.isEmpty()) {
        Image = QImage();
        return;
    }
    QImage grown(size, QImage::Format_ARGB32);
    grown.fill(Qt::white);
    QPainter(&grown).drawImage(0, 0, Image);
    Image = grown;
}

TscGraphicsModule::TscGraphicsModule(TscScript &script) : TscBindingModule(script)
{
    registerConstants();
    registerTools();
    registerCanvas();
    registerGraphics();
}

void TscGraphicsModule::registerConstants()
{
    TscScript &s = TargetScript;
    for (const NamedColor &c : kColors)
        s.AddConst(QString::fromLatin1(c.name), QStringLiteral("Integer"), Variant(qint32(c.value)));
    s.AddEnumSet(QStringLiteral("TFontStyles"), QStringLiteral("fsBold, fsItalic, fsUnderline, fsStrikeout"));
    s.AddEnum(QStringLiteral("TFontPitch"), QStringLiteral("fpDefault, fpVariable, fpFixed"));
    s.AddEnum(QStringLiteral("TPenStyle"),
              QStringLiteral("psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame"));
    s.AddEnum(QStringLiteral("TPenMode"),
              QStringLiteral("pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, "
                             "pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor"));
    s.AddEnum(QStringLiteral("TBrushStyle"), QStringLiteral("bsSolid, bsClear, bsHorizontal, bsVertical, "
                                                            "bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross"));
}

void TscGraphicsModule::registerTools()
{
    TscScript &s = TargetScript;
    if (TscClassVariable *cls = s.AddClass(QStringLiteral("TFont"), QStringLiteral("TPersistent"))) {
        cls->AddConstructor(QStringLiteral("constructor Create"), member([this](auto *, TscMethodHelper &) {
                                return Variant(adopt(std::make_unique<TscFontObject>()));
                            }));
        cls->AddProperty(QStringLiteral("Name"), QStringLiteral("String"),
                         getter([](auto *obj) { return Variant(fontOf(obj).Name); }),
                         setter([](auto *obj, const Variant &v) { fontOf(obj).Name = v.toString(); }));
        addIntProperty(*cls, "Size", [](auto *obj) -> int & { return fontOf(obj).Size; });
        addIntProperty(*cls, "Color", [](auto *obj) -> int & { return fontOf(obj).Color; });
        cls->AddProperty(QStringLiteral("Style"), QStringLiteral("TFontStyles"),
                         getter([](auto *obj) { return Variant(fontOf(obj).Style); }),
                         setter([](auto *obj, const Variant &v) { fontOf(obj).Style = v.toInt(); }));
    }
    if (TscClassVariable *cls = s.AddClass(QStringLiteral("TPen"), QStringLiteral("TPersistent"))) {
        cls->AddConstructor(QStringLiteral("constructor Create"), member([this](auto *, TscMethodHelper &) {
                                return Variant(adopt(std::make_unique<TscPenObject>()));
                            }));
        addIntProperty(*cls, "Color", [](auto *obj) -> int & { return self<TscPenObject>(obj).Color; });
        addIntProperty(*cls, "Width", [](auto *obj) -> int & { return self<TscPenObject>(obj).Width; });
        addIntProperty(*cls, "Style", [](auto *obj) -> int & { return self<TscPenObject>(obj).Style; });
    }
    if (TscClassVariable *cls = s.AddClass(QStringLiteral("TBrush"), QStringLiteral("TPersistent"))) {
        cls->AddConstructor(QStringLiteral("constructor Create"), member([this](auto *, TscMethodHelper &) {
                                return Variant(adopt(std::make_unique<TscBrushObject>()));
                            }));
        addIntProperty(*cls, "Color", [](auto *obj) -> int & { return self<TscBrushObject>(obj).Color; });
        addIntProperty(*cls, "Style", [](auto *obj) -> int & { return self<TscBrushObject>(obj).Style; });
    }
}

void TscGraphicsModule::registerCanvas()
{
    TscClassVariable *cls = TargetScript.AddClass(QStringLiteral("TCanvas"), QStringLiteral("TPersistent"));
    if (!cls)
        return;
    cls->AddConstructor(QStringLiteral("constructor Create"), member([this](auto *, TscMethodHelper &) {
                            return Variant(adopt(std::make_unique<TscCanvasObject>()));
                        }));
    cls->AddMethod(QStringLiteral("procedure Draw(X, Y: Integer; Graphic: TGraphic)"),
                   member([](auto *obj, TscMethodHelper &h) {
                       auto *graphic = objectArg<TscGraphicObject>(arg(h, 2));
                       return paint(obj, [&](QPainter &p, auto &) {
                           if (graphic)
                               p.drawImage(QPoint(intArg(h, 0), intArg(h, 1)), graphic->Image);
                       });
                   }));
    cls->AddMethod(QStringLiteral("procedure Ellipse(X1, Y1, X2, Y2: Integer)"), member([](auto *obj, TscMethodHelper &h) {
        return paint(obj, [&](QPainter &p, auto &) {
            p.drawEllipse(QRect(QPoint(intArg(h, 0), intArg(h, 1)), QPoint(intArg(h, 2) - 1, intArg(h, 3) - 1)));
        });
    }));
    cls->AddMethod(QStringLiteral("procedure LineTo(X, Y: Integer)"), member([](auto *obj, TscMethodHelper &h) {
        return paint(obj, [&](QPainter &p, TscCanvasObject &c) {
            const QPoint to(intArg(h, 0), intArg(h, 1));
            p.drawLine(c.PenPos, to);
            c.PenPos = to;
        });
    }));
    cls->AddMethod(QStringLiteral("procedure MoveTo(X, Y: Integer)"), member([](auto *obj, TscMethodHelper &h) {
        canvasOf(obj).PenPos = QPoint(intArg(h, 0), intArg(h, 1));
        return Variant::null();
    }));
    cls->AddMethod(QStringLiteral("procedure Rectangle(X1, Y1, X2, Y2: Integer)"),
                   member([](auto *obj, TscMethodHelper &h) {
                       return paint(obj, [&](QPainter &p, auto &) {
                           p.drawRect(QRect(QPoint(intArg(h, 0), intArg(h, 1)),
                                            QPoint(intArg(h, 2) - 1, intArg(h, 3) - 1)));
                       });
                   }));
    cls->AddMethod(QStringLiteral("procedure RoundRect(X1, Y1, X2, Y2, X3, Y3: Integer)"),
                   member([](auto *obj, TscMethodHelper &h) {
                       return paint(obj, [&](QPainter &p, auto &) {
                           p.drawRoundedRect(QRect(QPoint(intArg(h, 0), intArg(h, 1)),
                                                   QPoint(intArg(h, 2) - 1, intArg(h, 3) - 1)),
                                             intArg(h, 4) / 2.0, intArg(h, 5) / 2.0);
                       });
                   }));
    cls->AddMethod(QStringLiteral("procedure StretchDraw(X1, Y1, X2, Y2: Integer; Graphic: TGraphic)"),
                   member([](auto *obj, TscMethodHelper &h) {
                       auto *graphic = objectArg<TscGraphicObject>(arg(h, 4));
                       return paint(obj, [&](QPainter &p, auto &) {
                           if (graphic)
                               p.drawImage(QRect(QPoint(intArg(h, 0), intArg(h, 1)),
                                                 QPoint(intArg(h, 2) - 1, intArg(h, 3) - 1)),
                                           graphic->Image);
                       });
                   }));
    cls->AddMethod(QStringLiteral("function TextHeight(const Text: string): Integer"),
                   member([](auto *obj, TscMethodHelper &) {
                       return Variant(QFontMetrics(qtFont(canvasOf(obj).Font)).height());
                   }));
    cls->AddMethod(QStringLiteral("procedure TextOut(X, Y: Integer; const Text: string)"),
                   member([](auto *obj, TscMethodHelper &h) {
                       return paint(obj, [&](QPainter &p, TscCanvasObject &c) {
                           p.setPen(colorFromScript(c.Font.Color));
                           const QFontMetrics metrics(p.font());
                           p.drawText(QPoint(intArg(h, 0), intArg(h, 1) + metrics.ascent()), textArg(h, 2));
                       });
                   }));
    cls->AddMethod(QStringLiteral("function TextWidth(const Text: string): Integer"),
                   member([](auto *obj, TscMethodHelper &h) {
                       return Variant(QFontMetrics(qtFont(canvasOf(obj).Font)).horizontalAdvance(textArg(h, 0)));
                   }));
    cls->AddIndexProperty(
        QStringLiteral("Pixels"), QStringLiteral("Integer, Integer"), QStringLiteral("TColor"),
        indexed(
            [](auto *obj, TscMethodHelper &h) {
                const QImage &image = canvasOf(obj).Image();
                const QPoint at(intArg(h, 0), intArg(h, 1));
                return Variant(image.valid(at) ? colorToScript(image.pixelColor(at)) : -1);
            },
            [](auto *obj, TscMethodHelper &h) {
                QImage &image = canvasOf(obj).Image();
                const QPoint at(intArg(h, 0), intArg(h, 1));
                if (image.valid(at))
                    image.setPixelColor(at, colorFromScript(arg(h, 2).toInt64()));
            }));
    cls->AddProperty(QStringLiteral("Font"), QStringLiteral("TFont"),
                     getter([](auto *obj) { return handleValue(&canvasOf(obj).Font); }));
    cls->AddProperty(QStringLiteral("Pen"), QStringLiteral("TPen"),
                     getter([](auto *obj) { return handleValue(&canvasOf(obj).Pen); }));
    cls->AddProperty(QStringLiteral("Brush"), QStringLiteral("TBrush"),
                     getter([](auto *obj) { return handleValue(&canvasOf(obj).Brush); }));
}

void TscGraphicsModule::registerGraphics()
{
    TscScript &s = TargetScript;
    const auto image = [](platform::HandleTarget *obj) -> QImage & { return self<TscGraphicObject>(obj).Image; };
    const auto size = [](bool width) {
        return getter([width](auto *obj) {
            const QSize s = self<TscGraphicObject>(obj).Size();
            return Variant(width ? s.width() : s.height());
        });
    };
    const auto resize = [](bool width) {
        return setter([width](auto *obj, const Variant &v) {
            TscGraphicObject &graphic = self<TscGraphicObject>(obj);
            QSize target = graphic.Size();
            (width ? target.rwidth() : target.rheight()) = std::max(0, v.toInt());
            graphic.SetSize(target);
        });
    };
    const auto load = member([image](auto *obj, TscMethodHelper &h) {
        QImage loaded;
        if (!loaded.load(textArg(h, 0)))
            throw platform::StreamError(QStringLiteral("Cannot open file \"%1\"").arg(textArg(h, 0)));
        image(obj) = loaded.convertToFormat(QImage::Format_ARGB32);
        return Variant::null();
    });
    const auto save = member([image](auto *obj, TscMethodHelper &h) {
        if (!image(obj).save(textArg(h, 0)))
            throw platform::StreamError(QStringLiteral("Cannot create file \"%1\"").arg(textArg(h, 0)));
        return Variant::null();
    });
    for (const char *name : {"TGraphic", "TPicture"}) {
        const bool graphic = name[1] == 'G';
        TscClassVariable *cls = s.AddClass(QString::fromLatin1(name), QStringLiteral("TPersistent"));
        if (!cls)
            continue;
        if (graphic)
            cls->AddConstructor(QStringLiteral("constructor Create"), member([this](auto *, TscMethodHelper &h) {
                                    return Variant(adopt(std::make_unique<TscGraphicObject>(
                                        constructedClass(h, QStringLiteral("TGraphic")))));
                                }));
        cls->AddMethod(QStringLiteral("procedure LoadFromFile(const Filename: string)"), load);
        cls->AddMethod(QStringLiteral("procedure SaveToFile(const Filename: string)"), save);
        cls->AddProperty(QStringLiteral("Height"), QStringLiteral("Integer"), size(false),
                         graphic ? resize(false) : TscSetterCallback());
        cls->AddProperty(QStringLiteral("Width"), QStringLiteral("Integer"), size(true),
                         graphic ? resize(true) : TscSetterCallback());
    }
    s.AddClass(QStringLiteral("TMetafile"), QStringLiteral("TGraphic"));
    if (TscClassVariable *cls = s.AddClass(QStringLiteral("TMetafileCanvas"), QStringLiteral("TCanvas")))
        cls->AddConstructor(QStringLiteral("constructor Create(AMetafile: TMetafile; ReferenceDevice: Integer)"),
                            member([this](auto *, TscMethodHelper &h) {
                                auto *metafile = objectArg<TscGraphicObject>(arg(h, 0));
                                if (!metafile)
                                    return Variant(adopt(std::make_unique<TscCanvasObject>()));
                                return Variant(adopt(std::make_unique<TscCanvasObject>(metafile->handle())));
                            }));
    if (TscClassVariable *cls = s.AddClass(QStringLiteral("TBitmap"), QStringLiteral("TGraphic")))
        cls->AddProperty(QStringLiteral("Canvas"), QStringLiteral("TCanvas"),
                         getter([](auto *obj) { return handleValue(&self<TscGraphicObject>(obj).Canvas); }));
}

} // namespace bralvo::script
