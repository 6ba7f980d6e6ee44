// TrpReport: the component a window holds to print something. It holds
// one report definition (its children are the pages), the option
// objects, datasets, variables, styles and script text, and drives the
// machinery that turns the definition into prepared pages: the engine,
// the prepared-pages store, the report script and the preview (abstract
// bases, see trpenginebases.h). It reads and writes the definition as
// report XML.
//
// Errors of one load or one preparation collect in ErrorList (sorted,
// each text once) and reach the user through HandleReportError by
// EngineOptions.NewSilentMode.
#pragma once

#include "platform/registryini.h"
#include "platform/stringlist.h"
#include "platform/variant.h"
#include "report/model/trpcomponent.h"
#include "report/model/trpenginebases.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

namespace bralvo::script {
class TscScript;
}

namespace bralvo::report {

class TrpDataSet;
class TrpProgressWindow;
class TrpEngineOptions;
class TrpPreviewOptions;
class TrpPrintOptions;
class TrpReportOptions;
class TrpReportDataSets;
class TrpVariables;
class TrpStyles;
class TrpXMLSerializer;
class TrpView;
class TrpPage;
class TrpReportPage;

enum TrpProgressType : int { ptRunning = 0, ptExporting = 1, ptPrinting = 2 };

// The library's process-wide lock: taken while report XML is read with
// ThreadSafeMode set.
QRecursiveMutex &reportUnitLock();

// Registers the report classes readable from report XML (once): by name
// in the class library, the dot-matrix objects through the object
// registry (report/registry/trpobjectregistry.h).
void registerReportClasses();

class TrpReport : public TrpComponent {
    BRALVO_CLASS(TrpReport)
public:
    explicit TrpReport(platform::Component *owner = nullptr);
    ~TrpReport() override;

    // --- persistent properties
    QString Version() const { return QStringLiteral("4.3"); }
    void SetVersion(const QString &) {}
    QString ParentReport() const { return m_parentReport; }
    // Loads the parent report (OnLoadTemplate, else the file relative to
    // the program folder), keeps a copy of it and marks every object as
    // inherited, so only differences are written. Empty: no inheritance.
    void SetParentReport(const QString &name);
    TrpDataSet *DataSet() const { return m_dataSet; }
    void SetDataSet(TrpDataSet *ds);
    QString DataSetName() const;
    void SetDataSetName(const QString &name);
    bool DotMatrixReport() const { return m_dotMatrixReport; }
    void SetDotMatrixReport(bool v) { m_dotMatrixReport = v; }
    TrpEngineOptions *EngineOptions() const { return m_engineOptions.get(); }
    void SetEngineOptions(const TrpEngineOptions *v);
    QString IniFile() const { return m_iniFile; }
    void SetIniFile(const QString &v) { m_iniFile = v; }
    bool OldStyleProgress() const { return m_oldStyleProgress; }
    void SetOldStyleProgress(bool v) { m_oldStyleProgress = v; }
    TrpCustomPreview *Preview() const { return m_preview; }
    void SetPreview(TrpCustomPreview *preview);
    TrpPreviewOptions *PreviewOptions() const { return m_previewOptions.get(); }
    void SetPreviewOptions(const TrpPreviewOptions *v);
    TrpPrintOptions *PrintOptions() const { return m_printOptions.get(); }
    void SetPrintOptions(const TrpPrintOptions *v);
    TrpReportOptions *ReportOptions() const { return m_reportOptions.get(); }
    void SetReportOptions(const TrpReportOptions *v);
    QString ScriptLanguage() const { return m_scriptLanguage; }
    void SetScriptLanguage(const QString &v) { m_scriptLanguage = v; }
    platform::StringList *ScriptText() const { return m_scriptText.get(); }
    void SetScriptText(const platform::StringList *v);
    bool ShowProgress() const { return m_showProgress; }
    void SetShowProgress(bool v) { m_showProgress = v; }
    bool StoreInDFM() const { return m_storeInDFM; }
    void SetStoreInDFM(bool v) { m_storeInDFM = v; }
    QString OnRunDialogs() const { return m_onRunDialogs; }
    void SetOnRunDialogs(const QString &v) { m_onRunDialogs = v; }
    QString OnStartReport() const { return m_onStartReport; }
    void SetOnStartReport(const QString &v) { m_onStartReport = v; }
    QString OnStopReport() const { return m_onStopReport; }
    void SetOnStopReport(const QString &v) { m_onStopReport = v; }

