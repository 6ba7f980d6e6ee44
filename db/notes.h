// Notes (poznamky): the notes window's save and load. Saving an existing
// name replaces its live row (retired when a bill uses it, else deleted).
#pragma once

#include "db/formfocus.h"

#include <QString>
#include <optional>

namespace bralvo::db {

struct NoteFormValues {
    QString name;          // eNazov (internal name)
    QString note;          // mPoznamka
    QString internalNote;  // mInternaPoznamka
};

// True when stored. False after a refused check (UI text 135, focus on
// eNazov) or a declined overwrite (137). One transaction; throws
// ESQLiteException (nothing written).
bool SaveNote(const NoteFormValues &form, FormFocus &focus);
std::optional<NoteFormValues> LoadNoteForm(const QString &name);

} // namespace bralvo::db
