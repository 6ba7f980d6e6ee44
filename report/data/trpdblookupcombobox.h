// A lookup combo box for report dialog pages: its items are the ListField
// values of a report dataset's records, its key the KeyField value of the
// chosen record. Field names may be the dataset's aliases.
#pragma once

#include "report/data/trpdbdataset.h"
#include "report/model/trpdialogpage.h"

namespace bralvo::report {

class TrpDBLookupComboBox : public TrpDialogControl {
    BRALVO_CLASS(TrpDBLookupComboBox)
public:
    // 145 x 21 pixels.
    explicit TrpDBLookupComboBox(platform::Component *owner);

    TrpDBDataset *DataSet() const { return m_dataSet; }
    // Also keeps the dataset's UserName as DataSetName.
    void SetDataSet(TrpDBDataset *value);
    // The linked dataset's current UserName, else the stored name.
    QString DataSetName() const;
    // Stores the name and looks the dataset up in the control's report.
    void SetDataSetName(const QString &value);
    // Read back as aliases; stored as the dataset's field names.
    QString KeyField() const;
    void SetKeyField(const QString &value);
    QString ListField() const;
    void SetListField(const QString &value);

    // The KeyField value of the chosen record; choosing an item of the
    // Qt combo sets it, setting it chooses the item.
    platform::Variant KeyValue() const { return m_keyValue; }
    void SetKeyValue(const platform::Variant &value);
    // The ListField text of the record whose KeyField holds KeyValue;
    // empty when none. The dataset's current record is kept.
    QString Text() const;
    // The ListField texts of all records, in order.
    QStringList Items() const;
    // Fills the Qt combo with Items again (the dataset is opened).
    void RefreshList();

    // Field aliases are resolved again and the list is filled.
    void BeforeStartReport() override;
    QString GetDescription() const override;

protected:
    void notification(platform::Component *component, platform::Operation operation) override;

private:
    data::TDataSet *openList() const;
    void showKeyValue();

    TrpDBDataset *m_dataSet = nullptr;
    QString m_dataSetName, m_keyField, m_listField;
    platform::Variant m_keyValue;
    QList<platform::Variant> m_keys;  // KeyField values of the combo's items
    bool m_filling = false;
};

} // namespace bralvo::report
