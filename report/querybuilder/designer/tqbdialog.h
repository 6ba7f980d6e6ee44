// TqbDialog: how a host opens the query builder. It hands the core an
// engine and the query text (whole, or SQL and stored model apart),
// shows the designer window modally and, on OK, takes the new text back.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace bralvo::report {

class TqbDesigner;
class TqbEngine;

class TqbDialog {
public:
    // Sets the core's SchemaInsideSQL to true.
    TqbDialog();

    TqbEngine *Engine() const { return m_engine; }
    void SetEngine(TqbEngine *engine);
    bool SchemaInsideSQL() const;
    void SetSchemaInsideSQL(bool value);
    QString SQL() const;
    void SetSQL(const QString &value);
    QString SQLSchema() const;
    void SetSQLSchema(const QString &value);

    // True when the user confirmed with OK. The model of the core's full
    // text is loaded first; a model that cannot be read opens empty.
    bool Execute(QWidget *parent = nullptr);

    // Called with the open window instead of its modal loop: it returns
    // whether the window was confirmed (for tests and tools that drive it).
    static std::function<bool(TqbDesigner &)> &ModalHook();

private:
    TqbEngine *m_engine = nullptr;
};

} // namespace bralvo::report
