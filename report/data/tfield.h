// Fields: the columns of an open dataset, reading the current record.
// A field's class follows its type (TIntegerField, TStringField, ...), so
// scripts can tell them apart; the behaviour is the same class's.
// Fields are made when the dataset opens and freed when it closes.
#pragma once

#include "platform/handleregistry.h"
#include "platform/persistent.h"
#include "platform/stream.h"
#include "report/data/tfieldtype.h"
#include "script/tscevents.h"

#include <QByteArray>
#include <functional>
#include <memory>
#include <vector>

namespace bralvo::data {

class TDataSet;

class TField : public platform::Persistent, public platform::HandleTarget, public script::TscEventHost {
    BRALVO_CLASS(TField)
public:
    using GetTextEvent = std::function<void(TField *sender, QString &text, bool displayText)>;

    TField(TDataSet *dataSet, int column, const QString &name, TFieldType type, int size);
    ~TField() override;
    QString scriptClassName() const override { return className(); }

    TDataSet *DataSet() const { return m_dataSet; }
    QString FieldName() const { return m_name; }
    QString DisplayName() const { return m_name; }
    TFieldType DataType() const { return m_type; }
    int Size() const { return m_size; }
    int FieldNo() const { return m_column + 1; }
    int Index() const { return m_column; }
    bool IsBlob() const { return isBlobType(m_type); }

    // The value of the current record by the field's type: Null for a
    // null cell or when the dataset has no current record.
    platform::Variant Value() const;
    bool IsNull() const;
    QString AsString() const;
    qint64 AsLargeInt() const;
    int AsInteger() const;
    double AsFloat() const;
    double AsCurrency() const;  // four decimals
    double AsDateTime() const;  // day count
    bool AsBoolean() const;
    QByteArray AsBytes() const;
    // The text a report shows: dates and numbers in the regional form,
    // Booleans True/False, memo text as it is, "(BLOB)" for binary data.
    QString DisplayText() const;
    int DisplayWidth() const;
    void SaveToStream(platform::Stream &stream) const;

    // Writes: every dataset here is read-only ("dataset is read-only").
    void SetValue(const platform::Variant &value);

    GetTextEvent OnGetText;
    // OnGetText bound to a script procedure.
    void SetScriptEvent(const QString &eventName, script::TscCustomEvent *adapter) override;

private:
    TDataSet *m_dataSet;
    int m_column;
    QString m_name;
    TFieldType m_type;
    int m_size;
};

// One class per kind, for scripts (no behaviour of their own).
#define BRALVO_FIELD_CLASS(Cls, Base)                                                        \
    class Cls : public Base {                                                                \
        BRALVO_CLASS(Cls)                                                                    \
    public:                                                                                  \
        using Base::Base;                                                                    \
    };
BRALVO_FIELD_CLASS(TStringField, TField)
BRALVO_FIELD_CLASS(TWideStringField, TStringField)
BRALVO_FIELD_CLASS(TNumericField, TField)
BRALVO_FIELD_CLASS(TIntegerField, TNumericField)
BRALVO_FIELD_CLASS(TSmallintField, TIntegerField)
BRALVO_FIELD_CLASS(TWordField, TIntegerField)
BRALVO_FIELD_CLASS(TAutoIncField, TIntegerField)
BRALVO_FIELD_CLASS(TLargeintField, TNumericField)
BRALVO_FIELD_CLASS(TFloatField, TNumericField)
BRALVO_FIELD_CLASS(TCurrencyField, TFloatField)
BRALVO_FIELD_CLASS(TBCDField, TNumericField)
BRALVO_FIELD_CLASS(TFMTBCDField, TNumericField)
BRALVO_FIELD_CLASS(TBooleanField, TField)
BRALVO_FIELD_CLASS(TDateTimeField, TField)
BRALVO_FIELD_CLASS(TDateField, TDateTimeField)
BRALVO_FIELD_CLASS(TTimeField, TDateTimeField)
BRALVO_FIELD_CLASS(TBinaryField, TField)
BRALVO_FIELD_CLASS(TBytesField, TBinaryField)
BRALVO_FIELD_CLASS(TVarBytesField, TBinaryField)
BRALVO_FIELD_CLASS(TBlobField, TField)
BRALVO_FIELD_CLASS(TMemoField, TBlobField)
BRALVO_FIELD_CLASS(TWideMemoField, TMemoField)
BRALVO_FIELD_CLASS(TGraphicField, TBlobField)
#undef BRALVO_FIELD_CLASS

// A new field of the class for Type.
std::unique_ptr<TField> createField(TDataSet *dataSet, int column, const QString &name, TFieldType type, int size);

// The fields of a dataset in column order.
class TFields : public platform::Persistent, public platform::HandleTarget {
    BRALVO_CLASS(TFields)
public:
    explicit TFields(TDataSet *dataSet) : m_dataSet(dataSet) {}
    QString scriptClassName() const override { return className(); }

    int Count() const { return int(m_fields.size()); }
    // Throws the list index error outside 0 .. Count - 1.
    TField *Fields(int index) const;
    // By name ignoring case; nullptr when none.
    TField *FindField(const QString &name) const;
    void add(std::unique_ptr<TField> field) { m_fields.push_back(std::move(field)); }
    void clear() { m_fields.clear(); }

private:
    TDataSet *m_dataSet;
    std::vector<std::unique_ptr<TField>> m_fields;
};

} // namespace bralvo::data
