// Named values of the property editors.
#include "report/propertyeditors/trpvaluenames.h"

namespace bralvo::report {

const QList<NamedValue> &ColorNames()
{
    static const QList<NamedValue> table = {
        {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
        {"clNavy", 0x800000}, {"clPurple", 0x800080}, {"clTeal", 0x808000}, {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF}, {"clLime", 0x00FF00}, {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000}, {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clWhite", 0xFFFFFF},
        {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF},
        {"clMedGray", 0xA4A0A0}, {"clScrollBar", -16777216}, {"clBackground", -16777215},
        {"clActiveCaption", -16777214}, {"clInactiveCaption", -16777213}, {"clMenu", -16777212},
        {"clWindow", -16777211}, {"clWindowFrame", -16777210}, {"clMenuText", -16777209},
        {"clWindowText", -16777208}, {"clCaptionText", -16777207}, {"clActiveBorder", -16777206},
        {"clInactiveBorder", -16777205}, {"clAppWorkSpace", -16777204}, {"clHighlight", -16777203},
        {"clHighlightText", -16777202}, {"clBtnFace", -16777201}, {"clBtnShadow", -16777200},
        {"clGrayText", -16777199}, {"clBtnText", -16777198}, {"clInactiveCaptionText", -16777197},
        {"clBtnHighlight", -16777196}, {"cl3DDkShadow", -16777195}, {"cl3DLight", -16777194},
        {"clInfoText", -16777193}, {"clInfoBk", -16777192}, {"clNone", 0x1FFFFFFF},
        {"clDefault", 0x20000000}};
    return table;
}

const QList<NamedValue> &CharsetNames()
{
    static const QList<NamedValue> table = {
        {"ANSI_CHARSET", 0}, {"DEFAULT_CHARSET", 1}, {"SYMBOL_CHARSET", 2}, {"MAC_CHARSET", 77},
        {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129}, {"JOHAB_CHARSET", 130},
        {"GB2312_CHARSET", 134}, {"CHINESEBIG5_CHARSET", 136}, {"GREEK_CHARSET", 161},
        {"TURKISH_CHARSET", 162}, {"VIETNAMESE_CHARSET", 163}, {"HEBREW_CHARSET", 177},
        {"ARABIC_CHARSET", 178}, {"BALTIC_CHARSET", 186}, {"RUSSIAN_CHARSET", 204},
        {"THAI_CHARSET", 222}, {"EASTEUROPE_CHARSET", 238}, {"OEM_CHARSET", 255}};
    return table;
}

const QList<NamedValue> &CursorNames()
{
    static const QList<NamedValue> table = {
        {"crDefault", 0}, {"crNone", -1}, {"crArrow", -2}, {"crCross", -3}, {"crIBeam", -4},
        {"crSizeNESW", -6}, {"crSizeNS", -7}, {"crSizeNWSE", -8}, {"crSizeWE", -9},
        {"crUpArrow", -10}, {"crHourGlass", -11}, {"crDrag", -12}, {"crNoDrop", -13},
        {"crHSplit", -14}, {"crVSplit", -15}, {"crMultiDrag", -16}, {"crSQLWait", -17},
        {"crNo", -18}, {"crAppStart", -19}, {"crHelp", -20}, {"crHandPoint", -21}, {"crSizeAll", -22}};
    return table;
}

const QStringList &ModalResultNames()
{
    static const QStringList names = {"mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore",
                                      "mrYes", "mrNo", "mrAll", "mrNoToAll", "mrYesToAll"};
    return names;
}

std::optional<QString> NameOf(const QList<NamedValue> &table, qint64 value)
{
    for (const NamedValue &v : table)
        if (v.value == value)
            return QString::fromLatin1(v.name);
    return std::nullopt;
}

std::optional<qint64> ValueOf(const QList<NamedValue> &table, const QString &name)
{
    for (const NamedValue &v : table)
        if (name.compare(QLatin1String(v.name), Qt::CaseInsensitive) == 0)
            return v.value;
    return std::nullopt;
}

QString ColorToText(qint64 color)
{
    if (const auto name = NameOf(ColorNames(), color))
        return *name;
    return QStringLiteral("$") + QString::number(quint32(color), 16).toUpper().rightJustified(8, u'0');
}

std::optional<qint64> TextToColor(const QString &text)
{
    if (const auto v = ValueOf(ColorNames(), text.trimmed()))
        return v;
    bool ok = false;
    const QString t = text.trimmed();
    const qint64 v = t.startsWith(u'$') ? qint64(qint32(t.mid(1).toUInt(&ok, 16))) : t.toInt(&ok);
    return ok ? std::optional<qint64>(v) : std::nullopt;
}

namespace {

QString keyName(int key)
{
    if (key >= 'A' && key <= 'Z')
        return QString(QChar(key));
    if (key >= 0x70 && key <= 0x7B)
        return QStringLiteral("F%1").arg(key - 0x6F);
    switch (key) {
    case 0x2D:
        return QStringLiteral("Ins");
    case 0x2E:
        return QStringLiteral("Del");
    case 0x08:
        return QStringLiteral("BkSp");
    default:
        return QString();
    }
}

} // namespace

QString ShortCutToText(int shortcut)
{
    const QString key = keyName(shortcut & 0xFF);
    if (key.isEmpty())
        return QString();
    QString text;
    if (shortcut & 0x2000)
        text += QStringLiteral("Shift+");
    if (shortcut & 0x4000)
        text += QStringLiteral("Ctrl+");
    if (shortcut & 0x8000)
        text += QStringLiteral("Alt+");
    return text + key;
}

int TextToShortCut(const QString &text)
{
    for (int sc : StandardShortCuts())
        if (ShortCutToText(sc).compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return sc;
    for (int mods : {0, 0x2000, 0x4000, 0x8000, 0x6000, 0xA000, 0xC000, 0xE000})
        for (int key = 8; key < 0x80; ++key)
            if (!keyName(key).isEmpty() && ShortCutToText(key | mods).compare(text.trimmed(), Qt::CaseInsensitive) == 0)
                return key | mods;
    return 0;
}

const QList<int> &StandardShortCuts()
{
    static const QList<int> list = [] {
        QList<int> l;
        for (int mods : {0x4000, 0xC000})
            for (int k = 'A'; k <= 'Z'; ++k)
                l.append(k | mods);
        for (int mods : {0, 0x4000, 0x2000, 0x6000})
            for (int k = 0x70; k <= 0x7B; ++k)
                l.append(k | mods);
        l += {0x2D, 0x2D | 0x2000, 0x2D | 0x4000, 0x2E, 0x2E | 0x2000, 0x2E | 0x4000, 0x08 | 0x8000,
              0x08 | 0x2000 | 0x8000};
        return l;
    }();
    return list;
}

} // namespace bralvo::report
