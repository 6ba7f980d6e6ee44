// The cursor and field reads of the database-bound report dataset.
#include "platform/stream.h"
#include "report/data/trpdbdataset.h"
#include "report/model/reporterror.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/twidestrings.h"

namespace bralvo::report {

using platform::Variant;

void TrpDBDataset::First()
{
    Open();
    if (!m_effective)
        return;
    if (RangeBegin() == rbCurrent && m_bookmark && m_effective->BookmarkValid(m_bookmark))
        m_effective->GotoBookmark(m_bookmark);
    else
        m_effective->First();
    m_rangeEnded = false;
    TrpCustomDBDataSet::First();
}

// With reCurrent the walk ends once the saved record has been shown:
// from the first record the dataset moves on until it reaches it.
void TrpDBDataset::Next()
{
    Open();
    m_rangeEnded = false;
    if (!m_effective)
        return;
    if (RangeEnd() == reCurrent && m_effective->GetBookmark() == m_bookmark) {
        m_rangeEnded = true;
        return;
    }
    m_effective->Next();
    TrpCustomDBDataSet::Next();
}

void TrpDBDataset::Prior()
{
    Open();
    if (m_effective)
        m_effective->Prior();
    TrpCustomDBDataSet::Prior();
}

bool TrpDBDataset::Eof()
{
    Open();
    // The base's own answer counts for reCount and OnCheckEOF; on its own
    // it would end every other walk at once.
    bool eof = false;
    if (RangeEnd() == reCount)
        eof = TrpCustomDBDataSet::Eof();
    else if (OnCheckEOF)
        OnCheckEOF(this, eof);
    return eof || !m_effective || !m_effective->Active() || m_effective->Eof() || m_rangeEnded;
}

int TrpDBDataset::RecordCount()
{
    return m_effective && m_effective->Active() ? m_effective->RecordCount() : 0;
}

QString TrpDBDataset::quotedName(const QString &fieldName) const
{
    return UserName() + QStringLiteral(".\"") + fieldName + u'"';
}

void TrpDBDataset::addNotFound(const QString &fieldName)
{
    const QString text = GetResources().Get(QStringLiteral("dbFldNotFound")) + u' ' + quotedName(fieldName);
    if (TrpReport *report = Report()) {
        const QString who = report->CurrentObjectName();
        report->ErrorList().add(who.isEmpty() ? text : who + QStringLiteral(": ") + text);
    }
}

data::TField *TrpDBDataset::listedField(const QString &fieldName, bool &listed)
{
    platform::StringList &list = FieldList();
    list.setCaseSensitive(false);
    const int i = list.indexOf(fieldName);
    listed = i >= 0;
    return listed ? static_cast<data::TField *>(list.object(i)) : nullptr;
}

QString TrpDBDataset::DisplayText(const QString &fieldName)
{
    Open();
    if (!m_effective || !m_effective->Active())
        return quotedName(fieldName);
    if (FieldList().isEmpty())
        return m_effective->FieldByName(fieldName)->DisplayText();
    bool listed = false;
    data::TField *field = listedField(fieldName, listed);
    if (!listed) {
        addNotFound(fieldName);
        return GetResources().Get(QStringLiteral("dbFldNotFound")) + u' ' + quotedName(fieldName);
    }
    // An alias of a field the dataset does not have reads as empty.
    return field ? field->DisplayText() : QString();
}

Variant TrpDBDataset::Value(const QString &fieldName)
{
    Open();
    bool listed = false;
    data::TField *field = listedField(fieldName, listed);
    if (!listed) {
        addNotFound(fieldName);
        return Variant::null();
    }
    if (!field || field->IsNull())
        return Variant::null();
    if (field->DataType() == data::ftFMTBcd)
        return Variant::fromCurrency(field->AsFloat());
    return field->Value();
}

int TrpDBDataset::DisplayWidth(const QString &fieldName)
{
    if (!m_effective)
        return 10;
    const QString name = AliasToFieldName(fieldName);
    if (data::TField *field = m_effective->FindField(name))
        return field->DisplayWidth();
    try {
        data::TFieldDefs *defs = m_effective->FieldDefs();
        if (!defs->Updated())
            defs->Update();
        const int i = defs->IndexOf(name);
        if (i < 0)
            return 10;
        const data::TFieldDef *def = defs->Items(i);
        if (def->DataType == data::ftString || def->DataType == data::ftWideString)
            return def->Size;
        if (data::isDateType(def->DataType))
            return 20;
        return def->DataType == data::ftLargeint ? 15 : 10;
    } catch (const bralvo::Error &) {
        return 10;
    }
}

// Text columns are text whatever their kind (memos included).
TrpFieldType TrpDBDataset::FieldType(const QString &fieldName)
{
    data::TField *field = m_effective ? m_effective->FindField(AliasToFieldName(fieldName)) : nullptr;
    if (!field && m_effective) {
        try {
            data::TFieldDefs *defs = m_effective->FieldDefs();
            if (!defs->Updated())
                defs->Update();
            const int i = defs->IndexOf(AliasToFieldName(fieldName));
            if (i >= 0)
                return data::isTextType(defs->Items(i)->DataType) ? fftString
                       : defs->Items(i)->DataType == data::ftBoolean ? fftBoolean : fftNumeric;
        } catch (const bralvo::Error &) {
        }
        return fftNumeric;
    }
    if (!field)
        return fftNumeric;
    if (data::isTextType(field->DataType()))
        return fftString;
    return field->DataType() == data::ftBoolean ? fftBoolean : fftNumeric;
}

bool TrpDBDataset::IsBlobField(const QString &fieldName)
{
    Open();
    bool listed = false;
    data::TField *field = listedField(fieldName, listed);
    return field && field->IsBlob();
}

void TrpDBDataset::CopyBlobTo(const QString &fieldName, platform::Persistent *target)
{
    Open();
    platform::StringList &list = FieldList();
    list.setCaseSensitive(false);
    const int i = list.indexOf(fieldName);
    auto *field = static_cast<data::TField *>(list.object(i)); // a missing name: the list's index error
    if (!field || !field->IsBlob())
        return;
    if (auto *lines = dynamic_cast<TWideStrings *>(target)) {
        lines->SetText(data::isTextType(field->DataType()) ? field->AsString() : QString::fromUtf8(field->AsBytes()));
    } else if (auto *stream = dynamic_cast<platform::Stream *>(target)) {
        field->SaveToStream(*stream);
        stream->seek(0);
    }
}

void TrpDBDataset::GetFieldList(platform::StringList &list)
{
    list.clear();
    platform::StringList *aliases = FieldAliases();
    if (aliases->count() > 0) {
        for (int i = 0; i < aliases->count(); ++i) {
            const QString &line = aliases->at(i);
            const qsizetype eq = line.indexOf(u'=');
            const QString fieldPart = eq < 0 ? line : line.left(eq);
            if (!fieldPart.startsWith(u'-'))
                list.add(eq < 0 ? line : line.mid(eq + 1));
        }
        return;
    }
    if (!m_effective)
        return;
    try {
        m_effective->GetFieldNames(list);
    } catch (const bralvo::Error &) {
    }
}

} // namespace bralvo::report
