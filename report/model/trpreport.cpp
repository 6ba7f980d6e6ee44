// The report object: definition, options, loading and saving, preparing
// and showing, progress.
#include "report/model/trpreport.h"

#include "platform/classregistry.h"
#include "platform/registryini.h"
#include "platform/stream.h"
#include "platform/valuecodec.h"
#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"
#include "report/model/trpdialogcontrols.h"
#include "report/model/trpdialogpage.h"
#include "report/model/trpdmpmemoview.h"
#include "report/model/trpdotmatrix.h"
#include "report/model/trplineview.h"
#include "report/model/trppage.h"
#include "report/model/trppictureview.h"
#include "report/model/trpshapeview.h"
#include "report/model/trpresources.h"
#include "report/model/trpscriptclasses.h"
#include "report/model/trpserializer.h"
#include "report/model/trpstyles.h"
#include "report/model/trputils.h"
#include "report/model/trpvariables.h"
#include "report/model/trpview.h"
#include "report/model/trpwindows.h"
#include "report/model/trpxml.h"
#include "report/registry/trpobjectregistry.h"
#include "script/tscscript.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace bralvo::report {

namespace {

TrpReportMachinery &machinery()
{
    static TrpReportMachinery m;
    return m;
}

const QString kCrLf = QStringLiteral("\r\n");

TrpReportWindows &windows()
{
    static TrpReportWindows w;
    return w;
}

} // namespace

void setReportWindows(const TrpReportWindows &w)
{
    windows() = w;
}

const TrpReportWindows &reportWindows()
{
    return windows();
}

void setReportMachinery(const TrpReportMachinery &m)
{
    machinery() = m;
}

const TrpReportMachinery &reportMachinery()
{
    return machinery();
}

QRecursiveMutex &reportUnitLock()
{
    static QRecursiveMutex m;
    return m;
}

namespace {

// The dot-matrix objects go into the object registry (which names them
// to the class library as well), with their palette images.
void registerDMPObjects()
{
    TrpObjectCollection &objects = GetObjectRegistry();
    objects.RegisterObject(&TrpDMPMemoView::staticClass(), nullptr, QString(), QString(), 0, 2, ocDMP);
    objects.RegisterObject(&TrpDMPLineView::staticClass(), nullptr, QString(), QString(), 0, 5, ocDMP);
    objects.RegisterObject(&TrpDMPCommand::staticClass(), nullptr, QString(), QString(), 0, 21, ocDMP);
}

} // namespace

void registerReportClasses()
{
    static const bool done = [] {
        for (const platform::ClassInfo *c :
             {&TrpReport::staticClass(), &TrpReportPage::staticClass(), &TrpDataPage::staticClass(),
              &TrpDialogPage::staticClass(), &TrpMasterData::staticClass(), &TrpCustomMemoView::staticClass(),
              &TrpMemoView::staticClass(), &TrpFrame::staticClass(), &TrpStyleItem::staticClass(),
              &TrpLineView::staticClass(), &TrpPictureView::staticClass(), &TrpShapeView::staticClass(),
              &TrpSubreport::staticClass(), &TrpDMPPage::staticClass(), &TrpSysMemoView::staticClass(),
              &TrpHighlight::staticClass(), &TrpCustomLineView::staticClass(), &TrpUserDataSet::staticClass()})
            platform::registerClass(*c);
        for (const platform::ClassInfo *c : bandClasses())
            platform::registerClass(*c);
        registerDMPObjects();
        registerDialogControlClasses();
        registerReportScriptModule();
        return true;
    }();
    Q_UNUSED(done);
}

