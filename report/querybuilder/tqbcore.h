// The builder's process-wide core: the current engine, the model being
// edited and the query text in its two forms, the full text (SQL with the
// model block) and the SQL part and model part a host stores apart.
#pragma once

#include "report/querybuilder/tqbsql.h"

#include <QString>
#include <QStringList>

namespace bralvo::report {

class TqbEngine;
class TqbCore;

// The core, created on first call; it lives until the process ends.
TqbCore &qbCore();

class TqbCore {
public:
    TqbCore(const TqbCore &) = delete;
    TqbCore &operator=(const TqbCore &) = delete;

    // Throws EqbError "qbCore.Engine not assigned" when none is set.
    TqbEngine &Engine() const;
    void SetEngine(TqbEngine *engine); // not owned; nullptr clears it

    TqbModel &Model() { return m_model; }

    // Empties the model (rows, links, tables).
    void Clear();
    // SQL of the model; also becomes the full text.
    QString GenerateSQL();
    // See bralvo::report::SaveToStrings.
    QStringList SaveToStrings() const;
    // Writes SaveToStrings with CR LF after every item; a failed write
    // leaves the old file and throws EqbError.
    void SaveToFile(const QString &fileName) const;
    // Loads the model from an SQL text with a model block (see LoadModel).
    LoadOutcome LoadFromStrings(const QStringList &list);
    // Throws EqbError when the file cannot be read.
    LoadOutcome LoadFromFile(const QString &fileName);

    // The full text, without the model block unless SchemaInsideSQL.
    QString SQL() const;
    // Takes the SQL part and, when value has a model block, its model; a
    // plain SQL text leaves the model part empty. The full text becomes
    // SQL part + "/*_QBMODEL" CR LF + model + CR LF + "_QBEND*/", or the SQL
    // part alone while the model part is empty.
    void SetSQL(const QString &value);
    // The model part when the schema is kept apart, else "".
    QString SQLSchema() const;
    // A value without markers is taken whole as the model.
    void SetSQLSchema(const QString &value);
    bool SchemaInsideSQL() const { return m_schemaInsideSQL; }
    // The full text as it stands: what the designer window loads and
    // replaces on OK.
    QString FullText() const { return m_fullText; }
    void SetFullText(const QString &value) { m_fullText = value; }
    void SetSchemaInsideSQL(bool value);

private:
    friend TqbCore &qbCore();
    TqbCore() = default;
    void rebuildFullText();

    TqbEngine *m_engine = nullptr;
    TqbModel m_model;
    bool m_schemaInsideSQL = false;
    QString m_sqlPart;
    QString m_modelPart;
    QString m_fullText;
};

} // namespace bralvo::report
