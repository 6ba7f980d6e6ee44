// The abstract bases of the engine, the prepared-pages store and the
// export filters: their persistent members, the export protocol every
// filter runs through, and the plug-ins' working streams.
#include "report/model/trpenginebases.h"

#include "platform/stream.h"
#include "report/model/reporterror.h"
#include "report/model/trpband.h"
#include "report/model/trpdisplayformat.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trppictureview.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/trputils.h"
#include "report/model/trpview.h"

#include "report/registry/trpexportfilterregistry.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <new>

namespace bralvo::report {

namespace {

// Whether Obj's class is, or descends from, the class of that name (the
// band kinds are known here only by name).
bool isKindOf(const platform::Persistent &obj, const char *className)
{
    for (const platform::ClassInfo *c = &obj.classInfo(); c; c = c->parent) {
        if (c->name == QLatin1String(className))
            return true;
    }
    return false;
}

// The page's colour, frame and background picture as one picture view
// over the printable area, exported first on every page. Objects of a
// prepared page sit inside the margins, so it starts at (0, 0) as they do.
std::unique_ptr<TrpPictureView> makePageBackground(const TrpReportPage &page)
{
    auto view = std::make_unique<TrpPictureView>(nullptr);
    view->setName(QStringLiteral("_pagebackground"));
    view->SetColor(page.Color());
    view->SetFrame(page.Frame());
    view->SetPicture(page.BackPicture());
    view->SetStretched(true);
    view->SetKeepAspectRatio(false);
    view->SetBounds(0, 0, page.Width() - (page.LeftMargin() + page.RightMargin()) * kPixelsPerMm,
                    page.Height() - (page.TopMargin() + page.BottomMargin()) * kPixelsPerMm);
    return view;
}

// What the preview and printing do to a memo before drawing it, so a
// file shows what the preview shows: the highlight's font, the page count
// and copy 1 with their macros resolved, and an auto-width memo sized by
// one drawing on a scratch bitmap.
void prepareMemoForExport(TrpCustomMemoView &memo, int pageCount)
{
    if (memo.Highlight()->Active())
        memo.SetFont(memo.Highlight()->Font());
    memo.SetTotalPages(pageCount);
    memo.SetCopyNo(1);
    memo.ApplyPrintMacros();
    if (!memo.AutoWidth())
        return;
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    memo.Draw(painter, 1, 1, 0, 0);
}

// Shows no pages while an export changes them; unlocked (and so
// repainted) however the export ends.
class ScopedPreviewLock {
public:
    explicit ScopedPreviewLock(TrpCustomPreview *preview) : m_preview(preview)
    {
        if (m_preview)
            m_preview->Lock();
    }
    ~ScopedPreviewLock()
    {
        if (m_preview)
            m_preview->Unlock();
    }
    ScopedPreviewLock(const ScopedPreviewLock &) = delete;
    ScopedPreviewLock &operator=(const ScopedPreviewLock &) = delete;

private:
    TrpCustomPreview *m_preview;
};

// Gives the filter a page range for one export only: CurrentPageOnly
// must not leave the shown page as the range of the next export.
class ScopedPageRange {
public:
    ScopedPageRange(TrpCustomExportFilter &filter, const QString &range)
        : m_filter(filter), m_saved(filter.PageRange())
    {
        m_filter.SetPageRange(range);
    }
    ~ScopedPageRange() { m_filter.SetPageRange(m_saved); }
    ScopedPageRange(const ScopedPageRange &) = delete;
    ScopedPageRange &operator=(const ScopedPageRange &) = delete;

private:
    TrpCustomExportFilter &m_filter;
    QString m_saved;
};

} // namespace

// --- TrpCustomEngine

const platform::ClassInfo &TrpCustomEngine::staticClass()
{
    using T = TrpCustomEngine;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpCustomEngine", &platform::Persistent::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.integer("CurColumn", &T::CurColumn, &T::SetCurColumn);
            b.integer("CurVColumn", &T::CurVColumn, &T::SetCurVColumn);
            b.floating("CurX", &T::CurX, &T::SetCurX);
            b.floating("CurY", &T::CurY, &T::SetCurY);
            b.boolean("DoublePass", &T::DoublePass, nullptr);
            b.boolean("FinalPass", &T::FinalPass, &T::SetFinalPass);
            b.floating("PageHeight", &T::PageHeight, &T::SetPageHeight);
            b.floating("PageWidth", &T::PageWidth, &T::SetPageWidth);
            b.integer("TotalPages", &T::TotalPages, &T::SetTotalPages);
        });
    return info;
}

