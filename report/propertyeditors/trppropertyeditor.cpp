// The base of the property editors.
#include "report/propertyeditors/trppropertyeditor.h"

#include "platform/persistent.h"
#include "report/model/trpcomponent.h"
#include "report/model/trpresources.h"

#include <QPainter>

namespace bralvo::report {

TrpPropertyEditor::TrpPropertyEditor(platform::Component *designer) : m_designer(designer) {}

bool TrpPropertyEditor::Edit()
{
    GetValues();
    if (m_values.isEmpty())
        return false;
    const qsizetype at = m_values.indexOf(GetValue());
    SetValue(m_values.at(at < 0 || at + 1 >= m_values.size() ? 0 : at + 1));
    return true;
}

QString TrpPropertyEditor::GetName() const
{
    return firstProp() ? firstProp()->name : QString();
}

void TrpPropertyEditor::GetValues()
{
    m_values.clear();
}

void TrpPropertyEditor::DrawListItem(QPainter &painter, int index, const QRect &rect)
{
    painter.fillRect(rect, painter.background());
    const QString text = index >= 0 && index < m_values.size() ? m_values.at(index) : QString();
    painter.drawText(rect.left() + ItemHeight + 4, rect.top() + 1 + painter.fontMetrics().ascent(), text);
    painter.setPen(QColor(0x80, 0x80, 0x80));
}

void TrpPropertyEditor::DrawValue(QPainter &painter, const QRect &rect)
{
    painter.drawText(rect.left() + ItemHeight - 2, rect.top() + painter.fontMetrics().ascent(), GetValue());
    painter.setPen(QColor(0x80, 0x80, 0x80));
}

void TrpPropertyEditor::AddObject(platform::Persistent *object, const platform::PropInfo *prop)
{
    m_objects.append(object);
    m_props.append(prop);
}

platform::Persistent *TrpPropertyEditor::firstObject() const
{
    return m_objects.value(0);
}

TrpComponent *TrpPropertyEditor::firstComponent() const
{
    return dynamic_cast<TrpComponent *>(firstObject());
}

const platform::PropInfo *TrpPropertyEditor::firstProp() const
{
    return m_props.value(0);
}

qint64 TrpPropertyEditor::ordValue() const
{
    return firstProp()->getOrd(*firstObject());
}

double TrpPropertyEditor::floatValue() const
{
    return firstProp()->getFloat(*firstObject());
}

QString TrpPropertyEditor::strValue() const
{
    return firstProp()->getString(*firstObject());
}

void TrpPropertyEditor::setOrdValue(qint64 value)
{
    for (int i = 0; i < m_objects.size(); ++i)
        if (m_props.at(i)->setOrd)
            m_props.at(i)->setOrd(*m_objects.at(i), value);
}

void TrpPropertyEditor::setFloatValue(double value)
{
    for (int i = 0; i < m_objects.size(); ++i)
        if (m_props.at(i)->setFloat)
            m_props.at(i)->setFloat(*m_objects.at(i), value);
}

void TrpPropertyEditor::setStrValue(const QString &value)
{
    for (int i = 0; i < m_objects.size(); ++i)
        if (m_props.at(i)->setString)
            m_props.at(i)->setString(*m_objects.at(i), value);
}

void TrpPropertyEditor::invalidProperty()
{
    throw platform::ConvertError(GetResources().Get(QStringLiteral("prInvProp")));
}

} // namespace bralvo::report