const platform::ClassInfo &TrpReport::staticClass()
{
    using T = TrpReport;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpReport", &TrpComponent::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("Version", &T::Version, &T::SetVersion);
            b.string("ParentReport", &T::ParentReport, &T::SetParentReport);
            b.reference<TrpDataSet>("DataSet", &T::DataSet, &T::SetDataSet);
            b.string("DataSetName", &T::DataSetName, &T::SetDataSetName);
            b.boolean("DotMatrixReport", &T::DotMatrixReport, &T::SetDotMatrixReport);
            b.object<TrpEngineOptions>("EngineOptions", &T::EngineOptions, &T::SetEngineOptions);
            b.string("IniFile", &T::IniFile, &T::SetIniFile);
            b.boolean("OldStyleProgress", &T::OldStyleProgress, &T::SetOldStyleProgress, false);
            b.method("Preview");
            b.object<TrpPreviewOptions>("PreviewOptions", &T::PreviewOptions, &T::SetPreviewOptions);
            b.object<TrpPrintOptions>("PrintOptions", &T::PrintOptions, &T::SetPrintOptions);
            b.object<TrpReportOptions>("ReportOptions", &T::ReportOptions, &T::SetReportOptions);
            b.string("ScriptLanguage", &T::ScriptLanguage, &T::SetScriptLanguage);
            b.object<platform::StringList>("ScriptText", &T::ScriptText, &T::SetScriptText);
            b.boolean("ShowProgress", &T::ShowProgress, &T::SetShowProgress, true);
            b.boolean("StoreInDFM", &T::StoreInDFM, &T::SetStoreInDFM, true);
            for (const char *event : {"OnAfterPrint", "OnBeforeConnect", "OnBeforePrint", "OnBeginDoc",
                                      "OnClickObject", "OnEndDoc", "OnGetValue", "OnManualBuild",
                                      "OnMouseOverObject", "OnPreview", "OnPrintPage", "OnPrintReport",
                                      "OnAfterPrintReport", "OnProgressStart", "OnProgress", "OnProgressStop"})
                b.method(QString::fromLatin1(event));
            b.string("OnRunDialogs", &T::OnRunDialogs, &T::SetOnRunDialogs);
            b.string("OnStartReport", &T::OnStartReport, &T::SetOnStartReport);
            b.string("OnStopReport", &T::OnStopReport, &T::SetOnStopReport);
            b.method("OnUserFunction");
            b.method("OnLoadTemplate");
            b.method("OnClosePreview");
        });
    return info;
}

TrpReport::TrpReport(platform::Component *owner)
    : TrpComponent(owner), m_engineOptions(std::make_unique<TrpEngineOptions>()),
      m_previewOptions(std::make_unique<TrpPreviewOptions>()), m_printOptions(std::make_unique<TrpPrintOptions>()),
      m_reportOptions(std::make_unique<TrpReportOptions>(this)),
      m_scriptText(std::make_unique<platform::StringList>()), m_dataSets(std::make_unique<TrpReportDataSets>(this)),
      m_variables(std::make_unique<TrpVariables>()), m_styles(std::make_unique<TrpStyles>(this))
{
    registerReportClasses();
    m_tscScript = std::make_unique<script::TscScript>();
    m_tscScript->HighCharIdents = true;
    m_tscScript->AddRTTI();
    m_errorList.setSorted(true);
    m_errorList.setDuplicates(platform::StringList::Duplicates::Ignore);
    m_prepareTimer.setInterval(50);
    m_prepareTimer.setSingleShot(true);
    QObject::connect(&m_prepareTimer, &QTimer::timeout, [this] {
        m_prepareTimer.stop();
        PrepareReport(false);
    });
    const TrpReportMachinery &m = reportMachinery();
    if (m.createScript)
        m_script = m.createScript(*this);
    if (m.createEngine)
        m_engine = m.createEngine(*this);
    if (m.createPreviewPages)
        m_preparedPages = m.createPreviewPages(*this);
    if (m_engine && m_preparedPages) {
        m_engine->SetPreparedPages(m_preparedPages.get());
        m_preparedPages->SetEngine(m_engine.get());
    }
    Clear();
}

TrpReport::~TrpReport()
{
    // The object tree goes first, while the report is still whole.
    m_parentReportCopy.reset();
    TrpComponent::Clear();
    while (!Objects().isEmpty())
        platform::Component::free(Objects().last());
    SetPreview(nullptr);
    m_prepareTimer.stop();
    m_progressWindow.reset();
}

// --- definition

void TrpReport::Clear()
{
    TrpComponent::Clear();
    m_dataSets->clear();
    m_variables->clear();
    m_engineOptions->Clear();
    m_previewOptions->Clear();
    m_printOptions->Clear();
    m_reportOptions->Clear();
    m_styles->clear();
    m_dataSet = nullptr;
    m_dataSetName.clear();
    m_dotMatrixReport = false;
    SetParentReport(QString());
    m_scriptLanguage = QStringLiteral("PascalScript");
    m_scriptText->setText(QStringLiteral("begin\r\n\r\nend."));
    m_sysVariables = {QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("Page"),
                      QStringLiteral("Page#"), QStringLiteral("TotalPages"), QStringLiteral("TotalPages#"),
                      QStringLiteral("Line"), QStringLiteral("Line#"), QStringLiteral("CopyName#")};
    m_onRunDialogs.clear();
    m_onStartReport.clear();
    m_onStopReport.clear();
}

