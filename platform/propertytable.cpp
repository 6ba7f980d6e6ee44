// Property lookup and the text form of property values.
#include "platform/propertytable.h"

#include "platform/persistent.h"

#include <QLocale>
#include <climits>

namespace bralvo::platform {

int EnumInfo::valueOf(const QString &name) const
{
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString EnumInfo::nameOf(qint64 ordinal) const
{
    return ordinal >= 0 && ordinal < names.size() ? names[int(ordinal)] : QString();
}

const EnumInfo &booleanEnum()
{
    static const EnumInfo info{QStringLiteral("Boolean"), {QStringLiteral("False"), QStringLiteral("True")}};
    return info;
}

bool PropInfo::isOrdinal() const
{
    return kind == PropKind::Integer || kind == PropKind::Int64 || kind == PropKind::Enumeration
        || kind == PropKind::Set;
}

bool PropInfo::hasSetter() const
{
    switch (kind) {
    case PropKind::Float:
        return bool(setFloat);
    case PropKind::String:
        return bool(setString);
    case PropKind::Variant:
        return bool(setVariant);
    case PropKind::Object:
    case PropKind::Reference:
        return bool(setObject);
    case PropKind::Method:
        return false;
    default:
        return bool(setOrd);
    }
}

const PropertyTable &propertiesOf(const Persistent &obj)
{
    return obj.classInfo().allProperties();
}

const PropInfo *findProperty(const Persistent &obj, const QString &name)
{
    return obj.classInfo().findProperty(name);
}

namespace {

QString setToText(const EnumInfo &info, qint64 mask)
{
    QStringList parts;
    for (int i = 0; i < info.names.size(); ++i) {
        if (mask & (qint64(1) << i))
            parts << info.names[i];
    }
    return u'[' + parts.join(u',') + u']';
}

qint64 textToSet(const EnumInfo &info, const QString &text)
{
    QString body = text.trimmed();
    if (body.startsWith(u'[') && body.endsWith(u']'))
        body = body.mid(1, body.size() - 2);
    qint64 mask = 0;
    for (const QString &part : body.split(u',', Qt::SkipEmptyParts)) {
        const int v = info.valueOf(part.trimmed());
        if (v < 0)
            throw ConvertError(QStringLiteral("Invalid property value: %1").arg(part.trimmed()));
        mask |= qint64(1) << v;
    }
    return mask;
}

qint64 textToInteger(const QString &text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok)
        throw ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

} // namespace

QString propertyText(const Persistent &obj, const PropInfo &prop)
{
    switch (prop.kind) {
    case PropKind::Integer:
    case PropKind::Int64:
        return QString::number(prop.getOrd(obj));
    case PropKind::Enumeration:
        return prop.enumInfo->nameOf(prop.getOrd(obj));
    case PropKind::Set:
        return setToText(*prop.enumInfo, prop.getOrd(obj));
    case PropKind::Float:
        return QString::number(prop.getFloat(obj), 'g', QLocale::FloatingPointShortest);
    case PropKind::String:
        return prop.getString(obj);
    case PropKind::Variant:
        return prop.getVariant(obj).toString();
    default:
        throw ClassLibError(QStringLiteral("Property %1 has no text form").arg(prop.name));
    }
}

void setPropertyText(Persistent &obj, const PropInfo &prop, const QString &text)
{
    if (!prop.hasSetter())
        throw ClassLibError(QStringLiteral("Property %1 is read-only").arg(prop.name));
    switch (prop.kind) {
    case PropKind::Integer:
    case PropKind::Int64:
        prop.setOrd(obj, textToInteger(text));
        return;
    case PropKind::Enumeration: {
        const int v = prop.enumInfo->valueOf(text.trimmed());
        if (v < 0)
            throw ConvertError(QStringLiteral("Invalid property value: %1").arg(text));
        prop.setOrd(obj, v);
        return;
    }
    case PropKind::Set:
        prop.setOrd(obj, textToSet(*prop.enumInfo, text));
        return;
    case PropKind::Float: {
        bool ok = false;
        QString t = text.trimmed();
        t.replace(u',', u'.');
        const double v = t.toDouble(&ok);
        if (!ok)
            throw ConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
        prop.setFloat(obj, v);
        return;
    }
    case PropKind::String:
        prop.setString(obj, text);
        return;
    case PropKind::Variant:
        prop.setVariant(obj, Variant(text));
        return;
    default:
        throw ClassLibError(QStringLiteral("Property %1 has no text form").arg(prop.name));
    }
}

Variant propertyValue(const Persistent &obj, const PropInfo &prop)
{
    switch (prop.kind) {
    case PropKind::Enumeration:
        if (prop.enumInfo == &booleanEnum())
            return Variant(prop.getOrd(obj) != 0);
        [[fallthrough]];
    case PropKind::Integer:
    case PropKind::Int64:
    case PropKind::Set: {
        const qint64 v = prop.getOrd(obj);
        return v >= INT_MIN && v <= INT_MAX ? Variant(int(v)) : Variant(v);
    }
    case PropKind::Float:
        return Variant(prop.getFloat(obj));
    case PropKind::String:
        return Variant(prop.getString(obj));
    case PropKind::Variant:
        return prop.getVariant(obj);
    default:
        throw ClassLibError(QStringLiteral("Property %1 has no simple value").arg(prop.name));
    }
}

void setPropertyValue(Persistent &obj, const PropInfo &prop, const Variant &value)
{
    if (!prop.hasSetter())
        throw ClassLibError(QStringLiteral("Property %1 is read-only").arg(prop.name));
    switch (prop.kind) {
    case PropKind::Enumeration:
        if (value.isString() && prop.enumInfo != &booleanEnum()) {
            setPropertyText(obj, prop, value.toString());
            return;
        }
        prop.setOrd(obj, prop.enumInfo == &booleanEnum() ? (value.toBool() ? 1 : 0) : value.toInt64());
        return;
    case PropKind::Integer:
    case PropKind::Int64:
    case PropKind::Set:
        prop.setOrd(obj, value.toInt64());
        return;
    case PropKind::Float:
        prop.setFloat(obj, value.toDouble());
        return;
    case PropKind::String:
        prop.setString(obj, value.toString());
        return;
    case PropKind::Variant:
        prop.setVariant(obj, value);
        return;
    default:
        throw ClassLibError(QStringLiteral("Property %1 has no simple value").arg(prop.name));
    }
}

} // namespace bralvo::platform
