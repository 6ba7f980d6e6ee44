// Option objects of the report and their property tables.
#include "report/model/trpoptions.h"

#include "platform/messageboxseam.h"
#include "platform/registryini.h"
#include "platform/valuecodec.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/trpwindows.h"

#include <QDateTime>

namespace bralvo::report {

using platform::EnumInfo;
using platform::PropertyBuilder;
using platform::PropertyTable;

const EnumInfo &silentModeEnum()
{
    static const EnumInfo e{QStringLiteral("TrpSilentMode"),
                            {QStringLiteral("simMessageBoxes"), QStringLiteral("simSilent"), QStringLiteral("simReThrow")}};
    return e;
}

const EnumInfo &zoomModeEnum()
{
    static const EnumInfo e{QStringLiteral("TrpZoomMode"),
                            {QStringLiteral("zmDefault"), QStringLiteral("zmWholePage"), QStringLiteral("zmPageWidth"),
                             QStringLiteral("zmManyPages")}};
    return e;
}

const EnumInfo &printModeEnum()
{
    static const EnumInfo e{QStringLiteral("TrpPrintMode"),
                            {QStringLiteral("pmDefault"), QStringLiteral("pmSplit"), QStringLiteral("pmJoin"),
                             QStringLiteral("pmScale")}};
    return e;
}

const EnumInfo &printPagesEnum()
{
    static const EnumInfo e{QStringLiteral("TrpPrintPages"),
                            {QStringLiteral("ppAll"), QStringLiteral("ppOdd"), QStringLiteral("ppEven")}};
    return e;
}

const EnumInfo &previewButtonEnum()
{
    static const EnumInfo e{QStringLiteral("TrpPreviewButtons"),
                            {QStringLiteral("pbPrint"), QStringLiteral("pbLoad"), QStringLiteral("pbSave"),
                             QStringLiteral("pbExport"), QStringLiteral("pbZoom"), QStringLiteral("pbFind"),
                             QStringLiteral("pbOutline"), QStringLiteral("pbPageSetup"), QStringLiteral("pbTools"),
                             QStringLiteral("pbEdit"), QStringLiteral("pbNavigator"), QStringLiteral("pbExportQuick"),
                             QStringLiteral("pbNoClose"), QStringLiteral("pbNoFullScreen"), QStringLiteral("pbNoEmail")}};
    return e;
}

// --- engine options

const platform::ClassInfo &TrpEngineOptions::staticClass()
{
    using T = TrpEngineOptions;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpEngineOptions", &platform::Persistent::staticClass(), [](platform::Component *) { return new T; },
        [](PropertyTable &t) {
            PropertyBuilder<T> b(t);
            b.boolean("ConvertNulls", &T::ConvertNulls, &T::SetConvertNulls, true);
            b.boolean("DoublePass", &T::DoublePass, &T::SetDoublePass, false);
            b.integer("MaxMemSize", &T::MaxMemSize, &T::SetMaxMemSize, 10);
            b.boolean("PrintIfEmpty", &T::PrintIfEmpty, &T::SetPrintIfEmpty, true);
            b.boolean("SilentMode", &T::SilentMode, &T::SetSilentMode, false)
                .storedIf([](const T &) { return false; });
            b.enumeration("NewSilentMode", silentModeEnum(), &T::NewSilentMode, &T::SetNewSilentMode,
                          simMessageBoxes);
            b.string("TempDir", &T::TempDir, &T::SetTempDir);
            b.boolean("UseFileCache", &T::UseFileCache, &T::SetUseFileCache, false);
        });
    return info;
}

TrpEngineOptions::TrpEngineOptions()
{
    Clear();
}

void TrpEngineOptions::Clear()
{
    m_convertNulls = true;
    m_doublePass = false;
}

void TrpEngineOptions::assign(const platform::Persistent &source)
{
    const auto *o = dynamic_cast<const TrpEngineOptions *>(&source);
    if (!o)
        return;
    m_convertNulls = o->m_convertNulls;
    m_doublePass = o->m_doublePass;
    m_maxMemSize = o->m_maxMemSize;
    m_printIfEmpty = o->m_printIfEmpty;
    m_newSilentMode = o->m_newSilentMode;
    m_tempDir = o->m_tempDir;
    m_useFileCache = o->m_useFileCache;
}

// --- preview options