QString TrpReport::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obReport"));
}

void TrpReport::SetDataSet(TrpDataSet *ds)
{
    if (m_dataSet)
        removeFreeNotification(m_dataSet);
    m_dataSet = ds;
    if (ds)
        freeNotification(ds);
    m_dataSetName = ds ? ds->UserName() : QString();
}

QString TrpReport::DataSetName() const
{
    return m_dataSet ? m_dataSet->UserName() : m_dataSetName;
}

void TrpReport::SetDataSetName(const QString &name)
{
    m_dataSetName = name;
    TrpDataSet *ds = FindGlobalDataSet(m_dataSet, name, this);
    if (ds != m_dataSet) {
        const QString keep = m_dataSetName;
        SetDataSet(ds);
        m_dataSetName = keep;
    }
}

void TrpReport::SetEngineOptions(const TrpEngineOptions *v)
{
    if (v)
        m_engineOptions->assign(*v);
}

void TrpReport::SetPreviewOptions(const TrpPreviewOptions *v)
{
    if (v)
        m_previewOptions->assign(*v);
}

void TrpReport::SetPrintOptions(const TrpPrintOptions *v)
{
    if (v)
        m_printOptions->assign(*v);
}

void TrpReport::SetReportOptions(const TrpReportOptions *v)
{
    if (v)
        m_reportOptions->assign(*v);
}

void TrpReport::SetScriptText(const platform::StringList *v)
{
    if (v && v != m_scriptText.get())
        m_scriptText->assign(*v);
}

void TrpReport::SetTerminated(bool v)
{
    m_terminated = v;
    if (v && m_script)
        m_script->Terminate();
    if (v && m_tscScript)
        m_tscScript->Terminate();
}

void TrpReport::SetPreview(TrpCustomPreview *preview)
{
    if (m_preview && !preview) {
        m_preview->SetReport(nullptr, nullptr);
        m_previewWindow = nullptr;
    }
    if (m_preview)
        removeFreeNotification(m_preview);
    m_preview = preview;
    if (m_preview) {
        freeNotification(m_preview);
        m_preview->SetReport(this, m_preparedPages.get());
        m_preview->Init();
    }
}

void TrpReport::notification(platform::Component *component, platform::Operation operation)
{
    TrpComponent::notification(component, operation);
    if (operation != platform::Operation::Remove)
        return;
    // Pointer comparison only: the component may be half destroyed.
    for (int i = m_dataSets->count() - 1; i >= 0; --i) {
        if (static_cast<platform::Component *>(m_dataSets->Items(i)->DataSet()) == component)
            m_dataSets->remove(i);
    }
    if (static_cast<platform::Component *>(m_dataSet) == component)
        m_dataSet = nullptr;
    if (static_cast<platform::Component *>(m_preview) == component) {
        m_preview = nullptr;
        m_previewWindow = nullptr;
    }
}

// --- inheritance

void TrpReport::setAncestorFlags(bool on)
{
    SetAncestorFlag(on);
    for (TrpComponent *c : AllObjects())
        c->SetAncestorFlag(on);
}

void TrpReport::SetParentReport(const QString &name)
{
    m_parentReport = name;
    m_parentReportCopy.reset();
    if (name.isEmpty()) {
        setAncestorFlags(false);
        return;
    }
    if (m_loadingParent)
        return; // a parent that names itself again: loaded once
    m_loadingParent = true;
    const QString keepFile = m_reportFileName;
    TrpXMLSerializer *keepSerializer = m_activeSerializer;
    try {
        if (OnLoadTemplate)
            OnLoadTemplate(this, name);
        else
            LoadFromFile(name.startsWith(u'/') ? name : GetAppFolder() + name);
    } catch (...) {
        m_loadingParent = false;
        m_activeSerializer = keepSerializer;
        throw;
    }
    m_loadingParent = false;
    m_reportFileName = keepFile;
    m_parentReportCopy = std::make_unique<TrpReport>(nullptr);
    m_parentReportCopy->AssignAll(*this);
    setAncestorFlags(true);
    m_parentReport = name;
    m_activeSerializer = keepSerializer;
}

TrpComponent *TrpReport::AncestorLookup(const QString &name) const
{
    if (!m_parentReportCopy)
        return nullptr;
    if (name.compare(this->name(), Qt::CaseInsensitive) == 0)
        return m_parentReportCopy.get();
    return m_parentReportCopy->FindObject(name);
}

