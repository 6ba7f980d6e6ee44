// Report datasets: objects that walk records with First/Next/Eof and
// answer field values by name. TrpDataSet is the protocol and carries
// the record cursor the engine drives; TrpUserDataSet has no data of its
// own (its row count comes from RangeEnd = reCount and RangeEndCount, its
// values from OnGetValue); TrpCustomDBDataSet and TrpCustomDatabase are
// the bases of database-bound components. Every dataset of the process
// is registered in one global list through which names are resolved; a
// report lists the datasets it uses in TrpReportDataSets.
//
// Cursor (RangeEnd = reCount, N = RangeEndCount): a walk (First, then
// while not Eof: one row and Next) visits RecNo 0 .. N-1 and ends with
// RecNo = N-1; N = 0 is at its end at once.
#pragma once

#include "platform/collection.h"
#include "platform/stringlist.h"
#include "platform/variant.h"
#include "report/model/trpcomponent.h"

#include <QMutex>
#include <functional>
#include <memory>

namespace bralvo::report {

class TrpReport;

enum TrpRangeBegin : int { rbFirst = 0, rbCurrent = 1 };
enum TrpRangeEnd : int { reLast = 0, reCurrent = 1, reCount = 2 };
enum TrpFieldType : int { fftNumeric = 0, fftString = 1, fftBoolean = 2 };

const platform::EnumInfo &rangeBeginEnum();
const platform::EnumInfo &rangeEndEnum();

// Locale-aware comparison ignoring case, as names of datasets, fields
// and variables are compared.
bool SameNameText(const QString &a, const QString &b);

class TrpDialogComponent : public TrpReportComponent {
    BRALVO_CLASS(TrpDialogComponent)
public:
    // Width and height 28; not kept in preview.
    explicit TrpDialogComponent(platform::Component *owner);
    void Draw(QPainter &, double, double, double, double) override {}
    // Inside a report: "pLeft" and "pTop", Left and Top rounded to whole
    // pixels, written with the object and read back into Left and Top.
    void defineProperties(platform::PropertyFiler &filer) override;
};

class TrpDataSet : public TrpDialogComponent {
    BRALVO_CLASS(TrpDataSet)
public:
    using NotifyEvent = std::function<void(TrpDataSet *sender)>;
    using CheckEofEvent = std::function<void(TrpDataSet *sender, bool &eof)>;

    // Joins the process-wide dataset list; leaves it when destroyed.
    explicit TrpDataSet(platform::Component *owner);
    ~TrpDataSet() override;

    // --- persistent properties
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool v) { m_enabled = v; }
    TrpRangeBegin RangeBegin() const { return m_rangeBegin; }
    void SetRangeBegin(TrpRangeBegin v) { m_rangeBegin = v; }
    TrpRangeEnd RangeEnd() const { return m_rangeEnd; }
    void SetRangeEnd(TrpRangeEnd v) { m_rangeEnd = v; }
    int RangeEndCount() const { return m_rangeEndCount; }
    void SetRangeEndCount(int v) { m_rangeEndCount = v; }
    QString UserName() const { return m_userName; }
    // Throws ReportError with the library text "prInvProp" when Value is
    // blank; stores Value as given (blanks kept) otherwise.
    virtual void SetUserName(const QString &value);
    // The name is taken first; only a rename that succeeded moves a
    // UserName that was empty or equal to the old name along.
    void setName(const QString &name) override;

    // --- host events (never stored)
    CheckEofEvent OnCheckEOF;
    NotifyEvent OnFirst, OnNext, OnPrior;

    // --- run-time state
    // The current record, 0-based.
    int RecNo() const { return m_recNo; }
    void SetRecNo(int v) { m_recNo = v; }
    // The report using the dataset (set by TrpReportDataSets::Initialize);
    // before that, the report the dataset sits in, if any.
    TrpReport *Report() const { return m_report ? m_report : TrpDialogComponent::Report(); }
    void SetReport(TrpReport *r) { m_report = r; }

