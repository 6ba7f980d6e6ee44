// The four option objects a report owns: preparing (EngineOptions), the
// preview window (PreviewOptions), printing (PrintOptions) and the
// report's own description, password and connection (ReportOptions).
// Each is a plain persistent object; assign copies only from its own
// class and is a no-op otherwise.
#pragma once

#include "platform/persistent.h"
#include "platform/stringlist.h"
#include "report/model/trppicture.h"

#include <QString>
#include <memory>

namespace bralvo::report {

class TrpReport;

enum TrpSilentMode : int { simMessageBoxes = 0, simSilent = 1, simReThrow = 2 };
enum TrpZoomMode : int { zmDefault = 0, zmWholePage = 1, zmPageWidth = 2, zmManyPages = 3 };
enum TrpPrintMode : int { pmDefault = 0, pmSplit = 1, pmJoin = 2, pmScale = 3 };
enum TrpPrintPages : int { ppAll = 0, ppOdd = 1, ppEven = 2 };
// Bits of PreviewOptions.Buttons (bit i = member i).
enum TrpPreviewButton : int {
    pbPrint, pbLoad, pbSave, pbExport, pbZoom, pbFind, pbOutline, pbPageSetup, pbTools, pbEdit,
    pbNavigator, pbExportQuick, pbNoClose, pbNoFullScreen, pbNoEmail
};
inline constexpr int kDefaultPreviewButtons = (1 << 12) - 1; // the first twelve

const platform::EnumInfo &silentModeEnum();
const platform::EnumInfo &zoomModeEnum();
const platform::EnumInfo &printModeEnum();
const platform::EnumInfo &printPagesEnum();
const platform::EnumInfo &previewButtonEnum();

class TrpEngineOptions : public platform::Persistent {
    BRALVO_CLASS(TrpEngineOptions)
public:
    TrpEngineOptions();

    // Resets ConvertNulls and DoublePass only.
    void Clear();
    // Copies the seven persistent members from another engine options.
    void assign(const platform::Persistent &source) override;

    bool ConvertNulls() const { return m_convertNulls; }
    void SetConvertNulls(bool v) { m_convertNulls = v; }
    bool DoublePass() const { return m_doublePass; }
    void SetDoublePass(bool v) { m_doublePass = v; }
    int MaxMemSize() const { return m_maxMemSize; }
    void SetMaxMemSize(int v) { m_maxMemSize = v; }
    bool PrintIfEmpty() const { return m_printIfEmpty; }
    void SetPrintIfEmpty(bool v) { m_printIfEmpty = v; }
    // A view of NewSilentMode: true exactly when it is simSilent.
    bool SilentMode() const { return m_newSilentMode == simSilent; }
    void SetSilentMode(bool v) { m_newSilentMode = v ? simSilent : simMessageBoxes; }
    TrpSilentMode NewSilentMode() const { return m_newSilentMode; }
    void SetNewSilentMode(TrpSilentMode v) { m_newSilentMode = v; }
    QString TempDir() const { return m_tempDir; }
    void SetTempDir(const QString &v) { m_tempDir = v; }
    bool UseFileCache() const { return m_useFileCache; }
    void SetUseFileCache(bool v) { m_useFileCache = v; }
    bool ThreadSafeMode() const { return m_threadSafeMode; }
    void SetThreadSafeMode(bool v) { m_threadSafeMode = v; }
    bool ReloadAfterRun() const { return m_reloadAfterRun; }
    void SetReloadAfterRun(bool v) { m_reloadAfterRun = v; }

private:
    bool m_convertNulls = true;
    bool m_doublePass = false;
    int m_maxMemSize = 10;
    bool m_printIfEmpty = true;
    TrpSilentMode m_newSilentMode = simMessageBoxes;
    QString m_tempDir;
    bool m_useFileCache = false;
    bool m_threadSafeMode = false;
    bool m_reloadAfterRun = true;
};

class TrpPreviewOptions : public platform::Persistent {
    BRALVO_CLASS(TrpPreviewOptions)
public:
    TrpPreviewOptions();

    // Resets OutlineExpand, OutlineVisible, OutlineWidth, PagesInCache,
    // ThumbnailVisible.
    void Clear();
    void assign(const platform::Persistent &source) override;

    bool AllowEdit() const { return m_allowEdit; }
    void SetAllowEdit(bool v) { m_allowEdit = v; }
    int Buttons() const { return m_buttons; }
    void SetButtons(int v) { m_buttons = v; }
    bool DoubleBuffered() const { return m_doubleBuffered; }
    void SetDoubleBuffered(bool v) { m_doubleBuffered = v; }
    bool Maximized() const { return m_maximized; }
    void SetMaximized(bool v) { m_maximized = v; }
    bool MDIChild() const { return m_mdiChild; }
    void SetMDIChild(bool v) { m_mdiChild = v; }
    bool Modal() const { return m_modal; }
    void SetModal(bool v) { m_modal = v; }
    bool OutlineExpand() const { return m_outlineExpand; }
    void SetOutlineExpand(bool v) { m_outlineExpand = v; }
    bool OutlineVisible() const { return m_outlineVisible; }
    void SetOutlineVisible(bool v) { m_outlineVisible = v; }
    int OutlineWidth() const { return m_outlineWidth; }
    void SetOutlineWidth(int v) { m_outlineWidth = v; }
    int PagesInCache() const { return m_pagesInCache; }
    void SetPagesInCache(int v) { m_pagesInCache = v; }
    bool ThumbnailVisible() const { return m_thumbnailVisible; }
    void SetThumbnailVisible(bool v) { m_thumbnailVisible = v; }
    bool ShowCaptions() const { return m_showCaptions; }
    void SetShowCaptions(bool v) { m_showCaptions = v; }
    double Zoom() const { return m_zoom; }
    void SetZoom(double v) { m_zoom = v; }
    TrpZoomMode ZoomMode() const { return m_zoomMode; }
    void SetZoomMode(TrpZoomMode v) { m_zoomMode = v; }

private:
    bool m_allowEdit = true;
    int m_buttons = kDefaultPreviewButtons;
    bool m_doubleBuffered = true;
    bool m_maximized = true;
    bool m_mdiChild = false;
    bool m_modal = true;
    bool m_outlineExpand = true;
    bool m_outlineVisible = false;
    int m_outlineWidth = 120;
    int m_pagesInCache = 50;
    bool m_thumbnailVisible = false;
    bool m_showCaptions = false;
    double m_zoom = 1.0;
    TrpZoomMode m_zoomMode = zmDefault;
};

class TrpPrintOptions : public platform::Persistent {
    BRALVO_CLASS(TrpPrintOptions)
public:
    TrpPrintOptions();