    // --- host events (call-backs; never stored)
    std::function<void(TrpReportComponent *)> OnAfterPrint;
    std::function<void(platform::Component *database, bool &connected)> OnBeforeConnect;
    std::function<void(TrpReportComponent *)> OnBeforePrint;
    std::function<void(TrpReport *)> OnBeginDoc;
    std::function<void(TrpView *, int button, int shift, bool &modified)> OnClickObject;
    std::function<void(TrpReport *)> OnEndDoc;
    std::function<void(const QString &varName, platform::Variant &value)> OnGetValue;
    std::function<void(TrpPage *)> OnManualBuild;
    std::function<void(TrpView *)> OnMouseOverObject;
    std::function<void(TrpReport *)> OnPreview;
    std::function<void(TrpReportPage *, int copyNo)> OnPrintPage;
    std::function<void(TrpReport *)> OnPrintReport;
    std::function<void(TrpReport *)> OnAfterPrintReport;
    std::function<void(TrpReport *, TrpProgressType, int)> OnProgressStart;
    std::function<void(TrpReport *, TrpProgressType, int)> OnProgress;
    std::function<void(TrpReport *, TrpProgressType, int)> OnProgressStop;
    std::function<platform::Variant(const QString &methodName, platform::Variant &params)> OnUserFunction;
    std::function<void(TrpReport *, const QString &templateName)> OnLoadTemplate;
    std::function<void(TrpReport *)> OnClosePreview;
    std::function<void(const QString &connectionString)> OnApplyConnection;

    // --- run-time state
    TrpReportDataSets *DataSets() const { return m_dataSets.get(); }
    TrpVariables *Variables() const { return m_variables.get(); }
    TrpStyles *Styles() const { return m_styles.get(); }
    TrpCustomEngine *Engine() const { return m_engine.get(); }
    TrpCustomPreviewPages *PreparedPages() const { return m_preparedPages.get(); }
    // The report's script object: extended identifiers on, every
    // registered binding module added once.
    script::TscScript *Script() const { return m_tscScript.get(); }
    // What compiles and runs the report script and evaluates expressions
    // (nullptr until the script machinery is installed).
    TrpReportScriptHost *ScriptHost() const { return m_script.get(); }
    // Present only while a progress window shows.
    TrpProgressWindow *ProgressWindow() const { return m_progressWindow.get(); }
    platform::StringList &ErrorList() { return m_errorList; }
    const platform::StringList &ErrorList() const { return m_errorList; }
    const QStringList &SysVariables() const { return m_sysVariables; }
    platform::StringList &DrillDownState() { return m_drillDownState; }
    QString ReportFileName() const { return m_reportFileName; }
    QString CurrentObjectName() const { return m_currentObjectName; }
    void SetCurrentObjectName(const QString &v) { m_currentObjectName = v; }
    bool Terminated() const { return m_terminated; }
    // True also stops the running script.
    void SetTerminated(bool v);
    bool Reloading() const { return m_reloading; }
    TrpXMLSerializer *ActiveSerializer() const { return m_activeSerializer; }
    void SetActiveSerializer(TrpXMLSerializer *s) { m_activeSerializer = s; }
    TrpReport *ParentReportCopy() const { return m_parentReportCopy.get(); }
    TrpPreviewWindow *PreviewWindow() const { return m_previewWindow; }
    QTimer *PrepareTimer() { return &m_prepareTimer; }

