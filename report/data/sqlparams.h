// Parameters in SQL text: ":name" outside quotes ('...', "...", `...`,
// [...]) and comments (-- to the line end, /* ... */); "::" (a type cast)
// is no parameter. A name used twice is one parameter.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace bralvo::data {

struct SqlParamUse {
    qsizetype position = 0; // of the ":"
    qsizetype length = 0;   // ":" and the name
    int index = 0;          // into names
};

struct ParsedSql {
    QString text;
    QStringList names;      // unique, in order of first use (case kept from the first use)
    QList<SqlParamUse> uses; // every occurrence in order

    // The text with each use replaced: "?NNN" (1-based index) or "?" alone.
    QString withNumberedMarks() const;
    QString withPlainMarks() const;
};

ParsedSql parseSqlParams(const QString &sql);
// The names alone (TParams.ParseSQL).
QStringList sqlParamNames(const QString &sql);

} // namespace bralvo::data
