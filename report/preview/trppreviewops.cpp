// The preview control's user operations: printing, exporting, prepared
// report files, page set-up and editing, text search, page adding and
// deleting, cancelling.
#include "report/preview/trppreview.h"

#include "platform/messageboxseam.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/preview/trppagesettingsform.h"
#include "report/preview/trpsearchdialog.h"
#include "report/preview/trptextsearch.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>

namespace bralvo::report {

namespace {

// Runs Action; Cleanup runs afterwards, also when Action throws.
template <typename Action, typename Cleanup>
void withCleanup(Action action, Cleanup cleanup)
{
    try {
        action();
    } catch (...) {
        cleanup();
        throw;
    }
    cleanup();
}

QString rp3Filter()
{
    return GetResources().Get(QStringLiteral("clRP3files")) + QStringLiteral(" (*.rp3)");
}

} // namespace

void TrpPreview::Print()
{
    if (m_running || !m_pages)
        return;
    m_pages->SetPreviewPageNo(m_currentPage);
    withCleanup([this] { m_pages->Print(); }, [this] { Unlock(); });
}

// The dot-matrix export stands in for a plain text export of a
// dot-matrix report.
TrpCustomExportFilter *TrpPreview::dotMatrixSubstitute(TrpCustomExportFilter *filter) const
{
    if (!m_report || !m_report->DotMatrixReport() || filter->className() != QLatin1String("TrpTextExport"))
        return filter;
    for (TrpCustomExportFilter *f : exportFilters()) {
        if (f->className() == QLatin1String("TrpDotMatrixExport"))
            return f;
    }
    return filter;
}

void TrpPreview::Export(TrpCustomExportFilter *filter)
{
    if (m_running || !m_pages || !filter)
        return;
    m_pages->SetPreviewPageNo(m_currentPage);
    TrpCustomExportFilter *used = dotMatrixSubstitute(filter);
    withCleanup([this, used] { m_pages->Export(used); }, [this] { Unlock(); });
}

void TrpPreview::SaveToFileDialog()
{
    if (m_running || !m_pages)
        return;
    platform::FileDialogRequest request;
    request.filter = rp3Filter();
    request.defaultSuffix = QStringLiteral("rp3");
    const std::optional<QString> name = platform::messageBoxSeam().saveFileName(request);
    if (!name)
        return;
    m_workspace->viewport()->update();
    const QFileInfo info(*name);
    const QString base = info.suffix().isEmpty() ? *name : info.path() + u'/' + info.completeBaseName();
    SaveToFile(base + QStringLiteral(".rp3"));
}

void TrpPreview::SaveToFile(const QString &fileName)
{
    if (m_running || !m_pages)
        return;
    Lock();
    ShowMessagePanel(GetResources().Get(QStringLiteral("clSaving")));
    withCleanup([this, &fileName] { m_pages->SaveToFile(fileName); }, [this] { Unlock(); });
}

void TrpPreview::LoadFromFileDialog()
{
    if (m_running || !m_pages)
        return;
    platform::FileDialogRequest request;
    request.filter = rp3Filter();
    const std::optional<QString> name = platform::messageBoxSeam().openFileName(request);
    if (!name)
        return;
    m_workspace->viewport()->update();
    LoadFromFile(*name);
}

void TrpPreview::LoadFromFile(const QString &fileName)
{
    if (m_running || !m_pages)
        return;
    Lock();
    ShowMessagePanel(GetResources().Get(QStringLiteral("clLoading")));
    withCleanup([this, &fileName] { m_pages->LoadFromFile(fileName, false); },
                [this] {
                    m_workspace->SetPreparedPages(m_pages); // forget drawings of the old pages
                    m_thumbnails->SetPreparedPages(m_pages);
                    UpdateOutline();
                    Unlock();
                    GoToPage(1);
                });
}

void TrpPreview::PageSetup()
{
    if (m_running || !m_pages || m_currentPage < 1 || m_currentPage > PageCount())
        return;
    TrpReportPage *page = m_pages->GetPage(m_currentPage - 1);
    if (!page)
        return;
    TrpPageSettingsForm form(this);
    form.Page = page;
    form.Report = m_report;
    if (form.exec() != QDialog::Accepted)
        return;
    if (form.ApplyToAllPages() && m_report) {
        for (TrpComponent *c : m_report->Objects()) {
            auto *target = dynamic_cast<TrpReportPage *>(c);
            if (!target)
                continue;
            target->SetOrientation(page->Orientation());
            target->SetPaperWidth(page->PaperWidth());
            target->SetPaperHeight(page->PaperHeight());
            target->SetPaperSize(page->PaperSize());
            target->SetLeftMargin(page->LeftMargin());
            target->SetRightMargin(page->RightMargin());
            target->SetTopMargin(page->TopMargin());
            target->SetBottomMargin(page->BottomMargin());
        }
        m_report->PrepareReport(true);
        return;
    }
    Lock();
    withCleanup([this, page] { m_pages->ModifyPage(m_currentPage - 1, page); }, [this] {
        m_workspace->SetPreparedPages(m_pages);
        m_thumbnails->SetPreparedPages(m_pages);
        Unlock();
    });
}

// Page editing and the template need the report designer, which this
// system does not have: the report says so and nothing changes.
void TrpPreview::EditPage()
{
    if (!m_report || m_currentPage < 1 || m_currentPage > PageCount())
        return;
    m_report->DesignPreviewPage();
}

void TrpPreview::ShowTemplate()
{
    if (m_report)
        m_report->DesignReport(true);
}

void TrpPreview::FindDialog()
{
    TrpSearchDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted) {
        TrpSearchState &s = searchState();
        s.SearchText = dialog.TextE->text();
        s.SearchCaseSensitive = dialog.CaseCB->isChecked();
        m_workspace->SetSearchPage(dialog.TopCB->isChecked() ? 0 : qMax(0, m_currentPage - 1));
        s.LastFoundRecord = -1;
        m_workspace->FindNextText();
    }
    m_allowFindNext = true;
}

void TrpPreview::FindNext()
{
    if (m_allowFindNext)
        m_workspace->FindNextText();
}

void TrpPreview::ClearPages()
{
    if (m_running)
        return;
    if (m_pages) {
        Lock();
        m_pages->Clear();
        m_workspace->SetPreparedPages(m_pages);
        m_thumbnails->SetPreparedPages(m_pages);
        Unlock();
    }
    m_workspace->ClearPages();
    m_thumbnails->ClearPages();
    UpdateOutline();
    GoToPage(0);
    m_workspace->SetHorzRange(0);
    m_workspace->SetVertRange(0);
}

void TrpPreview::AddEmptyPage()
{
    if (m_running || !m_pages)
        return;
    m_pages->AddEmptyPage(m_currentPage - 1);
    m_workspace->SetPreparedPages(m_pages);
    m_thumbnails->SetPreparedPages(m_pages);
    UpdatePages();
    GoToPage(m_currentPage);
}

void TrpPreview::DeleteCurrentPage()
{
    if (m_running || !m_pages)
        return;
    m_pages->DeletePage(m_currentPage - 1);
    m_workspace->SetPreparedPages(m_pages);
    m_thumbnails->SetPreparedPages(m_pages);
    if (PageCount() <= m_currentPage)
        GoToPage(m_currentPage - 1);
    UpdatePages();
    if (OnPageChanged)
        OnPageChanged(this, m_currentPage);
}

void TrpPreview::Cancel()
{
    if (m_report)
        m_report->SetTerminated(true);
}

void TrpPreview::CancelIfRunning()
{
    if (m_running)
        Cancel();
}

} // namespace bralvo::report