    // --- definition
    // Frees the pages and resets the definition (datasets, variables,
    // options' Clear, styles, script); host events, IniFile, Preview,
    // OldStyleProgress, ShowProgress and StoreInDFM are kept.
    void Clear() override;
    QString GetDescription() const override;
    TrpComponent *GetPages(int index) const { return Objects().value(index); }
    int GetPagesCount() const { return int(Objects().size()); }

    // Reads the definition; see the .cpp for the steps. A refused
    // password clears the report and records "Invalid password".
    void LoadFromStream(platform::Stream &stream) override;
    // Writes the definition; the password is stored scrambled.
    void SaveToStream(platform::Stream &stream, bool saveChildren = true, bool saveDefaultValues = false) override;
    // Whether the file existed: false for a missing file (unless
    // ExceptionIfNotFound, which throws StreamError) and for anything that
    // is no regular file. Content that did not load cleanly and a refused
    // password leave their texts in ErrorList.
    bool LoadFromFile(const QString &fileName, bool exceptionIfNotFound = false);
    // Writes a temporary file and renames it; throws StreamError.
    void SaveToFile(const QString &fileName);
    void defineProperties(platform::PropertyFiler &filer) override;
    // The reference object for writing an inherited report.
    TrpComponent *AncestorLookup(const QString &name) const;

    // --- values
    // The value of an expression text: LookUpValue first, else the
    // expression cache evaluates it in Script (nullptr: the report's
    // script). Throws ReportError with the cache's error text, prefixed
    // with CurrentObjectName + ": " when set, after adding it to
    // ErrorList. A report variable that (directly or through others)
    // refers to itself fails the same way instead of recursing for ever.
    platform::Variant Calc(const QString &expr, script::TscScript *script = nullptr);
    // The name lookup Calc tries first, in this order: dataset field
    // (alias."field"), system variable, OnGetValue, report variable,
    // global variable, script variable. False (Value Null) when none
    // knows the name.
    bool LookUpValue(const QString &name, platform::Variant &value);
    // Splits `alias."field"` at its first `."`: the report dataset of
    // that UserName (nullptr when unknown) and the text up to a closing
    // quote. Without `."` both are empty.
    void GetDatasetAndField(const QString &complexName, TrpDataSet *&dataSet, QString &field) const;
    // The dataset of the DataSets item of that UserName; nullptr when none.
    TrpDataSet *GetDataset(const QString &alias) const;
    // Empty for nullptr; the UserName of a listed dataset; otherwise the
    // library text "clDSNotIncl".
    QString GetAlias(const TrpDataSet *dataSet) const;
    // Clears List and adds each listed dataset's UserName with the
    // dataset as object; OnlyDB skips TrpUserDataSet objects.
    void GetDataSetList(platform::StringList &list, bool onlyDB = false) const;

    // --- script events
    // When EventName is not blank and (RunAlways or the engine runs):
    // calls that report-script procedure with Obj (as its handle).
    void RunScriptEvent(platform::HandleTarget *obj, const QString &eventName, bool runAlways = false);
    // The same with a parameter array whose final values come back.
    void RunScriptEventParams(const QString &eventName, platform::Variant &params, bool runAlways = false);
    // The host event, then the object's OnBeforePrint (OnAfterPrint) script.
    void DoBeforePrint(TrpReportComponent *obj);
    void DoAfterPrint(TrpReportComponent *obj);
    // A click in the preview: the view's OnPreviewClick script (always),
    // then the host's OnClickObject; Modified comes back from both.
    void DoPreviewClick(TrpView *view, int button, int shift, bool &modified);
    // The report script's variable "Value".
    void SetValueVariable(const platform::Variant &value);

