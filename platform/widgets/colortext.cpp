// Reading and writing the "$00BBGGRR" colour texts of the settings.
#include "platform/widgets/colortext.h"

#include <QHash>

namespace bralvo::platform {

namespace {

QColor fromBgr(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

const QHash<QString, quint32> &namedColors()
{
    static const QHash<QString, quint32> names = {
        {"clblack", 0x000000},  {"clmaroon", 0x000080}, {"clgreen", 0x008000},
        {"clolive", 0x008080},  {"clnavy", 0x800000},   {"clpurple", 0x800080},
        {"clteal", 0x808000},   {"clgray", 0x808080},   {"clsilver", 0xC0C0C0},
        {"clred", 0x0000FF},    {"cllime", 0x00FF00},   {"clyellow", 0x00FFFF},
        {"clblue", 0xFF0000},   {"clfuchsia", 0xFF00FF}, {"claqua", 0xFFFF00},
        {"clwhite", 0xFFFFFF},  {"clcream", 0xF0FBFF},  {"clmoneygreen", 0xC0DCC0},
        {"clskyblue", 0xF0CAA6}, {"clmedgray", 0xA4A0A0},
    };
    return names;
}

} // namespace

std::optional<QColor> parseColorText(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    qint64 value = 0;
    if (t.startsWith(QLatin1Char('$')))
        value = t.mid(1).toLongLong(&ok, 16);
    else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = t.mid(2).toLongLong(&ok, 16);
    else
        value = t.toLongLong(&ok, 10);
    if (ok)
        return value >= 0 && value <= 0xFFFFFFFFLL ? std::optional(fromBgr(quint32(value)))
                                                    : std::nullopt;
    const auto it = namedColors().constFind(t.toLower());
    if (it == namedColors().constEnd())
        return std::nullopt;
    return fromBgr(*it);
}

QString colorToText(const QColor &color)
{
    const quint32 bgr = quint32(color.red()) | (quint32(color.green()) << 8) |
                        (quint32(color.blue()) << 16);
    return QStringLiteral("$%1").arg(bgr, 8, 16, QLatin1Char('0')).toUpper();
}

} // namespace bralvo::platform
