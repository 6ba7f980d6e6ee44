// The host's entry to the query builder.
#include "report/querybuilder/designer/tqbdialog.h"

#include "platform/messageboxseam.h"
#include "report/querybuilder/designer/tqbdesigner.h"
#include "report/querybuilder/designer/tqbtablearea.h"
#include "report/querybuilder/tqbcore.h"

#include <QCoreApplication>

namespace bralvo::report {

TqbDialog::TqbDialog()
{
    qbCore().SetSchemaInsideSQL(true);
}

void TqbDialog::SetEngine(TqbEngine *engine)
{
    m_engine = engine;
    qbCore().SetEngine(engine);
}

bool TqbDialog::SchemaInsideSQL() const { return qbCore().SchemaInsideSQL(); }
void TqbDialog::SetSchemaInsideSQL(bool value) { qbCore().SetSchemaInsideSQL(value); }
QString TqbDialog::SQL() const { return qbCore().SQL(); }
void TqbDialog::SetSQL(const QString &value) { qbCore().SetSQL(value); }
QString TqbDialog::SQLSchema() const { return qbCore().SQLSchema(); }
void TqbDialog::SetSQLSchema(const QString &value) { qbCore().SetSQLSchema(value); }

std::function<bool(TqbDesigner &)> &TqbDialog::ModalHook()
{
    static std::function<bool(TqbDesigner &)> hook;
    return hook;
}

bool TqbDialog::Execute(QWidget *parent)
{
    TqbCore &core = qbCore();
    core.SetEngine(m_engine);
    TqbDesigner designer(parent);
    try {
        core.Model().Clear();
        const LoadOutcome outcome = core.LoadFromStrings(core.FullText().split(QStringLiteral("\r\n")));
        if (outcome == LoadOutcome::ChangedSql)
            platform::messageBoxSeam().messageBox(ChangedSqlMessage(), QCoreApplication::applicationName(), 64);
    } catch (const std::exception &) {
        // The window opens with what could be read.
    }
    designer.TableArea()->Rebuild();
    const bool ok = ModalHook() ? ModalHook()(designer) : designer.exec() == QDialog::Accepted;
    if (!ok)
        return false;
    QString text;
    for (const QString &item : core.SaveToStrings())
        text += item + QStringLiteral("\r\n");
    core.SetFullText(text);
    return true;
}

} // namespace bralvo::report
