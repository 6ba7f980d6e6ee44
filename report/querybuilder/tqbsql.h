// SQL text of a query model, and the stored form of the model: an INI
// text, packed by CompressString, kept inside the SQL text between
// "/*_QBMODEL" and "_QBEND*/".
#pragma once

#include "report/querybuilder/tqbmodel.h"

#include <QString>
#include <QStringList>

namespace bralvo::report {

class TqbEngine;

// SELECT, FROM, WHERE, GROUP BY and ORDER BY lines joined with CR LF, with
// CR LF after the last; empty when the model has no grid rows. Throws
// EqbError for a link or row naming an unknown operator, type or function.
QString GenerateSQL(const TqbModel &model);

// The INI text of the model with the checksum of sql (already generated).
QString ModelText(const TqbModel &model, const QString &sql);

// The model between the markers (line breaks dropped, spaces collapsed);
// a text without markers is taken whole; a text with only one marker, or
// with them in the wrong order, holds no model and gives "".
QString ExtractModel(const QString &text);
// text cut before the first "/*_QBMODEL" when both markers are present.
QString RemoveModel(const QString &text);
// True when text holds "/*_QBMODEL" and, after it, "_QBEND*/".
bool HasModelBlock(const QString &text);

// SQL text, "/*_QBMODEL", packed model, "_QBEND*/"; empty for an empty query.
QStringList SaveToStrings(const TqbModel &model);

enum class LoadOutcome {
    NoModel,        // no model block (a plain SQL text); the model is left empty
    Loaded,
    ChangedSql,     // checksum differs: the SQL was edited; model left empty
    StoppedAtTable, // a grid line names a missing table; the rest is kept
    Cleared,        // a section could not be read; the model is empty
};

// The message for LoadOutcome::ChangedSql.
QString ChangedSqlMessage();

// Replaces model by the one stored in text (an SQL text with a model
// block). Tables take their fields from engine; any error while reading
// the sections (the engine's included) empties the model (Cleared).
// Throws EqbError when the packed model is not Base64 or zlib data.
LoadOutcome LoadModel(TqbModel &model, TqbEngine &engine, const QString &text);

} // namespace bralvo::report