    // --- the protocol (base behaviour in brackets)
    virtual QString DisplayText(const QString &fieldName);           // empty
    virtual int DisplayWidth(const QString &fieldName);              // 10
    virtual TrpFieldType FieldType(const QString &fieldName);        // fftNumeric
    virtual platform::Variant Value(const QString &fieldName);       // Null
    virtual void Initialize() {}                                     // start of a run
    virtual void Finalize() {}                                       // end of a run
    virtual void Open();                                             // fires OnOpen
    virtual void Close();                                            // fires OnClose
    // RecNo 0, past-end cleared, OnFirst.
    virtual void First();
    // RecNo + 1; with reCount a step onto RangeEndCount stays on the
    // last record and marks the end (OnNext is then not fired).
    virtual void Next();
    // RecNo - 1, OnPrior.
    virtual void Prior();
    // With reCount: RecNo >= RangeEndCount or past the end. Otherwise
    // only OnCheckEOF can end a walk; without that handler nothing could,
    // so the walk is over at once instead of running for ever. OnCheckEOF
    // may change the answer in every case.
    virtual bool Eof();
    virtual int FieldsCount() { return 0; }
    virtual bool IsBlobField(const QString &fieldName) { return false; }
    // RangeEndCount when RangeBegin = rbFirst and RangeEnd = reCount, else 0.
    virtual int RecordCount();
    // Memo and picture objects load a blob field's content this way.
    virtual void CopyBlobTo(const QString &fieldName, platform::Persistent *target) {}
    // Clears List (the base knows no fields).
    virtual void GetFieldList(platform::StringList &list);
    // Whether GetFieldList names FieldName (ignoring case).
    bool HasField(const QString &fieldName);

    NotifyEvent OnOpen, OnClose;

private:
    bool m_enabled = true;
    TrpRangeBegin m_rangeBegin = rbFirst;
    TrpRangeEnd m_rangeEnd = reLast;
    int m_rangeEndCount = 0;
    QString m_userName;
    int m_recNo = 0;
    bool m_pastEnd = false;
    TrpReport *m_report = nullptr;
};

// The dataset of the program's windows: no data of its own; values come
// from OnGetValue, rows from RangeEnd = reCount and RangeEndCount.
class TrpUserDataSet : public TrpDataSet {
    BRALVO_CLASS(TrpUserDataSet)
public:
    using GetValueEvent = std::function<void(const QString &varName, platform::Variant &value)>;

    explicit TrpUserDataSet(platform::Component *owner);
    ~TrpUserDataSet() override;

    platform::StringList *Fields() const { return m_fields.get(); }
    // Copies the lines.
    void SetFields(const platform::StringList *v);
    GetValueEvent OnGetValue;

    // Null, then whatever OnGetValue makes of it.
    platform::Variant Value(const QString &fieldName) override;
    // Empty without OnGetValue; else the value as text (Null: empty).
    QString DisplayText(const QString &fieldName) override;
    int FieldsCount() override { return m_fields->count(); }
    void GetFieldList(platform::StringList &list) override;

private:
    std::unique_ptr<platform::StringList> m_fields;
};

// The base of datasets bound to a database component.
class TrpCustomDBDataSet : public TrpDataSet {
    BRALVO_CLASS(TrpCustomDBDataSet)
public:
    explicit TrpCustomDBDataSet(platform::Component *owner);
    ~TrpCustomDBDataSet() override;

    bool CloseDataSource() const { return m_closeDataSource; }
    void SetCloseDataSource(bool v) { m_closeDataSource = v; }
    // Lines "field=alias"; assignment copies.
    platform::StringList *FieldAliases() const { return m_fieldAliases.get(); }
    void SetFieldAliases(const platform::StringList *v);
    bool OpenDataSource() const { return m_openDataSource; }
    void SetOpenDataSource(bool v) { m_openDataSource = v; }

    // The number of entries GetFieldList produces.
    int FieldsCount() override;
    // The field of the first line whose alias equals Alias (ignoring
    // case, locale-aware); Alias itself when none.
    QString AliasToFieldName(const QString &alias) const;
    // The alias of the first line whose field equals FieldName; FieldName
    // itself when none.
    QString FieldNameToAlias(const QString &fieldName) const;

protected:
    // Sorted, no duplicates; for the descendants' own use.
    platform::StringList &FieldList() { return m_fieldList; }

private:
    bool m_closeDataSource = false;
    std::unique_ptr<platform::StringList> m_fieldAliases;
    bool m_openDataSource = true;
    platform::StringList m_fieldList;
};