// --- passwords

QString TrpReport::ScramblePassword(const QString &password)
{
    QString out = password;
    for (QChar &c : out) {
        if (c.unicode() < 256)
            c = QChar(ushort((c.unicode() + 256 - 10) & 0xFF));
    }
    return out;
}

QString TrpReport::UnscramblePassword(const QString &stored)
{
    QString out = stored;
    for (QChar &c : out) {
        if (c.unicode() < 256)
            c = QChar(ushort((c.unicode() + 10) & 0xFF));
    }
    return out;
}

// --- loading and saving

void TrpReport::showErrors()
{
    if (m_errorList.count() > 0)
        HandleReportError(this, GetResources().Get(QStringLiteral("clErrors")) + kCrLf + m_errorList.text());
}

// Reads the tree; false when the content did not load cleanly.
bool TrpReport::loadDefinition(platform::Stream &stream)
{
    try {
        TrpComponent::LoadFromStream(stream);
        return m_errorList.count() == 0;
    } catch (const TrpInvalidXMLException &e) {
        m_errorList.add(e.userText());
    } catch (const platform::ClassLibError &e) {
        m_errorList.add(e.userText());
    } catch (const bralvo::Error &e) {
        m_errorList.add(e.userText());
    }
    return false;
}

void TrpReport::ensureDataPage()
{
    for (TrpComponent *c : Objects()) {
        if (dynamic_cast<TrpDataPage *>(c))
            return;
    }
    QList<TrpDialogComponent *> dialogComponents;
    for (TrpComponent *c : AllObjects()) {
        if (auto *d = dynamic_cast<TrpDialogComponent *>(c))
            dialogComponents.append(d);
    }
    auto *page = new TrpDataPage(this);
    if (FindObject(QStringLiteral("Data")))
        page->CreateUniqueName();
    else
        page->setName(QStringLiteral("Data"));
    // First place among the children.
    QList<TrpComponent *> rest = Objects();
    rest.removeAll(page);
    for (TrpComponent *c : rest) {
        c->SetParent(nullptr);
        c->SetParent(this);
    }
    int left = 60;
    for (TrpDialogComponent *d : dialogComponents) {
        d->SetParent(page);
        d->SetLeft(left);
        d->SetTop(20);
        left += 64;
    }
}

// What a load must not take from the file: the host's settings and all
// options but a few.
struct TrpReport::HostSettings {
    TrpEngineOptions engine;
    TrpPreviewOptions preview;
    QString iniFile;
    TrpCustomPreview *previewControl = nullptr;
    bool oldStyleProgress = false, showProgress = true, storeInDFM = true;

    explicit HostSettings(const TrpReport &r)
        : iniFile(r.m_iniFile), previewControl(r.m_preview), oldStyleProgress(r.m_oldStyleProgress),
          showProgress(r.m_showProgress), storeInDFM(r.m_storeInDFM)
    {
        engine.assign(*r.m_engineOptions);
        preview.assign(*r.m_previewOptions);
    }

    // Only ConvertNulls, DoublePass and the outline and cache settings
    // of the preview come from the file.
    void restore(TrpReport &r)
    {
        engine.SetConvertNulls(r.m_engineOptions->ConvertNulls());
        engine.SetDoublePass(r.m_engineOptions->DoublePass());
        r.m_engineOptions->assign(engine);
        const TrpPreviewOptions &loaded = *r.m_previewOptions;
        preview.SetOutlineVisible(loaded.OutlineVisible());
        preview.SetOutlineWidth(loaded.OutlineWidth());
        preview.SetOutlineExpand(loaded.OutlineExpand());
        preview.SetPagesInCache(loaded.PagesInCache());
        r.m_previewOptions->assign(preview);
        r.m_iniFile = iniFile;
        r.m_preview = previewControl;
        r.m_oldStyleProgress = oldStyleProgress;
        r.m_showProgress = showProgress;
        r.m_storeInDFM = storeInDFM;
    }
};

void TrpReport::LoadFromStream(platform::Stream &stream)
{
    m_errorList.clear();
    m_passwordRefused = false;
    HostSettings kept(*this);
    loadDefinition(stream);
    ensureDataPage();
    kept.restore(*this);
    m_reportOptions->SetPassword(UnscramblePassword(m_reportOptions->Password()));

    if (m_reloading || m_engineOptions->ThreadSafeMode() || m_reportOptions->CheckPassword()) {
        showErrors();
        return;
    }
    // A refused password drops the definition without a message.
    Clear();
    m_passwordRefused = true;
    m_errorList.add(QStringLiteral("Invalid password"));
}

