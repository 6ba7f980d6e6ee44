// The preview window's handlers: buttons, zoom and page boxes, keys,
// the wheel, full screen, page status and closing.
#include "report/preview/trppreviewform.h"

#include "platform/messageboxseam.h"
#include "platform/registryini.h"
#include "report/model/trpband.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/trputils.h"
#include "report/preview/trpcombobox.h"
#include "report/preview/trpformstate.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <cmath>

namespace bralvo::report {

namespace {

// Errors of a user's command end at the window, in a message box.
template <typename Action>
void reportErrors(QWidget *window, Action action)
{
    try {
        action();
    } catch (const bralvo::Error &e) {
        platform::messageBoxSeam().messageBox(e.userText(), window->windowTitle(), platform::kMbIconError);
    }
}

} // namespace

void TrpPreviewForm::PrintBClick()
{
    reportErrors(this, [this] { m_preview->Print(); });
    setEnabled(true);
}

void TrpPreviewForm::OpenBClick()
{
    reportErrors(this, [this] { m_preview->LoadFromFileDialog(); });
    const QString name = m_report->ReportOptions()->Name();
    setWindowTitle(name.isEmpty() ? GetResources().Get(QStringLiteral("100")) : name);
}

void TrpPreviewForm::SaveBClick()
{
    reportErrors(this, [this] { m_preview->SaveToFileDialog(); });
}

void TrpPreviewForm::ExportMenuClick(int filterIndex)
{
    TrpCustomExportFilter *filter = exportFilters().value(filterIndex);
    if (filter)
        reportErrors(this, [this, filter] { m_preview->Export(filter); });
    setEnabled(true);
}

void TrpPreviewForm::PdfBClick()
{
    if (m_pdfExport)
        reportErrors(this, [this] { m_preview->Export(m_pdfExport); });
}

void TrpPreviewForm::EmailBClick()
{
    if (m_mailExport)
        reportErrors(this, [this] { m_preview->Export(m_mailExport); });
}

void TrpPreviewForm::FindBClick()
{
    m_preview->FindDialog();
}

void TrpPreviewForm::ZoomPlusBClick()
{
    m_preview->SetZoom(m_preview->Zoom() + 0.25);
}

void TrpPreviewForm::ZoomMinusBClick()
{
    m_preview->SetZoom(m_preview->Zoom() - 0.25);
}

// Item 6 and 7 are the two modes; any other text is a percentage.
void TrpPreviewForm::ZoomCBClick()
{
    m_preview->setFocus();
    const QString typed = ZoomCB->currentText();
    const int item = ZoomCB->findText(typed);
    if (item == 6) {
        m_preview->SetZoomMode(zmPageWidth);
    } else if (item == 7) {
        m_preview->SetZoomMode(zmWholePage);
    } else {
        QString t = typed;
        const int percent = t.indexOf(u'%');
        if (percent >= 0)
            t[percent] = u' ';
        t.remove(u' ');
        if (!t.isEmpty())
            reportErrors(this, [this, &t] { m_preview->SetZoom(StrToFloatLoose(t) / 100); });
    }
    QTimer::singleShot(0, this, [this] { writeZoomText(); });
}

void TrpPreviewForm::writeZoomText()
{
    ZoomCB->setEditText(QString::number(std::lround(m_preview->Zoom() * 100)) + QStringLiteral("%"));
}

void TrpPreviewForm::ZoomChanged(double)
{
    writeZoomText();
}

void TrpPreviewForm::OutlineBClick()
{
    m_preview->SetOutlineVisible(OutlineB->isChecked());
}

void TrpPreviewForm::ThumbBClick()
{
    m_preview->SetThumbnailVisible(ThumbB->isChecked());
}

void TrpPreviewForm::OutlineShown(bool shown)
{
    OutlineB->setChecked(shown);
}

void TrpPreviewForm::ThumbnailsShown(bool shown)
{
    ThumbB->setChecked(shown);
}

void TrpPreviewForm::PageSettingsBClick()
{
    reportErrors(this, [this] { m_preview->PageSetup(); });
}

void TrpPreviewForm::DesignerBClick()
{
    m_preview->EditPage();
}

void TrpPreviewForm::Showtemplate1Click()
{
    m_preview->ShowTemplate();
}

void TrpPreviewForm::PageEClick()
{
    bool ok = false;
    const int page = PageE->text().toInt(&ok);
    if (!ok) {
        platform::messageBoxSeam().messageBox(
            QStringLiteral("'%1' is not a valid integer value").arg(PageE->text()), windowTitle(),
            platform::kMbIconError);
        return;
    }
    m_preview->GoToPage(page);
    m_preview->setFocus();
}

void TrpPreviewForm::CancelBClick()
{
    if (m_preview->Running())
        m_preview->Cancel();
    else
        closeWindow();
}

void TrpPreviewForm::setDrillDown(bool expand)
{
    m_preview->Lock();
    for (TrpComponent *c : m_report->AllObjects()) {
        if (auto *g = dynamic_cast<TrpGroupHeader *>(c); g && g->DrillDown())
            g->SetExpandDrillDown(expand);
    }
    m_report->DrillDownState().clear();
    m_preview->Rebuild();
}

void TrpPreviewForm::CollapseAllClick()
{
    setDrillDown(false);
}

void TrpPreviewForm::ExpandAllClick()
{
    setDrillDown(true);
}

void TrpPreviewForm::NewPageBClick()
{
    m_preview->AddEmptyPage();
}

void TrpPreviewForm::DelPageBClick()
{
    m_preview->DeleteCurrentPage();
}

// --- status

void TrpPreviewForm::SetMessage(const QString &text)
{
    StatusPanel1->setText(text);
    QCoreApplication::processEvents();
}

void TrpPreviewForm::PageChanged(TrpPreview *, int pageNo)
{
    const int count = m_preview->PageCount();
    TrpCustomEngine *engine = m_report->Engine();
    if (m_preview->Running() && engine && !engine->FinalPass()) {
        StatusPanel0->setText(GetResources().Get(QStringLiteral("clFirstPass")) + u' ' + QString::number(count));
    } else {
        StatusPanel0->setText(pageOfText(pageNo, count));
    }
    PageE->setText(QString::number(pageNo));
}

QString TrpPreviewForm::pageOfText(int pageNo, int count)
{
    QString t = GetResources().Get(QStringLiteral("clPageOf"));
    const int first = t.indexOf(QStringLiteral("%d"));
    if (first >= 0)
        t.replace(first, 2, QString::number(pageNo));
    const int second = t.indexOf(QStringLiteral("%d"));
    if (second >= 0)
        t.replace(second, 2, QString::number(count));
    return t;
}

void TrpPreviewForm::PreparationRunning(bool running)
{
    CancelB->setText(GetResources().Get(running ? QStringLiteral("clCancel") : QStringLiteral("clClose")));
    if (!running)
        StatusPanel1->clear();
}

// --- full screen

void TrpPreviewForm::ToggleFullScreen()
{
    if (!m_fullScreen) {
        m_savedWindowState = windowState();
        StatusBar->hide();
        ToolBar->hide();
        setWindowState(Qt::WindowFullScreen);
        m_fullScreen = true;
    } else {
        setWindowState(m_savedWindowState);
        ToolBar->show();
        StatusBar->show();
        m_fullScreen = false;
    }
}

// --- showing and closing

// The window's place lives in the report's settings store.
void TrpPreviewForm::saveWindowState()
{
    if (m_fullScreen)
        ToggleFullScreen();
    rpSaveFormState(*m_report->GetIniFile(), this);
}

// Unless the report asks for a maximized window, the last place is
// taken again; the window shows itself later, modal or not.
void TrpPreviewForm::restoreWindowState()
{
    if (m_report->PreviewOptions()->Maximized())
        return;
    const std::unique_ptr<platform::SettingsStore> store = m_report->GetIniFile();
    if (!store->sectionExists(FormStateSection(this)))
        return;
    rpRestoreFormState(*store, this);
    hide();
}

// A modal window stays a window of its own: a sub-window cannot be modal.
void TrpPreviewForm::Show(bool modal, bool)
{
    if (modal) {
        exec();
        return;
    }
    m_freeOnClose = true;
    QMdiArea *area = PreviewMdiArea();
    if (!m_mdiChild || !area) {
        setAttribute(Qt::WA_DeleteOnClose);
        show();
        return;
    }
    // The sub-window owns the form and frees it when it closes.
    QMdiSubWindow *frame = area->addSubWindow(this);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setObjectName(objectName() + QStringLiteral("_frame"));
    if (m_report->PreviewOptions()->Maximized())
        frame->showMaximized();
    else
        frame->show();
    area->setActiveSubWindow(frame);
}

QMdiSubWindow *TrpPreviewForm::SubWindow() const
{
    return qobject_cast<QMdiSubWindow *>(parentWidget());
}

// Closing the form alone would leave an empty frame in the MDI area.
void TrpPreviewForm::closeWindow()
{
    if (QMdiSubWindow *frame = SubWindow())
        frame->close();
    else
        close();
}

void TrpPreviewForm::reject()
{
    CancelBClick();
}

void TrpPreviewForm::closeEvent(QCloseEvent *event)
{
    if (m_preview->Running()) {
        event->ignore();
        return;
    }
    event->accept();
    saveWindowState();
    if (m_report->OnClosePreview)
        m_report->OnClosePreview(m_report);
    // Ends a modal run; QDialog's own handler would call reject() again.
    QDialog::done(QDialog::Rejected);
}

void TrpPreviewForm::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        CancelBClick();
        return;
    case Qt::Key_F11:
        ToggleFullScreen();
        return;
    case Qt::Key_F1:
        GetResources().ShowHelp(QStringLiteral("TrpPreviewForm"));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (ZoomCB->hasFocus() || ZoomCB->lineEdit()->hasFocus())
            ZoomCBClick();
        else if (PageE->hasFocus())
            PageEClick();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool TrpPreviewForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        const int delta = wheel->angleDelta().y();
        m_preview->WheelScroll(delta, false, wheel->modifiers() & Qt::ControlModifier);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace bralvo::report