const platform::ClassInfo &TrpPreviewOptions::staticClass()
{
    using T = TrpPreviewOptions;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpPreviewOptions", &platform::Persistent::staticClass(), [](platform::Component *) { return new T; },
        [](PropertyTable &t) {
            PropertyBuilder<T> b(t);
            b.boolean("AllowEdit", &T::AllowEdit, &T::SetAllowEdit, true);
            b.set("Buttons", previewButtonEnum(), &T::Buttons, &T::SetButtons);
            b.boolean("DoubleBuffered", &T::DoubleBuffered, &T::SetDoubleBuffered, true);
            b.boolean("Maximized", &T::Maximized, &T::SetMaximized, true);
            b.boolean("MDIChild", &T::MDIChild, &T::SetMDIChild, false);
            b.boolean("Modal", &T::Modal, &T::SetModal, true);
            b.boolean("OutlineExpand", &T::OutlineExpand, &T::SetOutlineExpand, true);
            b.boolean("OutlineVisible", &T::OutlineVisible, &T::SetOutlineVisible, false);
            b.integer("OutlineWidth", &T::OutlineWidth, &T::SetOutlineWidth, 120);
            b.integer("PagesInCache", &T::PagesInCache, &T::SetPagesInCache, 50);
            b.boolean("ThumbnailVisible", &T::ThumbnailVisible, &T::SetThumbnailVisible, false);
            b.boolean("ShowCaptions", &T::ShowCaptions, &T::SetShowCaptions, false);
            b.floating("Zoom", &T::Zoom, &T::SetZoom);
            b.enumeration("ZoomMode", zoomModeEnum(), &T::ZoomMode, &T::SetZoomMode, zmDefault);
        });
    return info;
}

TrpPreviewOptions::TrpPreviewOptions()
{
    Clear();
}

void TrpPreviewOptions::Clear()
{
    m_outlineExpand = true;
    m_outlineVisible = false;
    m_outlineWidth = 120;
    m_pagesInCache = 50;
    m_thumbnailVisible = false;
}

void TrpPreviewOptions::assign(const platform::Persistent &source)
{
    const auto *o = dynamic_cast<const TrpPreviewOptions *>(&source);
    if (!o || o == this)
        return;
    m_allowEdit = o->m_allowEdit;
    m_buttons = o->m_buttons;
    m_doubleBuffered = o->m_doubleBuffered;
    m_maximized = o->m_maximized;
    m_mdiChild = o->m_mdiChild;
    m_modal = o->m_modal;
    m_outlineExpand = o->m_outlineExpand;
    m_outlineVisible = o->m_outlineVisible;
    m_outlineWidth = o->m_outlineWidth;
    m_pagesInCache = o->m_pagesInCache;
    m_thumbnailVisible = o->m_thumbnailVisible;
    m_showCaptions = o->m_showCaptions;
    m_zoom = o->m_zoom;
    m_zoomMode = o->m_zoomMode;
}

// --- print options

const platform::ClassInfo &TrpPrintOptions::staticClass()
{
    using T = TrpPrintOptions;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpPrintOptions", &platform::Persistent::staticClass(), [](platform::Component *) { return new T; },
        [](PropertyTable &t) {
            PropertyBuilder<T> b(t);
            b.integer("Copies", &T::Copies, &T::SetCopies, 1);
            b.boolean("Collate", &T::Collate, &T::SetCollate, true);
            b.string("PageNumbers", &T::PageNumbers, &T::SetPageNumbers);
            b.string("Printer", &T::Printer, &T::SetPrinter);
            b.enumeration("PrintMode", printModeEnum(), &T::PrintMode, &T::SetPrintMode, pmDefault);
            b.integer("PrintOnSheet", &T::PrintOnSheet, &T::SetPrintOnSheet);
            b.enumeration("PrintPages", printPagesEnum(), &T::PrintPages, &T::SetPrintPages, ppAll);
            b.boolean("Reverse", &T::Reverse, &T::SetReverse, false);
            b.boolean("ShowDialog", &T::ShowDialog, &T::SetShowDialog, true);
        });
    return info;
}

TrpPrintOptions::TrpPrintOptions()
{
    Clear();
}

void TrpPrintOptions::Clear()
{
    m_copies = 1;
    m_collate = true;
    m_pageNumbers.clear();
    m_printer = GetResources().Get(QStringLiteral("prDefault"));
    m_printMode = pmDefault;
    m_printOnSheet = 0;
    m_printPages = ppAll;
    m_reverse = false;
    m_showDialog = true;
}

void TrpPrintOptions::assign(const platform::Persistent &source)
{
    const auto *o = dynamic_cast<const TrpPrintOptions *>(&source);
    if (!o || o == this)
        return;
    m_copies = o->m_copies;
    m_collate = o->m_collate;
    m_pageNumbers = o->m_pageNumbers;
    m_printer = o->m_printer;
    m_printMode = o->m_printMode;
    m_printOnSheet = o->m_printOnSheet;
    m_printPages = o->m_printPages;
    m_reverse = o->m_reverse;
    m_showDialog = o->m_showDialog;
}

