#include "report/data/tdataset.h"

#include "report/data/dataerror.h"
#include "report/data/tdatasetevents.h"

namespace bralvo::data {

const platform::ClassInfo &TDataSet::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TDataSet", &platform::Component::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

TDataSet::TDataSet(platform::Component *owner)
    : platform::Component(owner), m_fields(std::make_unique<TFields>(this)),
      m_fieldDefs(std::make_unique<TFieldDefs>(this))
{
}

TDataSet::~TDataSet()
{
    m_fields->clear();
}

void TDataSet::SetScriptEvent(const QString &eventName, script::TscCustomEvent *adapter)
{
    script::TscEventHost::SetScriptEvent(eventName, adapter);
    const QString name = eventName;
    if (name.compare(QLatin1String("OnFilterRecord"), Qt::CaseInsensitive) == 0) {
        OnFilterRecord = adapter ? FilterRecordEvent([this, name](TDataSet *ds, bool &accept) {
            if (auto *e = ScriptEventAs<TscFilterRecordEvent>(name))
                e->Call(ds, accept);
        }) : nullptr;
        return;
    }
    const QList<QPair<const char *, NotifyEvent TDataSet::*>> events = {
        {"BeforeOpen", &TDataSet::BeforeOpen},     {"AfterOpen", &TDataSet::AfterOpen},
        {"BeforeClose", &TDataSet::BeforeClose},   {"AfterClose", &TDataSet::AfterClose},
        {"BeforeInsert", &TDataSet::BeforeInsert}, {"AfterInsert", &TDataSet::AfterInsert},
        {"BeforeEdit", &TDataSet::BeforeEdit},     {"AfterEdit", &TDataSet::AfterEdit},
        {"BeforePost", &TDataSet::BeforePost},     {"AfterPost", &TDataSet::AfterPost},
        {"BeforeCancel", &TDataSet::BeforeCancel}, {"AfterCancel", &TDataSet::AfterCancel},
        {"BeforeDelete", &TDataSet::BeforeDelete}, {"AfterDelete", &TDataSet::AfterDelete},
        {"BeforeScroll", &TDataSet::BeforeScroll}, {"AfterScroll", &TDataSet::AfterScroll},
        {"OnCalcFields", &TDataSet::OnCalcFields}, {"OnNewRecord", &TDataSet::OnNewRecord}};
    for (const auto &e : events) {
        if (name.compare(QLatin1String(e.first), Qt::CaseInsensitive) != 0)
            continue;
        this->*(e.second) = adapter ? NotifyEvent([this, name](TDataSet *ds) {
            if (auto *a = ScriptEventAs<TscDatasetNotifyEvent>(name))
                a->Call(ds);
        }) : nullptr;
    }
}

void TDataSet::Open()
{
    if (m_active)
        return;
    CheckCanOpen();
    if (BeforeOpen)
        BeforeOpen(this);
    std::unique_ptr<RowCursor> cursor = OpenCursor();
    m_rows = cursor ? startCursor(std::move(cursor)) : RunCommand();
    m_active = true;
    buildFields();
    try {
        if (!m_cursor) {
            applyLocalFilter();
            applySort();
        }
    } catch (...) {
        m_active = false;
        m_fields->clear();
        m_cursor.reset();
        moveTo(-1);
        m_rows.reset();
        m_order.clear();
        throw;
    }
    const bool empty = m_cursor ? m_rows->rowCount() == 0 : m_order.empty();
    moveTo(empty ? -1 : 0);
    m_bof = true;
    m_eof = empty;
    if (AfterOpen)
        AfterOpen(this);
    notifyObservers(DataChange::Opened);
}

void TDataSet::Close()
{
    if (!m_active)
        return;
    if (BeforeClose)
        BeforeClose(this);
    m_active = false;
    m_fields->clear();
    m_cursor.reset();
    m_rows.reset();
    m_order.clear();
    moveTo(-1);
    m_eof = m_bof = true;
    if (AfterClose)
        AfterClose(this);
    notifyObservers(DataChange::Closed);
}

void TDataSet::Requery()
{
    Close();
    Open();
}

void TDataSet::reopenIfActive()
{
    if (m_active)
        Requery();
}

void TDataSet::buildFields()
{
    m_fields->clear();
    m_fieldDefs->Clear();
    for (int c = 0; c < m_rows->columnCount(); ++c) {
        const ColumnInfo &info = m_rows->columns().at(c);
        m_fields->add(createField(this, c, info.name, info.type, info.size));
        m_fieldDefs->Add(info.name, info.type, info.size, info.required);
    }
    m_fieldDefs->SetUpdated(true);
}

// OnFilterRecord sees each fetched row as the current record.
void TDataSet::applyLocalFilter()
{
    m_order.clear();
    m_order.reserve(size_t(m_rows->rowCount()));
    const bool useHandler = m_filtered && OnFilterRecord;
    for (int r = 0; r < m_rows->rowCount(); ++r) {
        m_order.push_back(r);
        if (!useHandler)
            continue;
        moveTo(int(m_order.size()) - 1);
        bool accept = true;
        OnFilterRecord(this, accept);
        if (!accept)
            m_order.pop_back();
    }
    moveTo(-1);
}

void TDataSet::moveTo(int position)
{
    m_pos = position;
    if (position < 0)
        m_currentRow = -1;
    else
        m_currentRow = m_cursor ? 0 : m_order[size_t(position)];
    m_currentCells = m_currentRow < 0 ? nullptr : m_rows->row(m_currentRow);
}

void TDataSet::First()
{
    if (!m_active)
        throw DataError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (BeforeScroll)
        BeforeScroll(this);
    if (m_cursor)
        restartCursor();
    else
        moveTo(m_order.empty() ? -1 : 0);
    m_bof = true;
    m_eof = IsEmpty();
    if (AfterScroll)
        AfterScroll(this);
    notifyObservers(DataChange::Scrolled);
}

void TDataSet::Last()
{
    if (!m_active)
        throw DataError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    KeepRows();
    if (BeforeScroll)
        BeforeScroll(this);
    moveTo(int(m_order.size()) - 1);
    m_eof = true;
    m_bof = m_order.empty();
    if (AfterScroll)
        AfterScroll(this);
    notifyObservers(DataChange::Scrolled);
}

int TDataSet::MoveBy(int distance)
{
    if (!m_active)
        throw DataError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (m_cursor && distance > 0)
        return moveForward(distance);
    if (distance < 0)
        KeepRows();
    if (m_order.empty() || distance == 0)
        return 0;
    if (BeforeScroll)
        BeforeScroll(this);
    const int last = int(m_order.size()) - 1;
    const int target = std::clamp(m_pos + distance, 0, last);
    const int moved = target - m_pos;
    m_eof = distance > 0 && m_pos + distance > last;
    m_bof = distance < 0 && m_pos + distance < 0;
    moveTo(target);
    if (moved != 0) {
        if (AfterScroll)
            AfterScroll(this);
        notifyObservers(DataChange::Scrolled);
    }
    return moved;
}

void TDataSet::Next()
{
    MoveBy(1);
}

void TDataSet::Prior()
{
    MoveBy(-1);
}

bool TDataSet::FindFirst()
{
    First();
    return !IsEmpty();
}

bool TDataSet::FindLast()
{
    Last();
    return !IsEmpty();
}

bool TDataSet::FindNext()
{
    return MoveBy(1) != 0;
}

bool TDataSet::FindPrior()
{
    return MoveBy(-1) != 0;
}

TField *TDataSet::FieldByName(const QString &name) const
{
    if (TField *f = m_fields->FindField(name))
        return f;
    const QString prefix = this->name().isEmpty() ? QString() : this->name() + QStringLiteral(": ");
    throw DataError(prefix + QStringLiteral("Field '%1' not found").arg(name));
}

void TDataSet::GetFieldNames(platform::StringList &list)
{
    list.clear();
    if (m_active) {
        for (int i = 0; i < m_fields->Count(); ++i)
            list.add(m_fields->Fields(i)->FieldName());
        return;
    }
    if (!m_fieldDefs->Updated())
        m_fieldDefs->Update();
    for (int i = 0; i < m_fieldDefs->Count(); ++i)
        list.add(m_fieldDefs->Items(i)->Name);
}

TDataSet::TBookmark TDataSet::GetBookmark() const
{
    if (m_cursor)
        return m_pos < 0 ? 0 : TBookmark(m_pos) + 1;
    const int row = CurrentRowIndex();
    return row < 0 ? 0 : TBookmark(row) + 1;
}

void TDataSet::GotoBookmark(TBookmark bookmark)
{
    // A record ahead is reached by reading on; one behind needs the rows.
    if (m_cursor && bookmark > 0 && bookmark <= m_reached && bookmark - 1 >= m_pos) {
        if (BeforeScroll)
            BeforeScroll(this);
        skipTo(int(bookmark - 1));
        m_eof = m_bof = false;
        if (AfterScroll)
            AfterScroll(this);
        notifyObservers(DataChange::Scrolled);
        return;
    }
    KeepRows();
    const auto it = std::find(m_order.begin(), m_order.end(), int(bookmark - 1));
    if (bookmark <= 0 || it == m_order.end())
        throw DataError(QStringLiteral("Record not found"));
    if (BeforeScroll)
        BeforeScroll(this);
    moveTo(int(it - m_order.begin()));
    m_eof = m_bof = false;
    if (AfterScroll)
        AfterScroll(this);
    notifyObservers(DataChange::Scrolled);
}

bool TDataSet::BookmarkValid(TBookmark bookmark)
{
    if (m_cursor && bookmark > 0 && bookmark <= m_reached)
        return true;
    if (bookmark > 0)
        KeepRows(); // a row not reached yet may exist
    return bookmark > 0 && std::find(m_order.begin(), m_order.end(), int(bookmark - 1)) != m_order.end();
}

int TDataSet::CompareBookmarks(TBookmark a, TBookmark b) const
{
    if (a == b)
        return 0;
    if (a <= 0 || b <= 0)
        return a <= 0 ? -1 : 1;
    if (m_cursor)
        return a < b ? -1 : 1;
    const auto pa = std::find(m_order.begin(), m_order.end(), int(a - 1));
    const auto pb = std::find(m_order.begin(), m_order.end(), int(b - 1));
    return pa < pb ? -1 : 1;
}

void TDataSet::SetFilter(const QString &text)
{
    if (text == m_filter)
        return;
    m_filter = text;
    if (m_filtered)
        reopenIfActive();
}

void TDataSet::SetFiltered(bool on)
{
    if (on == m_filtered)
        return;
    m_filtered = on;
    reopenIfActive();
}

void TDataSet::SetSort(const QString &text)
{
    m_sort = text;
    if (!m_active)
        return;
    KeepRows();
    const int row = CurrentRowIndex();
    applyLocalFilter();
    applySort();
    const auto it = std::find(m_order.begin(), m_order.end(), row);
    moveTo(it == m_order.end() ? (m_order.empty() ? -1 : 0) : int(it - m_order.begin()));
    notifyObservers(DataChange::Opened);
}

namespace {
[[noreturn]] void readOnly()
{
    throw DataError(QStringLiteral("dataset is read-only"));
}
} // namespace

void TDataSet::Edit() { readOnly(); }
void TDataSet::Insert() { readOnly(); }
void TDataSet::Append() { readOnly(); }
void TDataSet::Post() { readOnly(); }
void TDataSet::Delete() { readOnly(); }

void TDataSet::EnableControls()
{
    if (m_disabled > 0 && --m_disabled == 0 && m_active)
        notifyObservers(DataChange::Scrolled);
}

void TDataSet::addObserver(DataSetObserver *observer)
{
    if (!m_observers.contains(observer))
        m_observers.append(observer);
}

void TDataSet::removeObserver(DataSetObserver *observer)
{
    m_observers.removeAll(observer);
}

void TDataSet::notifyObservers(DataChange change)
{
    if (m_disabled > 0 && change == DataChange::Scrolled)
        return;
    const QList<DataSetObserver *> observers = m_observers;
    for (DataSetObserver *o : observers)
        if (m_observers.contains(o))
            o->dataSetChanged(this, change);
}

} // namespace bralvo::data
