// The editing side of the data components as a report designer asks for
// it: component editors (database: the connection wizard; dataset: the
// aliases editor; query: the SQL editor), property editors of their
// properties, and the three wizards that make a connection, a table or a
// query. This system has no designer: the designer's "modified"
// notification is a hook (DataEditorsNotify).
#pragma once

#include "report/model/trpenginebases.h"
#include "report/propertyeditors/trppropertyeditor.h"
#include "report/propertyeditors/trptypeeditors.h"

#include <functional>

class QWidget;

namespace bralvo::report {

class TrpCustomDatabase;

// Called when an editor changed the report (the designer's notification).
std::function<void()> &DataEditorsNotify();
// The parent window of the editors' dialogs (none by default).
QWidget *&DataEditorsParent();

class TrpCustomDatabaseEditor : public TrpComponentEditor {
public:
    using TrpComponentEditor::TrpComponentEditor;
    bool HasEditor() override { return true; }
    // The connection wizard on the database; its result.
    bool Edit() override;
};

class TrpCustomDataSetEditor : public TrpComponentEditor {
public:
    using TrpComponentEditor::TrpComponentEditor;
    bool HasEditor() override { return true; }
    bool Edit() override; // the aliases editor
};

class TrpCustomQueryEditor : public TrpComponentEditor {
public:
    using TrpComponentEditor::TrpComponentEditor;
    bool HasEditor() override { return true; }
    bool Edit() override; // the SQL editor
};

class TrpFieldAliasesProperty : public TrpClassProperty {
public:
    using TrpClassProperty::TrpClassProperty;
    int GetAttributes() const override { return 36; }
    bool Edit() override;
};

// A dataset reference shown by its alias in the report.
class TrpDataSetProperty : public TrpComponentProperty {
public:
    using TrpComponentProperty::TrpComponentProperty;
    int GetAttributes() const override { return 9; }
    QString GetValue() const override;
    void GetValues() override;
    void SetValue(const QString &text) override;
};

// A field of the edited object's "DataSet".
class TrpDataFieldProperty : public TrpPropertyEditor {
public:
    using TrpPropertyEditor::TrpPropertyEditor;
    int GetAttributes() const override { return 9; }
    QString GetValue() const override { return strValue(); }
    void SetValue(const QString &text) override { setStrValue(text); }
    void GetValues() override;
};

class TrpMasterFieldsProperty : public TrpStringProperty {
public:
    using TrpStringProperty::TrpStringProperty;
    int GetAttributes() const override { return 36; }
    bool Edit() override;
};

class TrpSQLProperty : public TrpClassProperty {
public:
    using TrpClassProperty::TrpClassProperty;
    int GetAttributes() const override { return 36; }
    bool Edit() override;
};

class TrpParamsProperty : public TrpClassProperty {
public:
    using TrpClassProperty::TrpClassProperty;
    int GetAttributes() const override { return 36; }
    bool Edit() override;
};

// The connection string through the connection-string dialog; the
// connection is closed meanwhile and reopened when it was open.
class TrpDatabaseNameProperty : public TrpStringProperty {
public:
    using TrpStringProperty::TrpStringProperty;
    int GetAttributes() const override { return 4; }
    bool Edit() override;
};

class TrpDatabaseProperty : public TrpComponentProperty {
public:
    using TrpComponentProperty::TrpComponentProperty;
    int GetAttributes() const override { return 11; }
    QString GetValue() const override;
};

class TrpTableNameProperty : public TrpStringProperty {
public:
    using TrpStringProperty::TrpStringProperty;
    int GetAttributes() const override { return 11; }
    void GetValues() override;
    void SetValue(const QString &text) override;
};

// Index names: none are known to the data layer, so the list stays empty.
class TrpIndexNameProperty : public TrpStringProperty {
public:
    using TrpStringProperty::TrpStringProperty;
    int GetAttributes() const override { return 9; }
};

// The three wizards; Launch shows the connection wizard in their mode.
class TrpDBConnWizard : public TrpCustomWizard {
    BRALVO_CLASS(TrpDBConnWizard)
public:
    using TrpCustomWizard::TrpCustomWizard;
    QString GetDescription() const override;
    bool Launch() override;
    TrpCustomDatabase *DatabaseToEdit = nullptr;
};

class TrpDBTableWizard : public TrpCustomWizard {
    BRALVO_CLASS(TrpDBTableWizard)
public:
    using TrpCustomWizard::TrpCustomWizard;
    QString GetDescription() const override;
    bool Launch() override;
};

class TrpDBQueryWizard : public TrpCustomWizard {
    BRALVO_CLASS(TrpDBQueryWizard)
public:
    using TrpCustomWizard::TrpCustomWizard;
    QString GetDescription() const override;
    bool Launch() override;
};

// Runs the connection wizard of mode on report; true on OK.
bool RunConnectionWizard(TrpReport &report, int mode, TrpCustomDatabase *edit = nullptr);

} // namespace bralvo::report