// The base of database connection components; descendants publish
// DatabaseName, LoginPrompt and Connected over these operations.
class TrpCustomDatabase : public TrpDialogComponent {
    BRALVO_CLASS(TrpCustomDatabase)
public:
    explicit TrpCustomDatabase(platform::Component *owner) : TrpDialogComponent(owner) {}

    virtual void SetConnected(bool) {}
    virtual void SetDatabaseName(const QString &) {}
    virtual void SetLoginPrompt(bool) {}
    virtual void SetParams(const QString &) {}
    virtual bool Connected() const { return false; }
    virtual QString DatabaseName() const { return QString(); }
    virtual bool LoginPrompt() const { return false; }
    virtual int ParamsCount() const { return 0; }
    virtual void SetLogin(const QString &user, const QString &password) {}
    // Fires the report's OnBeforeConnect when the database sits in a
    // report that has one.
    void DoBeforeConnect(bool &connected);
};

// The process-wide list of datasets with its own lock. Every dataset
// joins it at construction and leaves at destruction.
class TrpGlobalDataSetList {
public:
    static TrpGlobalDataSetList &instance();
    void Lock() { m_lock.lock(); }
    void Unlock() { m_lock.unlock(); }
    // Only under Lock.
    const QList<TrpDataSet *> &List() const { return m_list; }

private:
    friend class TrpDataSet;
    QRecursiveMutex m_lock;
    QList<TrpDataSet *> m_list;
};

// A copy of the list, in creation order.
QList<TrpDataSet *> globalDataSets();
// 1. Empty Name: nullptr. No Owner: Current unchanged.
// 2. The first registered dataset whose UserName equals Name (ignoring
//    case), skipping datasets owned by another report than Owner.
// 3. Current when nothing matches.
TrpDataSet *FindGlobalDataSet(TrpDataSet *current, const QString &name, const platform::Component *owner);

// The dataset link that views, data bands and report pages share: `link`
// is watched for removal on behalf of `owner`, and `name` keeps the typed
// name while no dataset of that name exists.
void SetLinkedDataSet(platform::Component &owner, TrpDataSet *&link, QString &name, TrpDataSet *v);
void SetLinkedDataSetName(platform::Component &owner, TrpDataSet *&link, QString &name,
                          const QString &v, const platform::Component *report);
inline QString LinkedDataSetName(const TrpDataSet *link, const QString &name)
{
    return link ? link->UserName() : name;
}

class TrpDataSetItem : public platform::CollectionItem {
    BRALVO_CLASS(TrpDataSetItem)
public:
    explicit TrpDataSetItem(platform::Collection *collection = nullptr) : platform::CollectionItem(collection) {}

    TrpDataSet *DataSet() const { return m_dataSet; }
    // Also stores the dataset's UserName (empty for none).
    void SetDataSet(TrpDataSet *ds);
    // The linked dataset's current UserName, else the stored name.
    QString DataSetName() const;
    // Stores the name and resolves it (FindGlobalDataSet).
    void SetDataSetName(const QString &name);
    void assign(const platform::Persistent &source) override;

private:
    TrpDataSet *m_dataSet = nullptr;
    QString m_dataSetName;
};

class TrpReportDataSets : public platform::Collection {
    BRALVO_CLASS(TrpReportDataSets)
public:
    explicit TrpReportDataSets(TrpReport *report = nullptr);

    TrpReport *Report() const { return m_report; }
    TrpDataSetItem *Items(int index) const { return static_cast<TrpDataSetItem *>(item(index)); }
    TrpDataSetItem *Add(TrpDataSet *ds);
    // The item holding exactly that dataset; nullptr when none.
    TrpDataSetItem *Find(const TrpDataSet *ds) const;
    // The first item whose dataset's UserName equals Name ignoring case.
    TrpDataSetItem *FindByName(const QString &name) const;
    // In item order: each dataset learns the report, then Initialize.
    void Initialize();
    void Finalize();

private:
    TrpReport *m_report;
};

} // namespace bralvo::report
