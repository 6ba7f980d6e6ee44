// TrpPreviewForm: the window every print of the program goes through: a
// tool bar, the preview control and a status bar. It adapts itself to
// the report's PreviewOptions (buttons, zoom, maximized, modal), builds
// the export menu from the registered export filters, mirrors the tool
// bar in its right-click menu, shows preparation progress (Esc or the
// close button cancels a running preparation; the window cannot close
// meanwhile) and offers full screen (F11). Its texts are library texts.
// Closing saves the window's place in the report's settings store
// (section "Form4.TrpPreviewForm"); the next window takes it again
// unless the report's options ask for a maximized one. With MDIChild a
// modeless window opens as a sub-window of the program's MDI area (when
// the program named one), closing with it.
#pragma once

#include "report/model/trpenginebases.h"
#include "report/preview/trppreview.h"

#include <QDialog>
#include <QHash>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QLineEdit;
class QMenu;
class QStatusBar;
class QToolButton;

namespace bralvo::report {

class TrpComboBox;
class TrpTBPanel;

class TrpPreviewForm : public QDialog, public TrpPreviewWindow, public TrpPreviewOwner {
    Q_OBJECT
public:
    explicit TrpPreviewForm(TrpReport *report, QWidget *parent = nullptr);
    ~TrpPreviewForm() override;

    // --- TrpPreviewWindow
    TrpCustomPreview *Preview() override { return m_preview; }
    void Init() override;
    void Show(bool modal, bool designedPosition) override;
    void Close() override { closeWindow(); }
    void SetStatusText(const QString &text) override { SetMessage(text); }

    TrpPreview *PreviewControl() const { return m_preview; }
    TrpReport *Report() const { return m_report; }
    // The second status panel shows Text (progress messages).
    void SetMessage(const QString &text);
    void PageChanged(TrpPreview *sender, int pageNo);
    bool FullScreen() const { return m_fullScreen; }
    void ToggleFullScreen();
    // The export filter found for the quick buttons (or nullptr).
    TrpCustomExportFilter *PdfExport() const { return m_pdfExport; }
    TrpCustomExportFilter *MailExport() const { return m_mailExport; }
    // The MDI sub-window holding this window, or nullptr.
    QMdiSubWindow *SubWindow() const;

    // --- TrpPreviewOwner
    void UpdateControls() override;
    void ZoomChanged(double zoom) override;
    void PreparationRunning(bool running) override;
    void OutlineShown(bool shown) override;
    void ThumbnailsShown(bool shown) override;

    // --- components (objectName = member name)
    QWidget *ToolBar;
    QToolButton *OpenB, *SaveB, *PrintB, *ExportB, *FindB, *PageSettingsB;
    TrpTBPanel *Sep3;
    TrpComboBox *ZoomCB;
    QWidget *Sep1, *Sep2;
    QToolButton *FirstB, *PriorB;
    TrpTBPanel *Sep4;
    QLineEdit *PageE;
    QToolButton *NextB, *LastB;
    QStatusBar *StatusBar;
    QLabel *StatusPanel0, *StatusPanel1;
    QToolButton *ZoomMinusB;
    QWidget *Sep5;
    QToolButton *ZoomPlusB, *DesignerB;
    QWidget *frTBPanel1;
    QToolButton *CancelB;
    QMenu *ExportPopup, *HiddenMenu;
    QAction *Showtemplate1;
    QMenu *RightMenu;
    QToolButton *FullScreenBtn, *EmailB, *PdfB, *OutlineB, *ThumbB;
    QAction *N1, *ExpandMI, *CollapseMI;

    // --- handlers
    void PrintBClick();
    void OpenBClick();
    void SaveBClick();
    void ExportMenuClick(int filterIndex);
    void PdfBClick();
    void EmailBClick();
    void FindBClick();
    void ZoomPlusBClick();
    void ZoomMinusBClick();
    void ZoomCBClick();
    void OutlineBClick();
    void ThumbBClick();
    void PageSettingsBClick();
    void DesignerBClick();
    void Showtemplate1Click();
    void PageEClick();
    void CancelBClick();
    void CollapseAllClick();
    void ExpandAllClick();
    void NewPageBClick();
    void DelPageBClick();

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    QToolButton *addButton(const char *name, int image, int captionId, int hintId);
    QWidget *addSeparator(const char *name, int width);
    void createButtons();
    void connectButtons();
    void applyButtons(int buttons);
    void buildExportMenu(int buttons);
    void buildRightMenu();
    void setButtonEnabled(QToolButton *button, bool enabled);
    void setDrillDown(bool expand);
    void writeZoomText();
    // Library text "clPageOf" with the page number and the page count.
    static QString pageOfText(int pageNo, int count);
    bool hasDrillDownGroups() const;
    void saveWindowState();
    void restoreWindowState();
    // Closes the sub-window around the window, else the window itself.
    void closeWindow();

    TrpReport *m_report;
    TrpPreview *m_preview;
    bool m_freeOnClose = false;
    bool m_fullScreen = false;
    bool m_mdiChild = false;
    Qt::WindowStates m_savedWindowState;
    TrpCustomExportFilter *m_pdfExport = nullptr;
    TrpCustomExportFilter *m_mailExport = nullptr;
    QList<QWidget *> m_toolOrder;
    QHash<QToolButton *, QAction *> m_mirrored;
};

// Installs TrpPreviewForm as the report library's preview window.
void installPreviewWindow();

// The program's MDI area that MDIChild previews open in; nullptr (the
// default) makes every preview a window of its own. The area is watched:
// once it is gone, previews open as windows again.
void SetPreviewMdiArea(QMdiArea *area);
QMdiArea *PreviewMdiArea();

} // namespace bralvo::report