void TrpReport::SaveToStream(platform::Stream &stream, bool saveChildren, bool saveDefaultValues)
{
    const QString password = m_reportOptions->Password();
    m_reportOptions->SetAcceptedPassword(password);
    m_reportOptions->SetPassword(ScramblePassword(password));
    TrpCustomPreview *preview = m_preview;
    m_preview = nullptr;
    struct Restore {
        TrpReport *r;
        TrpCustomPreview *preview;
        QString password;
        ~Restore()
        {
            r->m_preview = preview;
            r->m_reportOptions->SetPassword(password);
        }
    } restore{this, preview, password};
    TrpComponent::SaveToStream(stream, saveChildren, saveDefaultValues);
}

bool TrpReport::LoadFromFile(const QString &fileName, bool exceptionIfNotFound)
{
    Clear();
    m_reportFileName.clear();
    // Only regular files: a device or a folder is no definition.
    const QFileInfo info(fileName);
    if (!(info.exists() && info.isFile()) && !exceptionIfNotFound)
        return false;
    platform::FileStream file(fileName, platform::FileStream::Mode::Read);
    LoadFromStream(file);
    m_reportFileName = fileName;
    return true;
}

void TrpReport::SaveToFile(const QString &fileName)
{
    platform::MemoryStream bytes;
    SaveToStream(bytes, true, false);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data()) != bytes.size() || !file.commit())
        throw platform::StreamError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
}

void TrpReport::defineProperties(platform::PropertyFiler &filer)
{
    if (filer.isWriting() && !m_storeInDFM)
        return;
    struct Entry {
        const char *name;
        platform::Collection *collection;
    };
    for (const Entry &e : {Entry{"Datasets", m_dataSets.get()}, Entry{"Variables", m_variables.get()},
                           Entry{"Style", m_styles.get()}}) {
        platform::Collection *c = e.collection;
        filer.defineProperty(
            QString::fromLatin1(e.name), [this, c](platform::ValueReader &r) { ReadReportCollection(*c, r, this); },
            [this, c](platform::ValueWriter &w) { WriteReportCollection(*c, w, this); }, true);
    }
}

// --- preparing and showing

// Script and engine inside the protected block; errors land in ErrorList.
bool TrpReport::runPreparation()
{
    try {
        if (OnBeginDoc)
            OnBeginDoc(this);
        if (!m_engine || !m_script) {
            m_errorList.add(QStringLiteral("The report engine is not available"));
            return false;
        }
        if (!m_script->PrepareReportScript())
            return false;
        m_script->RunMainBlock();
        if (m_engine->Run()) {
            if (OnEndDoc)
                OnEndDoc(this);
            return true;
        }
        if (m_previewWindow)
            m_previewWindow->Close();
    } catch (const bralvo::Error &e) {
        m_errorList.add(e.userText());
    }
    return false;
}

bool TrpReport::PrepareReport(bool clearLastReport)
{
    if (clearLastReport && m_preparedPages)
        m_preparedPages->Clear();
    m_errorList.clear();
    m_terminated = false;
    bool result = false;
    for (int i = 0; i < m_dataSets->count(); ++i) {
        if (!m_dataSets->Items(i)->DataSet()) {
            QString text = GetResources().Get(QStringLiteral("clDSNotExist"));
            m_errorList.add(text.replace(QStringLiteral("%s"), m_dataSets->Items(i)->DataSetName()));
        }
    }
    if (m_errorList.count() == 0) {
        const QString password = m_reportOptions->Password();
        const bool reload = m_engineOptions->ReloadAfterRun();
        platform::MemoryStream saved;
        if (reload) {
            m_reportOptions->SetPassword(QString());
            SaveToStream(saved, true, false);
        }
        result = runPreparation();
        if (reload) {
            // Objects the script or dialogs changed return to their definition.
            const QString errors = m_errorList.text();
            saved.seek(0);
            m_reloading = true;
            try {
                LoadFromStream(saved);
            } catch (const bralvo::Error &) {
            }
            m_reloading = false;
            m_errorList.setText(errors);
        }
        m_reportOptions->SetPassword(password);
    }
    if (m_errorList.count() > 0) {
        result = false;
        HandleReportError(this, GetResources().Get(QStringLiteral("clErrors")) + kCrLf + m_errorList.text());
    }
    return result;
}

