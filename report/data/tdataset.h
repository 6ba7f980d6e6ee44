// Datasets: the rows of a command walked by a cursor (First, Next, Eof
// ...). When the descendant can read its statement row by row (OpenCursor)
// a walk forward keeps only the current row; the rows are kept in memory
// once something needs them (Prior, Last, RecordCount, going back to a
// bookmark, Locate, a sort, an OnFilterRecord filter, a table model, a
// column whose type the first row leaves open).
// Bookmarks are row positions in fetch order, so they stay valid across
// sorting and across the switch to kept rows. Descendants say how rows
// are fetched (OpenCursor or RunCommand) and described (DescribeColumns);
// this class keeps the cursor, the local filter (OnFilterRecord), the
// sort, field objects and notifications.
// Datasets here only read: Edit, Insert, Post and Delete raise.
#pragma once

#include "platform/component.h"
#include "platform/handleregistry.h"
#include "platform/stringlist.h"
#include "report/data/rowcursor.h"
#include "report/data/rowset.h"
#include "report/data/tfield.h"
#include "report/data/tfielddefs.h"
#include "script/tscevents.h"

#include <functional>
#include <memory>
#include <vector>

namespace bralvo::data {

class TDataSet;

enum class DataChange { Opened, Closed, Scrolled };

// Told about opening, closing and moving (data sources, table models).
class DataSetObserver {
public:
    virtual ~DataSetObserver() = default;
    virtual void dataSetChanged(TDataSet *dataSet, DataChange change) = 0;
};

// Locate options (bit mask) and filter options.
enum : int { loCaseInsensitive = 1, loPartialKey = 2 };
enum : int { foCaseInsensitive = 1, foNoPartialCompare = 2 };

class TDataSet : public platform::Component, public platform::HandleTarget, public script::TscEventHost {
    BRALVO_CLASS(TDataSet)
public:
    using NotifyEvent = std::function<void(TDataSet *)>;
    using FilterRecordEvent = std::function<void(TDataSet *, bool &accept)>;
    using TBookmark = qint64; // 0: none; else the row's position + 1

    explicit TDataSet(platform::Component *owner = nullptr);
    ~TDataSet() override;
    QString scriptClassName() const override { return className(); }

    // --- state
    void Open();
    void Close();
    bool Active() const { return m_active; }
    void SetActive(bool on) { on ? Open() : Close(); }
    // Fetches the rows again and goes to the first.
    void Requery();
    // Lets a statement read half-way go, and the database locks it holds,
    // while the dataset stays on its record: moving on reads the statement
    // again up to there. Nothing when the rows are kept.
    void ReleaseStatement();

    // --- cursor
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    // 1-based position of the current record; 0 without one.
    int RecNo() const { return m_pos < 0 ? 0 : m_pos + 1; }
    int RecordCount();
    bool IsEmpty() const { return m_cursor ? m_pos < 0 : m_order.empty(); }
    bool FindFirst();
    bool FindLast();
    bool FindNext();
    bool FindPrior();

    // --- fields
    TFields *Fields() const { return m_fields.get(); }
    int FieldCount() const { return m_fields->Count(); }
    TField *FindField(const QString &name) const { return m_fields->FindField(name); }
    // Throws DataError "<name>: Field 'X' not found".
    TField *FieldByName(const QString &name) const;
    // The field names of an open dataset, else of the field definitions.
    void GetFieldNames(platform::StringList &list);
    TFieldDefs *FieldDefs() const { return m_fieldDefs.get(); }
    // The result's columns without fetching rows.
    virtual QList<ColumnInfo> DescribeColumns() = 0;

    // --- bookmarks
    virtual TBookmark GetBookmark() const;
    // Throws DataError "Record not found" for a row no longer visible.
    virtual void GotoBookmark(TBookmark bookmark);
    virtual void FreeBookmark(TBookmark) {}
    bool BookmarkValid(TBookmark bookmark);
    // -1, 0 or 1 by position; 0 when both are none.
    int CompareBookmarks(TBookmark a, TBookmark b) const;

