// The query builder's core object and its two text forms.
#include "report/querybuilder/tqbcore.h"

#include "report/querybuilder/eqberror.h"
#include "report/querybuilder/tqbengine.h"

#include <QFile>
#include <QSaveFile>

namespace bralvo::report {

TqbCore &qbCore()
{
    static TqbCore core;
    return core;
}

TqbEngine &TqbCore::Engine() const
{
    if (!m_engine)
        throw EqbError(QStringLiteral("qbCore.Engine not assigned"));
    return *m_engine;
}

void TqbCore::SetEngine(TqbEngine *engine) { m_engine = engine; }

void TqbCore::Clear() { m_model.Clear(); }

QString TqbCore::GenerateSQL()
{
    m_fullText = bralvo::report::GenerateSQL(m_model);
    return m_fullText;
}

QStringList TqbCore::SaveToStrings() const
{
    return bralvo::report::SaveToStrings(m_model);
}

void TqbCore::SaveToFile(const QString &fileName) const
{
    QString text;
    for (const QString &item : SaveToStrings())
        text += item + QStringLiteral("\r\n");
    // QSaveFile: a failed write must not leave half a model file.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        throw EqbError(QStringLiteral("Cannot write %1: %2").arg(fileName, file.errorString()));
}

LoadOutcome TqbCore::LoadFromStrings(const QStringList &list)
{
    QString text;
    for (const QString &item : list)
        text += item + QStringLiteral("\r\n");
    return LoadModel(m_model, Engine(), text);
}

LoadOutcome TqbCore::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EqbError(QStringLiteral("Cannot read %1: %2").arg(fileName, file.errorString()));
    return LoadModel(m_model, Engine(), QString::fromUtf8(file.readAll()));
}

QString TqbCore::SQL() const
{
    return m_schemaInsideSQL ? m_fullText : RemoveModel(m_fullText);
}

QString TqbCore::SQLSchema() const
{
    if (m_schemaInsideSQL || !HasModelBlock(m_fullText))
        return QString();
    return ExtractModel(m_fullText);
}

void TqbCore::SetSQL(const QString &value)
{
    m_sqlPart = RemoveModel(value);
    // Plain SQL carries no model; ExtractModel alone would take it whole.
    m_modelPart = HasModelBlock(value) ? ExtractModel(value) : QString();
    rebuildFullText();
}

void TqbCore::SetSQLSchema(const QString &value)
{
    m_modelPart = ExtractModel(value);
    rebuildFullText();
}

void TqbCore::SetSchemaInsideSQL(bool value)
{
    m_schemaInsideSQL = value;
    if (value) {
        m_sqlPart = RemoveModel(m_fullText);
        m_modelPart = HasModelBlock(m_fullText) ? ExtractModel(m_fullText) : QString();
    }
}

void TqbCore::rebuildFullText()
{
    if (m_modelPart.isEmpty()) {
        m_fullText = m_sqlPart;
        return;
    }
    m_fullText = m_sqlPart + QStringLiteral("/*_QBMODEL\r\n") + m_modelPart
                 + QStringLiteral("\r\n_QBEND*/");
}

} // namespace bralvo::report
