// The SQL editor window.
#include "report/dataeditors/trpsqleditor.h"

#include "platform/registryini.h"
#include "report/dataeditors/dataeditorlogic.h"
#include "report/dataeditors/trpparamseditor.h"
#include "report/editors/trpsyntaxmemo.h"
#include "report/preview/trpformstate.h"
#include "report/querybuilder/designer/tqbdialog.h"
#include "report/querybuilder/tqbengine.h"

#include <QKeyEvent>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace bralvo::report {

TrpSQLEditorForm::TrpSQLEditorForm(TrpQueryTarget &query, platform::SettingsStore *store, QWidget *parent)
    : QDialog(parent), m_query(query), m_store(store)
{
    setObjectName(QStringLiteral("TrpSQLEditorForm"));
    setWindowTitle(EditorText(QStringLiteral("4900"), QStringLiteral("SQL")));
    resize(500, 350);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *bar = new QToolBar(this);
    const auto add = [this, bar](const char *name, const QString &hint, QStyle::StandardPixmap icon, auto slot) {
        QAction *a = bar->addAction(style()->standardIcon(icon), hint);
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(hint);
        connect(a, &QAction::triggered, this, slot);
    };
    add("QBB", EditorText(QStringLiteral("4901"), QStringLiteral("Query builder")),
        QStyle::SP_FileDialogDetailedView, [this] { RunQueryBuilder(); });
    add("ParamsB", EditorText(QStringLiteral("5714"), QStringLiteral("Parameters")),
        QStyle::SP_FileDialogListView, [this] { EditParams(); });
    add("CancelB", EditorText(QStringLiteral("2"), QStringLiteral("Cancel")), QStyle::SP_DialogCancelButton,
        [this] { reject(); });
    add("OkB", EditorText(QStringLiteral("1"), QStringLiteral("OK")), QStyle::SP_DialogOkButton,
        [this] { accept(); });
    layout->addWidget(bar);
    m_editor = new TrpSyntaxMemo(this);
    m_editor->setObjectName(QStringLiteral("Editor"));
    m_editor->SetSyntax(QStringLiteral("SQL"));
    m_editor->SetShowGutter(true);
    m_editor->SetGutterWidth(20);
    layout->addWidget(m_editor);
    m_savedSql = query.SQL();
    m_savedParams = query.Params();
    m_savedSchema = query.SQLSchema();
    m_engine = query.CreateQBEngine();
    m_editor->SetLines(m_savedSql);
    if (m_store) {
        m_store->writeBool(QStringLiteral("Form4.TrpSQLEditorForm"), QStringLiteral("Visible"), true);
        rpRestoreFormState(*m_store, this);
    }
}

TrpSQLEditorForm::~TrpSQLEditorForm() = default;

bool TrpSQLEditorForm::RunQueryBuilder()
{
    TqbDialog builder;
    builder.SetEngine(m_engine.get());
    builder.SetSchemaInsideSQL(false);
    builder.SetSQL(m_editor->Text());
    builder.SetSQLSchema(m_query.SQLSchema());
    const bool ok = builder.Execute(this);
    if (ok) {
        m_editor->SetLines(builder.SQL().split(QStringLiteral("\r\n")));
        m_query.SetSQLSchema(builder.SQLSchema());
    }
    builder.SetEngine(nullptr);
    return ok;
}

bool TrpSQLEditorForm::EditParams()
{
    m_query.SetSQL(m_editor->Lines());
    if (m_query.Params().isEmpty())
        return false;
    TrpParamsEditorForm params(m_query.Params(), this);
    if (params.exec() != QDialog::Accepted)
        return false;
    m_query.SetParams(params.Params());
    m_query.ApplyParams();
    return true;
}

void TrpSQLEditorForm::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & Qt::ControlModifier))
        return accept();
    QDialog::keyPressEvent(event);
}

// OK keeps the editor's text; anything else puts the query back.
void TrpSQLEditorForm::done(int result)
{
    if (!m_finished) {
        m_finished = true;
        if (result == QDialog::Accepted) {
            m_query.SetSQL(m_editor->Lines());
        } else {
            m_query.SetSQL(m_savedSql);
            m_query.SetParams(m_savedParams);
            m_query.SetSQLSchema(m_savedSchema);
        }
        if (m_store)
            rpSaveFormState(*m_store, this);
        m_engine.reset();
    }
    QDialog::done(result);
}

} // namespace bralvo::report