void TrpReport::ShowReport(bool clearLastReport)
{
    if (clearLastReport && m_preparedPages)
        m_preparedPages->Clear();
    if (!m_oldStyleProgress) {
        m_prepareTimer.start();
    } else if (!PrepareReport(false)) {
        return;
    }
    ShowPreparedPages();
}

void TrpReport::ShowPreparedPages()
{
    m_previewWindow = nullptr;
    if (m_preview) {
        m_preview->SetReport(this, m_preparedPages.get());
        m_preview->Init();
        return;
    }
    if (!reportMachinery().createPreviewWindow)
        return;
    std::unique_ptr<TrpPreviewWindow> window = reportMachinery().createPreviewWindow(*this);
    if (!window)
        return;
    m_previewWindow = window.get();
    TrpCustomPreview *control = window->Preview();
    if (control)
        control->SetReport(this, m_preparedPages.get());
    m_preview = control;
    // A window that frees itself on close takes its control along; the
    // removal notice then drops Preview and PreviewWindow.
    if (control)
        freeNotification(control);
    window->Init();
    if (OnPreview)
        OnPreview(this);
    const bool modal = m_previewOptions->Modal();
    if (modal) {
        window->Show(true, m_previewOptions->Maximized());
        if (m_preview)
            removeFreeNotification(m_preview);
        m_preview = nullptr;
        m_previewWindow = nullptr;
    } else {
        window->Show(false, m_previewOptions->Maximized());
        window.release(); // frees itself on close
    }
}

std::unique_ptr<platform::SettingsStore> TrpReport::GetIniFile() const
{
    return platform::openSettingsStore(m_iniFile);
}

// --- progress

bool TrpReport::progressWindowWanted(TrpProgressType type) const
{
    return (m_oldStyleProgress || type != ptRunning) && m_showProgress;
}

void TrpReport::BeginProgress(TrpProgressType type)
{
    if (m_engineOptions->ThreadSafeMode())
        return;
    if (OnProgressStart)
        OnProgressStart(this, type, 0);
    if (progressWindowWanted(type)) {
        m_progressShown = true;
        m_progressMessage.clear();
        m_progressWindow.reset();
        if (windows().createProgressWindow) {
            m_progressWindow = windows().createProgressWindow();
            if (m_progressWindow)
                m_progressWindow->Execute(0, QString(), false, true);
        }
    }
    if (m_preview && type == ptRunning)
        m_preview->PrepareStarted();
    QCoreApplication::processEvents();
}

void TrpReport::StepProgress(TrpProgressType type, int progress)
{
    if (m_engineOptions->ThreadSafeMode())
        return;
    if (OnProgress)
        OnProgress(this, type, progress);
    if (progressWindowWanted(type)) {
        QString key = QStringLiteral("prPrinting");
        if (type == ptRunning)
            key = (m_engine && !m_engine->FinalPass()) ? QStringLiteral("prRunningFirst") : QStringLiteral("prRunning");
        else if (type == ptExporting)
            key = QStringLiteral("prExporting");
        // A translated text is a format string; a malformed one must not
        // break preparation, so only "%d" is filled.
        QString text = GetResources().Get(key);
        text.replace(QStringLiteral("%d"), QString::number(progress));
        m_progressMessage = text;
        if (m_progressWindow) {
            m_progressWindow->SetMessage(text);
            if (m_progressWindow->Terminated())
                SetTerminated(true);
        }
    }
    if (m_preview && type == ptRunning)
        m_preview->StepPrepare(progress - 1);
    QCoreApplication::processEvents();
}

void TrpReport::EndProgress(TrpProgressType type)
{
    if (m_engineOptions->ThreadSafeMode())
        return;
    if (OnProgressStop)
        OnProgressStop(this, type, 0);
    if (progressWindowWanted(type)) {
        m_progressShown = false;
        m_progressMessage.clear();
        m_progressWindow.reset();
    }
    if (m_preview && type == ptRunning)
        m_preview->PrepareStopped();
    QCoreApplication::processEvents();
}

void TrpReport::SetProgressMessage(const QString &text)
{
    if (m_engineOptions->ThreadSafeMode())
        return;
    if (m_oldStyleProgress && m_engine && m_engine->IsRunning() && m_showProgress) {
        m_progressMessage = text;
        if (m_progressWindow)
            m_progressWindow->SetMessage(text);
    }
    if (m_previewWindow)
        m_previewWindow->SetStatusText(text);
    QCoreApplication::processEvents();
}

} // namespace bralvo::report
