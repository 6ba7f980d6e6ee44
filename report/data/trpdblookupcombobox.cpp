#include "report/data/trpdblookupcombobox.h"

#include "report/model/trpreport.h"
#include "report/model/trpresources.h"

#include <QComboBox>

namespace bralvo::report {

using platform::Variant;

const platform::ClassInfo &TrpDBLookupComboBox::staticClass()
{
    using T = TrpDBLookupComboBox;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDBLookupComboBox", &TrpDialogControl::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("ListField", &T::ListField, &T::SetListField);
            b.reference<TrpDBDataset>("DataSet", &T::DataSet, &T::SetDataSet);
            b.string("DataSetName", &T::DataSetName, &T::SetDataSetName);
            b.string("KeyField", &T::KeyField, &T::SetKeyField);
publishDialogControlEvents(b);
        });
    return info;
}

TrpDBLookupComboBox::TrpDBLookupComboBox(platform::Component *owner) : TrpDialogControl(owner)
{
    SetWidth(145);
    SetHeight(21);
    if (!platformControlsAvailable())
        return;
    auto *combo = new QComboBox;
    AttachControl(combo);
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [this](int index) {
        if (!m_filling)
            m_keyValue = index >= 0 && index < m_keys.size() ? m_keys.at(index) : Variant::null();
    });
    // A choice is the combo's click.
    QObject::connect(combo, &QComboBox::activated, combo, [this] { guarded([this] { DoClick(false); }); });
}

QString TrpDBLookupComboBox::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obDBLookup"));
}

void TrpDBLookupComboBox::SetDataSet(TrpDBDataset *value)
{
    TrpDataSet *link = m_dataSet;
    SetLinkedDataSet(*this, link, m_dataSetName, value);
    m_dataSet = value;
}

QString TrpDBLookupComboBox::DataSetName() const
{
    return LinkedDataSetName(m_dataSet, m_dataSetName);
}

void TrpDBLookupComboBox::SetDataSetName(const QString &value)
{
    TrpDataSet *link = m_dataSet;
    SetLinkedDataSetName(*this, link, m_dataSetName, value, Report());
    m_dataSet = dynamic_cast<TrpDBDataset *>(link);
    // A dataset of another kind gives no list; the typed name stays.
    if (link && !m_dataSet)
        SetLinkedDataSet(*this, link, m_dataSetName, nullptr), m_dataSetName = value;
}

QString TrpDBLookupComboBox::KeyField() const
{
    return m_dataSet ? m_dataSet->FieldNameToAlias(m_keyField) : m_keyField;
}

void TrpDBLookupComboBox::SetKeyField(const QString &value)
{
    m_keyField = m_dataSet ? m_dataSet->AliasToFieldName(value) : value;
}

QString TrpDBLookupComboBox::ListField() const
{
    return m_dataSet ? m_dataSet->FieldNameToAlias(m_listField) : m_listField;
}

void TrpDBLookupComboBox::SetListField(const QString &value)
{
    m_listField = m_dataSet ? m_dataSet->AliasToFieldName(value) : value;
}

// Aliases are resolved again once the dataset is surely loaded.
void TrpDBLookupComboBox::BeforeStartReport()
{
    const QString key = KeyField(), list = ListField();
    SetKeyField(key);
    SetListField(list);
    RefreshList();
}

void TrpDBLookupComboBox::SetKeyValue(const Variant &value)
{
    m_keyValue = value;
    showKeyValue();
}

void TrpDBLookupComboBox::showKeyValue()
{
    auto *combo = qobject_cast<QComboBox *>(Control());
    if (!combo)
        return;
    int index = -1;
    for (int i = 0; i < m_keys.size() && index < 0; ++i) {
        if (!m_keyValue.isNull() && !m_keyValue.isEmpty() && m_keys.at(i).toString() == m_keyValue.toString())
            index = i;
    }
    m_filling = true;
    combo->setCurrentIndex(index);
    m_filling = false;
}

void TrpDBLookupComboBox::RefreshList()
{
    auto *combo = qobject_cast<QComboBox *>(Control());
    if (!combo)
        return;
    m_keys.clear();
    QStringList items;
    data::TDataSet *ds = openList();
    if (ds && !m_listField.isEmpty() && !m_keyField.isEmpty()) {
        const data::TDataSet::TBookmark saved = ds->GetBookmark();
        data::TField *list = ds->FieldByName(m_listField);
        data::TField *key = ds->FieldByName(m_keyField);
        for (ds->First(); !ds->Eof(); ds->Next()) {
            items.append(list->DisplayText());
            m_keys.append(key->Value());
        }
        if (saved)
            ds->GotoBookmark(saved);
    }
    m_filling = true;
    combo->clear();
    combo->addItems(items);
    m_filling = false;
    showKeyValue();
}

data::TDataSet *TrpDBLookupComboBox::openList() const
{
    data::TDataSet *ds = m_dataSet ? m_dataSet->EffectiveDataSet() : nullptr;
    if (ds && !ds->Active())
        ds->Open();
    return ds;
}

QString TrpDBLookupComboBox::Text() const
{
    data::TDataSet *ds = openList();
    if (!ds || m_keyValue.isNull() || m_keyValue.isEmpty() || m_listField.isEmpty())
        return QString();
    const data::TDataSet::TBookmark saved = ds->GetBookmark();
    QString text;
    if (ds->Locate(m_keyField, m_keyValue, 0))
        text = ds->FieldByName(m_listField)->DisplayText();
    if (saved)
        ds->GotoBookmark(saved);
    return text;
}

QStringList TrpDBLookupComboBox::Items() const
{
    data::TDataSet *ds = openList();
    if (!ds || m_listField.isEmpty())
        return {};
    const data::TDataSet::TBookmark saved = ds->GetBookmark();
    QStringList items;
    data::TField *field = ds->FieldByName(m_listField);
    for (ds->First(); !ds->Eof(); ds->Next())
        items.append(field->DisplayText());
    if (saved)
        ds->GotoBookmark(saved);
    return items;
}

void TrpDBLookupComboBox::notification(platform::Component *component, platform::Operation operation)
{
    TrpDialogControl::notification(component, operation);
    if (operation == platform::Operation::Remove && component == m_dataSet)
        m_dataSet = nullptr;
}

} // namespace bralvo::report