    // Moves to the first record whose KeyFields ("A;B") hold KeyValues
    // (a variant array for several fields); false leaves the cursor.
    bool Locate(const QString &keyFields, const platform::Variant &keyValues, int options);

    // --- filter and sort
    // SQL condition around the command (descendants apply it); with
    // Filtered set, OnFilterRecord also runs for every fetched row.
    QString Filter() const { return m_filter; }
    void SetFilter(const QString &text);
    bool Filtered() const { return m_filtered; }
    void SetFiltered(bool on);
    int FilterOptions() const { return m_filterOptions; }
    void SetFilterOptions(int options) { m_filterOptions = options; }
    // "Field [ASC|DESC], ..." ordering the fetched rows; empty: fetch order.
    QString Sort() const { return m_sort; }
    void SetSort(const QString &text);

    // --- writes (all refused) and controls
    void Edit();
    void Insert();
    void Append();
    void Post();
    void Delete();
    void Cancel() {}
    void DisableControls() { ++m_disabled; }
    void EnableControls();
    bool ControlsDisabled() const { return m_disabled > 0; }

    void addObserver(DataSetObserver *observer);
    void removeObserver(DataSetObserver *observer);

    // --- what fields and models read
    const RowSet *CurrentRows() const { return m_rows.get(); }
    // The row of the current record in CurrentRows; -1 without one.
    int CurrentRowIndex() const { return m_currentRow; }
    // The cells of the current record; nullptr without one.
    const RowSet::Cell *CurrentCells() const { return m_currentCells; }
    // The row shown at a 0-based position (the rows are kept from then on).
    int RowAt(int position);

    NotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose, BeforeScroll, AfterScroll;
    NotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit, BeforePost, AfterPost;
    NotifyEvent BeforeCancel, AfterCancel, BeforeDelete, AfterDelete, OnCalcFields, OnNewRecord;
    FilterRecordEvent OnFilterRecord;

    // A script procedure bound to one of the events above (by name).
    void SetScriptEvent(const QString &eventName, script::TscCustomEvent *adapter) override;

protected:
    // All rows of the dataset's command, Filter already applied.
    virtual std::unique_ptr<RowSet> RunCommand() = 0;
    // The same rows one at a time; nullptr (the default) when the
    // descendant only has RunCommand.
    virtual std::unique_ptr<RowCursor> OpenCursor() { return nullptr; }
    // From here on every row is held in memory (the cursor's statement is
    // read again in full); the current record stays. Nothing when the rows
    // are already kept. A failure closes the dataset and is thrown.
    void KeepRows();
    // A descendant's check before opening (a connection, a command).
    virtual void CheckCanOpen() {}
    void notifyObservers(DataChange change);

private:
    std::unique_ptr<RowSet> startCursor(std::unique_ptr<RowCursor> cursor);
    bool needsAllRows() const;
    int moveForward(int distance);
    bool fetchNext();
    void restartCursor();
    void skipTo(int position);
    void resumeCursor();
    void buildFields();
    void applyLocalFilter();
    void applySort();
    void moveTo(int position);
    void reopenIfActive();

    std::unique_ptr<TFields> m_fields;
    std::unique_ptr<TFieldDefs> m_fieldDefs;
    std::unique_ptr<RowSet> m_rows;
    std::vector<int> m_order;
    // While rows are read one at a time: the statement, m_rows holding only
    // the current row, and how many rows were reached (bookmarks up to it
    // are valid).
    std::unique_ptr<RowCursor> m_cursor;
    int m_reached = 0;
    bool m_released = false; // the statement was let go at m_pos
    int m_pos = -1;
    int m_currentRow = -1;
    const RowSet::Cell *m_currentCells = nullptr;
    bool m_active = false, m_eof = true, m_bof = true;
    QString m_filter, m_sort;
    bool m_filtered = false;
    int m_filterOptions = 0;
    int m_disabled = 0;
    QList<DataSetObserver *> m_observers;
};

} // namespace bralvo::data