// --- report options

const platform::ClassInfo &TrpReportOptions::staticClass()
{
    using T = TrpReportOptions;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpReportOptions", &platform::Persistent::staticClass(), [](platform::Component *) { return new T; },
        [](PropertyTable &t) {
            PropertyBuilder<T> b(t);
            b.string("Author", &T::Author, &T::SetAuthor);
            b.boolean("Compressed", &T::Compressed, &T::SetCompressed, false);
            b.string("ConnectionName", &T::ConnectionName, &T::SetConnectionName);
            b.floating("CreateDate", &T::CreateDate, &T::SetCreateDate);
            b.object<platform::StringList>("Description", &T::Description, &T::SetDescription);
            b.string("InitString", &T::InitString, &T::SetInitString);
            b.string("Name", &T::Name, &T::SetName);
            b.floating("LastChange", &T::LastChange, &T::SetLastChange);
            b.string("Password", &T::Password, &T::SetPassword);
            b.object<TrpPicture>("Picture", &T::Picture, &T::SetPicture);
            b.string("VersionBuild", &T::VersionBuild, &T::SetVersionBuild);
            b.string("VersionMajor", &T::VersionMajor, &T::SetVersionMajor);
            b.string("VersionMinor", &T::VersionMinor, &T::SetVersionMinor);
            b.string("VersionRelease", &T::VersionRelease, &T::SetVersionRelease);
        });
    return info;
}

TrpReportOptions::TrpReportOptions(TrpReport *report)
    : m_report(report), m_description(std::make_unique<platform::StringList>()),
      m_picture(std::make_unique<TrpPicture>())
{
    Clear();
}

double TrpReportOptions::Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate epoch(1899, 12, 30);
    const double days = double(epoch.daysTo(now.date()));
    return days + double(now.time().msecsSinceStartOfDay()) / 86400000.0;
}

void TrpReportOptions::Clear()
{
    m_author.clear();
    m_compressed = false;
    m_connectionName.clear();
    m_createDate = Now();
    m_description->clear();
    m_initString.clear();
    m_name.clear();
    m_lastChange = Now();
    m_password.clear();
    m_picture->SetData(QByteArray());
    m_versionBuild.clear();
    m_versionMajor.clear();
    m_versionMinor.clear();
    m_versionRelease.clear();
    m_acceptedPassword.clear();
}

void TrpReportOptions::assign(const platform::Persistent &source)
{
    const auto *o = dynamic_cast<const TrpReportOptions *>(&source);
    if (!o || o == this)
        return;
    m_author = o->m_author;
    m_compressed = o->m_compressed;
    m_connectionName = o->m_connectionName;
    m_createDate = o->m_createDate;
    m_description->assign(*o->m_description);
    m_initString = o->m_initString;
    m_name = o->m_name;
    m_lastChange = o->m_lastChange;
    m_password = o->m_password;
    m_picture->assign(*o->m_picture);
    m_versionBuild = o->m_versionBuild;
    m_versionMajor = o->m_versionMajor;
    m_versionMinor = o->m_versionMinor;
    m_versionRelease = o->m_versionRelease;
}

void TrpReportOptions::SetDescription(const platform::StringList *v)
{
    if (v && v != m_description.get())
        m_description->assign(*v);
}

void TrpReportOptions::SetPicture(const TrpPicture *v)
{
    if (v && v != m_picture.get())
        m_picture->assign(*v);
}

void TrpReportOptions::SetConnectionName(const QString &v)
{
    m_connectionName = v;
    if (v.isEmpty() || !m_report || !m_report->OnApplyConnection)
        return;
    const QString key = QStringLiteral("\\Software\\Dori Zirovad\\Connections");
    using Root = platform::RegistryIniStore::Root;
    for (Root root : {Root::LocalMachine, Root::CurrentUser}) {
        const platform::RegistryIniStore store(key, root);
        const QString value = store.readString(QString(), v, QString());
        if (!value.isEmpty())
            m_report->OnApplyConnection(value);
    }
}

bool TrpReportOptions::CheckPassword()
{
    if (m_password.isEmpty() || m_password == m_acceptedPassword)
        return true;
    TrpResources &res = GetResources();
    const std::optional<QString> typed =
        reportWindows().askPassword
            ? reportWindows().askPassword()
            : platform::messageBoxSeam().askText(res.Get(QStringLiteral("5000")), res.Get(QStringLiteral("5001")),
                                                 QString());
    if (typed && *typed == m_password) {
        m_acceptedPassword = m_password;
        return true;
    }
    return false;
}

} // namespace bralvo::report