    // Every member back to its default (Printer: library text "prDefault").
    void Clear();
    void assign(const platform::Persistent &source) override;

    int Copies() const { return m_copies; }
    void SetCopies(int v) { m_copies = v; }
    bool Collate() const { return m_collate; }
    void SetCollate(bool v) { m_collate = v; }
    QString PageNumbers() const { return m_pageNumbers; }
    void SetPageNumbers(const QString &v) { m_pageNumbers = v; }
    QString Printer() const { return m_printer; }
    void SetPrinter(const QString &v) { m_printer = v; }
    TrpPrintMode PrintMode() const { return m_printMode; }
    void SetPrintMode(TrpPrintMode v) { m_printMode = v; }
    int PrintOnSheet() const { return m_printOnSheet; }
    void SetPrintOnSheet(int v) { m_printOnSheet = v; }
    TrpPrintPages PrintPages() const { return m_printPages; }
    void SetPrintPages(TrpPrintPages v) { m_printPages = v; }
    bool Reverse() const { return m_reverse; }
    void SetReverse(bool v) { m_reverse = v; }
    bool ShowDialog() const { return m_showDialog; }
    void SetShowDialog(bool v) { m_showDialog = v; }

private:
    int m_copies = 1;
    bool m_collate = true;
    QString m_pageNumbers;
    QString m_printer;
    TrpPrintMode m_printMode = pmDefault;
    int m_printOnSheet = 0;
    TrpPrintPages m_printPages = ppAll;
    bool m_reverse = false;
    bool m_showDialog = true;
};

class TrpReportOptions : public platform::Persistent {
    BRALVO_CLASS(TrpReportOptions)
public:
    explicit TrpReportOptions(TrpReport *report = nullptr);

    // Empties everything; the dates become the current date and time.
    void Clear();
    void assign(const platform::Persistent &source) override;

    TrpReport *Report() const { return m_report; }
    QString Author() const { return m_author; }
    void SetAuthor(const QString &v) { m_author = v; }
    bool Compressed() const { return m_compressed; }
    void SetCompressed(bool v) { m_compressed = v; }
    QString ConnectionName() const { return m_connectionName; }
    // Stores the name; when not empty and the report's OnApplyConnection
    // is set, passes the value of that name under "\Software\Dori
    // Zirovad\Connections" from the machine-wide store, then from the
    // user's store (each only when not empty).
    void SetConnectionName(const QString &v);
    // Day counts (days since 30.12.1899, fraction = time of day).
    double CreateDate() const { return m_createDate; }
    void SetCreateDate(double v) { m_createDate = v; }
    platform::StringList *Description() const { return m_description.get(); }
    void SetDescription(const platform::StringList *v);
    QString InitString() const { return m_initString; }
    void SetInitString(const QString &v) { m_initString = v; }
    QString Name() const { return m_name; }
    void SetName(const QString &v) { m_name = v; }
    double LastChange() const { return m_lastChange; }
    void SetLastChange(double v) { m_lastChange = v; }
    QString Password() const { return m_password; }
    void SetPassword(const QString &v) { m_password = v; }
    TrpPicture *Picture() const { return m_picture.get(); }
    void SetPicture(const TrpPicture *v);
    QString VersionBuild() const { return m_versionBuild; }
    void SetVersionBuild(const QString &v) { m_versionBuild = v; }
    QString VersionMajor() const { return m_versionMajor; }
    void SetVersionMajor(const QString &v) { m_versionMajor = v; }
    QString VersionMinor() const { return m_versionMinor; }
    void SetVersionMinor(const QString &v) { m_versionMinor = v; }
    QString VersionRelease() const { return m_versionRelease; }
    void SetVersionRelease(const QString &v) { m_versionRelease = v; }
    QString AcceptedPassword() const { return m_acceptedPassword; }
    void SetAcceptedPassword(const QString &v) { m_acceptedPassword = v; }

    // True when Password is empty or already accepted; otherwise asks
    // (the installed password window, else the message-box seam) and
    // accepts the right text.
    bool CheckPassword();

    // The current local date and time as a day count.
    static double Now();

private:
    TrpReport *m_report;
    QString m_author;
    bool m_compressed = false;
    QString m_connectionName;
    double m_createDate = 0;
    std::unique_ptr<platform::StringList> m_description;
    QString m_initString;
    QString m_name;
    double m_lastChange = 0;
    QString m_password;
    std::unique_ptr<TrpPicture> m_picture;
    QString m_versionBuild, m_versionMajor, m_versionMinor, m_versionRelease;
    QString m_acceptedPassword;
};

} // namespace bralvo::report
