// Type editors: numbers, characters, strings, enumerations, sets,
// objects and components.
#include "report/propertyeditors/trptypeeditors.h"

#include "platform/component.h"
#include "platform/floattext.h"
#include "platform/persistent.h"
#include "platform/regionalsettings.h"
#include "report/model/trpcomponent.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"

namespace bralvo::report {

namespace {

[[noreturn]] void notAnInteger(const QString &text)
{
    throw platform::ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

qint64 parseInteger(const QString &text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok || v < INT_MIN || v > INT_MAX)
        notAnInteger(text);
    return v;
}

} // namespace

QString TrpIntegerProperty::GetValue() const
{
    return QString::number(ordValue());
}

void TrpIntegerProperty::SetValue(const QString &text)
{
    setOrdValue(parseInteger(text));
}

QString TrpFloatProperty::GetValue() const
{
    return platform::FloatToStr(floatValue(), platform::regionalSettings());
}

void TrpFloatProperty::SetValue(const QString &text)
{
    const platform::RegionalSettings &rs = platform::regionalSettings();
    QString t = text;
    t.replace(u',', rs.decimalSeparator).replace(u'.', rs.decimalSeparator);
    setFloatValue(platform::StrToFloat(t.trimmed(), rs));
}

QString TrpCharProperty::GetValue() const
{
    const qint64 code = ordValue();
    return code < 33 ? QStringLiteral("#") + QString::number(code) : QString(QChar(char16_t(code)));
}

void TrpCharProperty::SetValue(const QString &text)
{
    if (text.isEmpty())
        return setOrdValue(0);
    if (text.size() == 1)
        return setOrdValue(text.at(0).unicode());
    if (!text.startsWith(u'#') || text.size() > 256)
        invalidProperty();
    const qint64 code = parseInteger(text.mid(1));
    if (code < 0 || code > 0xFFFF)
        notAnInteger(text.mid(1));
    setOrdValue(code);
}

QString TrpStringProperty::GetValue() const
{
    return strValue();
}

void TrpStringProperty::SetValue(const QString &text)
{
    setStrValue(text);
}

QString TrpEnumProperty::GetValue() const
{
    return firstProp()->enumInfo->nameOf(ordValue());
}

void TrpEnumProperty::GetValues()
{
    TrpPropertyEditor::GetValues();
    for (const QString &n : firstProp()->enumInfo->names)
        addValue(n);
    sortValues();
}

void TrpEnumProperty::SetValue(const QString &text)
{
    const int v = firstProp()->enumInfo->valueOf(text.trimmed());
    if (v < 0)
        invalidProperty();
    setOrdValue(v);
}

QString TrpSetProperty::GetValue() const
{
    const qint64 mask = ordValue();
    QStringList members;
    for (int bit = 0; bit < 32; ++bit)
        if (mask & (qint64(1) << bit))
            members.append(firstProp()->enumInfo->nameOf(bit));
    return QLatin1Char('[') + members.join(QLatin1Char(',')) + QLatin1Char(']');
}

QString TrpSetElementProperty::GetName() const
{
    return firstProp()->enumInfo->nameOf(m_element);
}

QString TrpSetElementProperty::GetValue() const
{
    return (ordValue() & (qint64(1) << m_element)) ? QStringLiteral("True") : QStringLiteral("False");
}

void TrpSetElementProperty::GetValues()
{
    TrpPropertyEditor::GetValues();
    addValue(QStringLiteral("False"));
    addValue(QStringLiteral("True"));
}

void TrpSetElementProperty::SetValue(const QString &text)
{
    const qint64 bit = qint64(1) << m_element;
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        setOrdValue(ordValue() | bit);
    else if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        setOrdValue(ordValue() & ~bit);
    else
        invalidProperty();
}

QString TrpClassProperty::GetValue() const
{
    const platform::ClassInfo *cls = firstProp()->valueClass;
    return QLatin1Char('(') + (cls ? cls->name : QString()) + QLatin1Char(')');
}

QString TrpComponentProperty::GetValue() const
{
    auto *c = dynamic_cast<platform::Component *>(firstProp()->getObject(*firstObject()));
    return c ? c->name() : QString();
}

void TrpComponentProperty::GetValues()
{
    TrpPropertyEditor::GetValues();
    TrpComponent *self = firstComponent();
    if (!self)
        return;
    TrpComponent *root = self->Page() ? static_cast<TrpComponent *>(self->Page()) : self;
    for (TrpComponent *c : root->AllObjects())
        if (c != self && (!firstProp()->valueClass || c->classInfo().inheritsFrom(*firstProp()->valueClass)))
            addValue(c->name());
}

void TrpComponentProperty::SetValue(const QString &text)
{
    if (text.isEmpty()) {
        firstProp()->setObject(*firstObject(), nullptr);
        return;
    }
    TrpComponent *self = firstComponent();
    TrpComponent *found = self && self->Report() ? self->Report()->FindObject(text) : nullptr;
    if (!found)
        invalidProperty();
    firstProp()->setObject(*firstObject(), found);
}

} // namespace bralvo::report