TrpCustomEngine::~TrpCustomEngine() = default;

bool TrpCustomEngine::DoublePass() const
{
    return m_report && m_report->EngineOptions()->DoublePass();
}

void TrpCustomEngine::StopReport()
{
    if (m_report)
        m_report->SetTerminated(true);
}

// --- TrpCustomOutline

const platform::ClassInfo &TrpCustomOutline::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpCustomOutline", &platform::Persistent::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

// --- TrpCustomPreviewPages

TrpCustomPreviewPages::~TrpCustomPreviewPages() = default;

void TrpCustomPreviewPages::SetOutline(std::unique_ptr<TrpCustomOutline> outline)
{
    m_outline = std::move(outline);
}

// One page: StartPage, the background, every band with its objects
// (headers and footers thinned by OnePageHeaderFooter), FinishPage.
bool TrpCustomPreviewPages::exportPage(TrpCustomExportFilter &filter, int index)
{
    TrpReportPage *page = GetPage(index);
    if (!page)
        return false;
    if (filter.ShowProgress())
        m_report->StepProgress(ptExporting, index + 1);
    filter.StartPage(page, index);
    const std::unique_ptr<TrpPictureView> background = makePageBackground(*page);
    filter.ExportObject(background.get());
    const bool first = index == 0;
    const bool last = index == GetCount() - 1;
    for (TrpComponent *c : page->Objects()) {
        auto *band = dynamic_cast<TrpReportComponent *>(c);
        if (!band)
            continue;
        if (filter.OnePageHeaderFooter() && ((!first && isKindOf(*band, "TrpPageHeader")) ||
                                             (!last && isKindOf(*band, "TrpPageFooter"))))
            continue;
        filter.ExportObject(band);
        for (TrpComponent *o : band->Objects()) {
            auto *obj = dynamic_cast<TrpReportComponent *>(o);
            if (!obj)
                continue;
            if (auto *memo = dynamic_cast<TrpCustomMemoView *>(obj))
                prepareMemoForExport(*memo, GetCount());
            filter.ExportObject(obj);
        }
    }
    filter.FinishPage(page, index);
    return true;
}

// The pages of Wanted (all when empty) between Start and Finish; the
// error text of what failed, empty on success. Finish runs whatever
// happened: a started export is finished exactly once.
QString TrpCustomPreviewPages::exportPages(TrpCustomExportFilter &filter, const QSet<int> &wanted)
{
    QString error;
    const ScopedPreviewLock lock(m_report->Preview());
    try {
        if (filter.ShowProgress())
            m_report->BeginProgress(ptExporting);
        for (int i = 0; i < GetCount(); ++i) {
            if (!wanted.isEmpty() && !wanted.contains(i + 1))
                continue;
            exportPage(filter, i);
            if (m_report->Terminated())
                break;
            QCoreApplication::processEvents();
        }
    } catch (const bralvo::Error &e) {
        error = e.userText();
    } catch (const std::bad_alloc &) {
        error = QStringLiteral("Out of memory");
    }
    if (filter.ShowProgress())
        m_report->EndProgress(ptExporting);
    try {
        filter.Finish();
    } catch (const bralvo::Error &e) {
        if (error.isEmpty())
            error = e.userText();
    } catch (const std::bad_alloc &) {
        if (error.isEmpty())
            error = QStringLiteral("Out of memory");
    }
    return error;
}

