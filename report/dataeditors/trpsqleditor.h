// TrpSQLEditorForm: the query's SQL text in the code editor (syntax
// "SQL"), with the query builder (QBB), the parameter editor (ParamsB),
// Cancel and OK. Ctrl+Enter confirms, Esc cancels. Cancel puts the
// query's SQL, parameters and stored model back as they were. The
// window's state lives in section "Form4.TrpSQLEditorForm" of the
// report's settings store.
#pragma once

#include "report/dataeditors/dataeditortargets.h"

#include <QDialog>
#include <memory>

class QToolBar;

namespace bralvo::platform {
class SettingsStore;
}

namespace bralvo::report {

class TrpSyntaxMemo;

class TrpSQLEditorForm : public QDialog {
    Q_OBJECT
public:
    // store may be nullptr (no saved window state).
    TrpSQLEditorForm(TrpQueryTarget &query, platform::SettingsStore *store, QWidget *parent = nullptr);
    ~TrpSQLEditorForm() override;

    TrpSyntaxMemo *Editor() const { return m_editor; }
    // The query builder on the editor's text; true when confirmed.
    bool RunQueryBuilder();
    // The parameter editor on the query's parameters; true when confirmed.
    bool EditParams();
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    TrpQueryTarget &m_query;
    platform::SettingsStore *m_store;
    TrpSyntaxMemo *m_editor;
    QStringList m_savedSql;
    QList<TrpParamRow> m_savedParams;
    QString m_savedSchema;
    std::unique_ptr<TqbEngine> m_engine;
    bool m_finished = false;
};

} // namespace bralvo::report
