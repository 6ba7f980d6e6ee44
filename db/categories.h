// Item categories (kategorie_poloziek): the categories window's save and
// load. Category names are unique; a category is never retired.
#pragma once

#include "db/formfocus.h"

#include <QString>
#include <optional>

namespace bralvo::db {

struct CategoryFormValues {
    QString name;               // eNazov
    QString internalNote;       // mInternaPoznamka
    bool renameMode = false;    // chbPremenovat
    QString selectedCategory;   // lbKategorie selection ("" none)
};

// A new name is inserted; an existing one (after question 162) gets the
// note in place; in rename mode the selected category (after question
// 163) takes the name and keeps its id. False after a refused check (UI
// texts 161, 165, 164) or a declined question. One transaction; throws
// ESQLiteException (nothing written).
bool SaveCategory(const CategoryFormValues &form, FormFocus &focus);
// The category of that name (name and note only).
std::optional<CategoryFormValues> LoadCategoryForm(const QString &name);

} // namespace bralvo::db