bool TrpCustomPreviewPages::Export(TrpCustomExportFilter *filter)
{
    if (!filter || !m_report)
        return false;
    TrpReport &report = *m_report;
    filter->SetReport(&report);
    // A caller that gave a stream has chosen already.
    if (filter->ShowDialog() && !filter->Stream() && filter->ShowModal() != 1)
        return false;
    QString range = filter->PageRange();
    if (filter->CurrentPageOnly())
        range = report.Preview() ? QString::number(m_previewPageNo) : QStringLiteral("1");
    const ScopedPageRange scopedRange(*filter, range);
    report.SetTerminated(false);
    QString error;
    QSet<int> wanted;
    try {
        platform::StringList pages;
        ParsePageNumbers(range, pages, GetCount());
        for (int i = 0; i < pages.count(); ++i)
            wanted.insert(pages.at(i).toInt());
    } catch (const bralvo::Error &e) {
        error = e.userText(); // a typing error in the range: reported, nothing started
    }
    if (error.isEmpty()) {
        if (!filter->Start())
            return false;
        error = exportPages(*filter, wanted);
    }
    if (error.isEmpty())
        return !report.Terminated();  // a stopped export is no finished file
    report.ErrorList().setText(error);
    HandleReportError(&report, GetResources().Get(QStringLiteral("clErrors")) + QStringLiteral("\r\n") +
                                   report.ErrorList().text());
    return false;
}

// --- TrpCustomExportFilter

const platform::ClassInfo &TrpCustomExportFilter::staticClass()
{
    using T = TrpCustomExportFilter;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpCustomExportFilter", &platform::Component::staticClass(), nullptr, [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.boolean("ShowDialog", &T::ShowDialog, &T::SetShowDialog, true);
            b.string("FileName", &T::FileName, &T::SetFileName);
            b.boolean("ExportNotPrintable", &T::ExportNotPrintable, &T::SetExportNotPrintable, false);
            // No declared default: always written.
            b.boolean("UseFileCache", &T::UseFileCache, &T::SetUseFileCache);
            b.string("DefaultPath", &T::DefaultPath, &T::SetDefaultPath);
            b.boolean("ShowProgress", &T::ShowProgress, &T::SetShowProgress);
        });
    return info;
}

TrpCustomExportFilter::TrpCustomExportFilter(platform::Component *owner) : platform::Component(owner)
{
    GetExportFilterRegistry().Register(this);
}

TrpCustomExportFilter::~TrpCustomExportFilter()
{
    UnregisterExportFilter(this);
}

QList<TrpCustomExportFilter *> exportFilters()
{
    QList<TrpCustomExportFilter *> list;
    const TrpExportFilterCollection &registry = GetExportFilterRegistry();
    for (int i = 0; i < registry.Count(); ++i)
        list.append(registry.Items(i)->Filter);
    return list;
}

// --- TrpCustomWizard

const platform::ClassInfo &TrpCustomWizard::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpCustomWizard", &platform::Component::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

// --- plug-ins

TrpCustomCompressor::~TrpCustomCompressor()
{
    m_stream.reset();
    if (!m_tempFileName.isEmpty())
        QFile::remove(m_tempFileName);
}

void TrpCustomCompressor::CreateCompressorStream()
{
    const TrpEngineOptions *options = m_report ? m_report->EngineOptions() : nullptr;
    if (m_isDefinition || !options || !options->UseFileCache()) {
        m_stream = std::make_unique<platform::MemoryStream>();
        return;
    }
    m_tempFileName = options->TempDir().isEmpty() ? MakeTempFileName() : MakeTempFileNameIn(options->TempDir());
    m_stream = std::make_unique<platform::FileStream>(m_tempFileName, platform::FileStream::Mode::Create);
}

TrpCustomCrypter::TrpCustomCrypter() : m_stream(std::make_unique<platform::MemoryStream>()) {}

TrpCustomCrypter::~TrpCustomCrypter() = default;

// --- script host

platform::Variant TrpReportScriptHost::CalcExpression(const QString &, script::TscScript *, QString &errorText)
{
    errorText = QStringLiteral("Expression evaluation is not available");
    return platform::Variant::null();
}

void TrpReportScriptHost::RunScriptEventParams(const QString &, platform::Variant &) {}

void TrpReportScriptHost::SetValueVariable(const platform::Variant &) {}

} // namespace bralvo::report