    // --- preparing and showing
    // Errors land in ErrorList; running out of memory ends the run with
    // "Out of memory". Terminated (Cancel) reaches even a script that never
    // ends: the script's stop check lets events through while preparing.
    bool PrepareReport(bool clearLastReport = true);
    void ShowReport(bool clearLastReport = true);
    void ShowPreparedPages();
    // A settings store on IniFile (registry path or ini file).
    std::unique_ptr<platform::SettingsStore> GetIniFile() const;
    // No designer exists: returns at once / false.
    void DesignReport(bool modal = true, bool mdiChild = false) { Q_UNUSED(modal); Q_UNUSED(mdiChild); }
    bool DesignPreviewPage() { return false; }

    // --- progress
    virtual void BeginProgress(TrpProgressType type);
    virtual void StepProgress(TrpProgressType type, int progress);
    virtual void EndProgress(TrpProgressType type);
    void SetProgressMessage(const QString &text);
    // The progress window's current message (tests; empty when none).
    QString ProgressMessage() const { return m_progressMessage; }

    // The stored form of a password and back (each character code below
    // 256 lowered or raised by 10 within one byte).
    static QString ScramblePassword(const QString &password);
    static QString UnscramblePassword(const QString &stored);

protected:
    void notification(platform::Component *component, platform::Operation operation) override;
    TrpReport *asReport() const override { return const_cast<TrpReport *>(this); }

private:
    struct HostSettings;
    bool loadDefinition(platform::Stream &stream);
    bool runPreparation();
    // The script's stop check while preparing: lets the window system
    // deliver a Cancel (a time limit's timer, ...) at most every 50 ms even
    // inside a script that never ends; true once Terminated is set.
    bool scriptStopRequested();
    void ensureDataPage();
    void setAncestorFlags(bool on);
    void showErrors();
    bool lookUpSystemVariable(int index, platform::Variant &value) const;
    bool lookUpReportVariable(const QString &name, platform::Variant &value);
    bool progressWindowWanted(TrpProgressType type) const;

    QString m_parentReport;
    TrpDataSet *m_dataSet = nullptr;
    QString m_dataSetName;
    bool m_dotMatrixReport = false;
    std::unique_ptr<TrpEngineOptions> m_engineOptions;
    QString m_iniFile = QStringLiteral("\\Software\\Dori Zirovad");
    bool m_oldStyleProgress = false;
    TrpCustomPreview *m_preview = nullptr;
    std::unique_ptr<TrpPreviewOptions> m_previewOptions;
    std::unique_ptr<TrpPrintOptions> m_printOptions;
    std::unique_ptr<TrpReportOptions> m_reportOptions;
    QString m_scriptLanguage;
    std::unique_ptr<platform::StringList> m_scriptText;
    bool m_showProgress = true;
    bool m_storeInDFM = true;
    QString m_onRunDialogs, m_onStartReport, m_onStopReport;

    std::unique_ptr<TrpReportDataSets> m_dataSets;
    std::unique_ptr<TrpVariables> m_variables;
    std::unique_ptr<TrpStyles> m_styles;
    std::unique_ptr<script::TscScript> m_tscScript;
    std::unique_ptr<TrpReportScriptHost> m_script;
    std::unique_ptr<TrpProgressWindow> m_progressWindow;
    QStringList m_variablesInCalc;
    std::unique_ptr<TrpCustomEngine> m_engine;
    std::unique_ptr<TrpCustomPreviewPages> m_preparedPages;
    platform::StringList m_errorList;
    QStringList m_sysVariables;
    platform::StringList m_drillDownState;
    QTimer m_prepareTimer;
    QString m_reportFileName;
    QString m_currentObjectName;
    bool m_terminated = false;
    bool m_preparing = false;
    QElapsedTimer m_stopCheckClock;
    bool m_reloading = false;
    bool m_loadingParent = false;
    bool m_passwordRefused = false;
    TrpXMLSerializer *m_activeSerializer = nullptr;
    std::unique_ptr<TrpReport> m_parentReportCopy;
    TrpPreviewWindow *m_previewWindow = nullptr;
    std::unique_ptr<TrpPreviewWindow> m_ownedPreviewWindow;
    QString m_progressMessage;
    bool m_progressShown = false;
};

} // namespace bralvo::report
