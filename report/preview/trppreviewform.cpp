// The preview window: construction, set-up from the report's options,
// the export menu and the right-click menu. Handlers, keys and full
// screen are in trppreviewformhandlers.cpp.
#include "report/preview/trppreviewform.h"

#include "report/model/trpband.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/preview/trpcombobox.h"
#include "report/preview/trptbpanel.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace bralvo::report {

namespace {

QString text(int id)
{
    return GetResources().Get(QString::number(id));
}

QIcon buttonIcon(int index)
{
    const QList<QImage> &images = GetResources().GetPreviewButtonImages();
    if (index < 0 || index >= images.size())
        return QIcon();
    return QIcon(QPixmap::fromImage(images.at(index)));
}

// The zoom box is 49 pixels wide as designed, wider when the font needs
// it: the widest zoom text ("100%", "200%") must show in full beside the
// drop-down button (edit field: width - button - offset - 8; the line
// edit keeps 2 pixels on each side and one for the cursor).
int zoomBoxWidth(const TrpComboBox &box)
{
    const QFontMetrics metrics(box.lineEdit()->font());
    int text = 0;
    for (const char *zoom : {"100%", "200%"})
        text = std::max(text, metrics.horizontalAdvance(QLatin1String(zoom)));
    return std::max(49, text + 5 + box.ButtonWidth() + box.EditOffset() + 8);
}

bool has(int buttons, TrpPreviewButton b)
{
    return (buttons & (1 << b)) != 0;
}

} // namespace

TrpPreviewForm::TrpPreviewForm(TrpReport *report, QWidget *parent) : QDialog(parent), m_report(report)
{
    setObjectName(QStringLiteral("TrpPreviewForm"));
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(803, 584);
    FormCreate();
}

TrpPreviewForm::~TrpPreviewForm() = default;

QToolButton *TrpPreviewForm::addButton(const char *name, int image, int captionId, int hintId)
{
    auto *b = new QToolButton(ToolBar);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    const QIcon icon = buttonIcon(image);
    b->setIcon(icon);
    if (captionId > 0)
        b->setText(text(captionId));
    if (hintId > 0)
        b->setToolTip(text(hintId));
    // Without the button pictures the caption stands in.
    b->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
    b->setProperty("imageIndex", image);
    ToolBar->layout()->addWidget(b);
    m_toolOrder.append(b);
    return b;
}

QWidget *TrpPreviewForm::addSeparator(const char *name, int width)
{
    auto *s = new QWidget(ToolBar);
    s->setObjectName(QString::fromLatin1(name));
    s->setFixedWidth(width);
    s->setProperty("separator", true);
    ToolBar->layout()->addWidget(s);
    m_toolOrder.append(s);
    return s;
}

void TrpPreviewForm::createButtons()
{
    PrintB = addButton("PrintB", 2, 101, 102);
    OpenB = addButton("OpenB", 0, 103, 104);
    SaveB = addButton("SaveB", 1, 105, 106);
    ExportB = addButton("ExportB", 3, 107, 108);
    PdfB = addButton("PdfB", 24, 0, 151);
    PdfB->setText(QStringLiteral("PDF"));
    EmailB = addButton("EmailB", 23, 0, 152);
    EmailB->setText(QStringLiteral("E-mail"));
    FindB = addButton("FindB", 4, 109, 110);
    Sep1 = addSeparator("Sep1", 8);
    ZoomPlusB = addButton("ZoomPlusB", 15, 124, 125);
    Sep3 = new TrpTBPanel(ToolBar);
    Sep3->setObjectName(QStringLiteral("Sep3"));
    ZoomCB = new TrpComboBox(Sep3);
    ZoomCB->setObjectName(QStringLiteral("ZoomCB"));
    Sep3->SetControl(ZoomCB, zoomBoxWidth(*ZoomCB));
    ToolBar->layout()->addWidget(Sep3);
    m_toolOrder.append(Sep3);
    ZoomMinusB = addButton("ZoomMinusB", 16, 126, 127);
    FullScreenBtn = addButton("FullScreenBtn", 22, 0, 150);
    FullScreenBtn->setText(text(150));
    Sep2 = addSeparator("Sep2", 8);
    OutlineB = addButton("OutlineB", 12, 128, 129);
    OutlineB->setCheckable(true);
    ThumbB = addButton("ThumbB", 5, 130, 131);
    ThumbB->setCheckable(true);
    PageSettingsB = addButton("PageSettingsB", 7, 120, 121);
    DesignerB = addButton("DesignerB", 21, 132, 133);
    Sep5 = addSeparator("Sep5", 8);
    FirstB = addButton("FirstB", 8, 134, 135);
    PriorB = addButton("PriorB", 9, 136, 137);
    Sep4 = new TrpTBPanel(ToolBar);
    Sep4->setObjectName(QStringLiteral("Sep4"));
    PageE = new QLineEdit(Sep4);
    PageE->setObjectName(QStringLiteral("PageE"));
    PageE->setFrame(false);
    PageE->setText(QStringLiteral("1"));
    PageE->setToolTip(text(142));
    PageE->setValidator(new QIntValidator(0, INT_MAX, PageE));
    Sep4->SetControl(PageE, 37);
    ToolBar->layout()->addWidget(Sep4);
    m_toolOrder.append(Sep4);
    NextB = addButton("NextB", 10, 138, 139);
    LastB = addButton("LastB", 11, 140, 141);
    frTBPanel1 = addSeparator("frTBPanel1", 35);
    CancelB = addButton("CancelB", -1, 0, 0);
    CancelB->setText(GetResources().Get(QStringLiteral("clClose")));
    CancelB->setToolButtonStyle(Qt::ToolButtonTextOnly);
    CancelB->setFixedWidth(68);
    static_cast<QHBoxLayout *>(ToolBar->layout())->addStretch(1);
}

void TrpPreviewForm::FormCreate()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ToolBar = new QWidget(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    auto *bar = new QHBoxLayout(ToolBar);
    bar->setContentsMargins(2, 2, 2, 2);
    bar->setSpacing(1);
    layout->addWidget(ToolBar);
    createButtons();
    setWindowTitle(text(100));
    ZoomCB->setToolTip(text(119));
    ZoomCB->SetListWidth(100);
    ZoomCB->addItems({QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"),
                      QStringLiteral("150%"), QStringLiteral("200%"), GetResources().Get(QStringLiteral("zmPageWidth")),
                      GetResources().Get(QStringLiteral("zmWholePage"))});
    ZoomCB->setCurrentIndex(3);
    ZoomCB->setEditText(QStringLiteral("100%"));
    ExportPopup = new QMenu(this);
    ExportPopup->setObjectName(QStringLiteral("ExportPopup"));
    ExportB->setMenu(ExportPopup);
    ExportB->setPopupMode(QToolButton::InstantPopup);
    HiddenMenu = new QMenu(this);
    HiddenMenu->setObjectName(QStringLiteral("HiddenMenu"));
    Showtemplate1 = HiddenMenu->addAction(QStringLiteral("Show template"));
    Showtemplate1->setObjectName(QStringLiteral("Showtemplate1"));
    RightMenu = new QMenu(this);
    RightMenu->setObjectName(QStringLiteral("RightMenu"));
    CollapseMI = RightMenu->addAction(buttonIcon(13), text(601));
    CollapseMI->setObjectName(QStringLiteral("CollapseMI"));
    ExpandMI = RightMenu->addAction(buttonIcon(14), text(600));
    ExpandMI->setObjectName(QStringLiteral("ExpandMI"));
    N1 = RightMenu->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    m_preview = new TrpPreview(this, this);
    layout->addWidget(m_preview, 1);
    m_preview->OnPageChanged = [this](TrpPreview *sender, int page) { PageChanged(sender, page); };
    connect(m_preview->Workspace(), &TrpPreviewWorkspace::doubleClicked, this, [this] {
        if (m_fullScreen)
            ToggleFullScreen();
    });
    m_preview->Workspace()->viewport()->installEventFilter(this);
    m_preview->Thumbnails()->viewport()->installEventFilter(this);
    m_preview->setFocus();
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    // The designed placeholder, in the window's language.
    StatusPanel0 = new QLabel(pageOfText(1, 1000), StatusBar);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(200);
    StatusPanel1 = new QLabel(StatusBar);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setMinimumWidth(50);
    StatusBar->addWidget(StatusPanel0);
    StatusBar->addWidget(StatusPanel1, 1);
    if (screen() && screen()->logicalDotsPerInch() > 96)
        StatusBar->setFixedHeight(24);
    layout->addWidget(StatusBar);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { RightMenu->popup(mapToGlobal(pos)); });
    connectButtons();
}

void TrpPreviewForm::connectButtons()
{
    const std::pair<QToolButton *, void (TrpPreviewForm::*)()> clicks[] = {
        {PrintB, &TrpPreviewForm::PrintBClick},         {OpenB, &TrpPreviewForm::OpenBClick},
        {SaveB, &TrpPreviewForm::SaveBClick},           {PdfB, &TrpPreviewForm::PdfBClick},
        {EmailB, &TrpPreviewForm::EmailBClick},         {FindB, &TrpPreviewForm::FindBClick},
        {ZoomPlusB, &TrpPreviewForm::ZoomPlusBClick},   {ZoomMinusB, &TrpPreviewForm::ZoomMinusBClick},
        {FullScreenBtn, &TrpPreviewForm::ToggleFullScreen}, {OutlineB, &TrpPreviewForm::OutlineBClick},
        {ThumbB, &TrpPreviewForm::ThumbBClick},         {PageSettingsB, &TrpPreviewForm::PageSettingsBClick},
        {DesignerB, &TrpPreviewForm::DesignerBClick},   {CancelB, &TrpPreviewForm::CancelBClick}};
    for (const auto &[button, handler] : clicks)
        connect(button, &QToolButton::clicked, this, handler);
    connect(FirstB, &QToolButton::clicked, m_preview, [this] { m_preview->FirstPage(); });
    connect(PriorB, &QToolButton::clicked, m_preview, [this] { m_preview->PriorPage(); });
    connect(NextB, &QToolButton::clicked, m_preview, [this] { m_preview->NextPage(); });
    connect(LastB, &QToolButton::clicked, m_preview, [this] { m_preview->LastPage(); });
    connect(Showtemplate1, &QAction::triggered, this, &TrpPreviewForm::Showtemplate1Click);
    connect(CollapseMI, &QAction::triggered, this, &TrpPreviewForm::CollapseAllClick);
    connect(ExpandMI, &QAction::triggered, this, &TrpPreviewForm::ExpandAllClick);
    connect(ZoomCB, &QComboBox::activated, this, [this] { ZoomCBClick(); });
    connect(ZoomCB->lineEdit(), &QLineEdit::returnPressed, this, [this] { ZoomCBClick(); });
    connect(PageE, &QLineEdit::returnPressed, this, &TrpPreviewForm::PageEClick);
    DesignerB->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DesignerB, &QWidget::customContextMenuRequested, this,
            [this] { HiddenMenu->popup(DesignerB->mapToGlobal(QPoint(0, 0))); });
}

// --- set-up from the report

void TrpPreviewForm::Init()
{
    m_preview->Init();
    const TrpPreviewOptions *o = m_report->PreviewOptions();
    if (o->Maximized())
        setWindowState(windowState() | Qt::WindowMaximized);
    m_mdiChild = o->MDIChild();
    if (o->ZoomMode() == zmDefault)
        m_preview->SetZoom(o->Zoom());
    else
        m_preview->SetZoomMode(o->ZoomMode());
    DesignerB->setEnabled(o->AllowEdit());
    applyButtons(o->Buttons());
    buildExportMenu(o->Buttons());
    const QString name = m_report->ReportOptions()->Name();
    if (!name.isEmpty())
        setWindowTitle(name);
    buildRightMenu();
    UpdateControls();
    writeZoomText();
    restoreWindowState(); // once the tool bar holds only its buttons
}

void TrpPreviewForm::applyButtons(int buttons)
{
    PrintB->setVisible(has(buttons, pbPrint));
    OpenB->setVisible(has(buttons, pbLoad));
    SaveB->setVisible(has(buttons, pbSave));
    ExportB->setVisible(has(buttons, pbExport));
    FindB->setVisible(has(buttons, pbFind));
    const bool zoom = has(buttons, pbZoom);
    ZoomPlusB->setVisible(zoom);
    ZoomMinusB->setVisible(zoom);
    Sep3->setVisible(zoom);
    FullScreenBtn->setVisible(zoom && !has(buttons, pbNoFullScreen));
    Sep1->setVisible(zoom);
    OutlineB->setVisible(has(buttons, pbOutline));
    ThumbB->setVisible(has(buttons, pbOutline));
    PageSettingsB->setVisible(has(buttons, pbPageSetup));
    DesignerB->setVisible(has(buttons, pbEdit));
    Sep2->setVisible(has(buttons, pbPageSetup) || has(buttons, pbEdit));
    const bool nav = has(buttons, pbNavigator);
    for (QWidget *w : std::initializer_list<QWidget *>{FirstB, PriorB, NextB, LastB, Sep4, Sep5})
        w->setVisible(nav);
    CancelB->setVisible(!has(buttons, pbNoClose));
    PdfB->setVisible(false);
    EmailB->setVisible(false);
    const Qt::ToolButtonStyle style =
        m_report->PreviewOptions()->ShowCaptions() ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly;
    for (QWidget *w : m_toolOrder) {
        auto *b = qobject_cast<QToolButton *>(w);
        if (b && b != CancelB && !b->icon().isNull())
            b->setToolButtonStyle(style);
    }
}

void TrpPreviewForm::buildExportMenu(int buttons)
{
    const QList<TrpCustomExportFilter *> filters = exportFilters();
    int listed = 0;
    ExportPopup->clear();
    for (int i = 0; i < filters.size(); ++i) {
        TrpCustomExportFilter *f = filters.at(i);
        const QString cls = f->className();
        if (cls == QLatin1String("TrpDotMatrixExport"))
            continue;
        ++listed;
        QAction *item = ExportPopup->addAction(f->GetDescription() + QStringLiteral("..."));
        item->setData(i);
        connect(item, &QAction::triggered, this, [this, i] { ExportMenuClick(i); });
        if (cls == QLatin1String("TrpPDFExport")) {
            m_pdfExport = f;
            PdfB->setVisible(has(buttons, pbExportQuick));
        } else if (cls == QLatin1String("TrpMailExport") && !has(buttons, pbNoEmail)) {
            m_mailExport = f;
            EmailB->setVisible(has(buttons, pbExportQuick));
        }
    }
    if (listed == 0)
        ExportB->setVisible(false);
}

// Visible plain buttons with a hint up to the second separator; the
// export button brings its menu along.
void TrpPreviewForm::buildRightMenu()
{
    const QList<QAction *> actions = RightMenu->actions();
    for (int i = 3; i < actions.size(); ++i)
        RightMenu->removeAction(actions.at(i));
    m_mirrored.clear();
    int separators = 0;
    for (QWidget *w : m_toolOrder) {
        if (w->isHidden())
            continue;
        if (w->property("separator").toBool()) {
            if (++separators == 2)
                break;
            RightMenu->addSeparator();
            continue;
        }
        auto *b = qobject_cast<QToolButton *>(w);
        if (!b || b->isCheckable() || b->toolTip().isEmpty())
            continue;
        QAction *item = RightMenu->addAction(b->icon(), b->toolTip());
        item->setObjectName(b->objectName() + QStringLiteral("MI"));
        m_mirrored.insert(b, item);
        if (b->menu()) {
            auto *sub = new QMenu(RightMenu);
            for (QAction *a : b->menu()->actions()) {
                QAction *copy = sub->addAction(a->text());
                copy->setData(a->data());
                connect(copy, &QAction::triggered, a, &QAction::trigger);
            }
            item->setMenu(sub);
        } else {
            connect(item, &QAction::triggered, b, &QToolButton::click);
        }
    }
}

bool TrpPreviewForm::hasDrillDownGroups() const
{
    for (TrpComponent *c : m_report->AllObjects()) {
        if (auto *g = dynamic_cast<TrpGroupHeader *>(c); g && g->DrillDown())
            return true;
    }
    return false;
}

void TrpPreviewForm::setButtonEnabled(QToolButton *button, bool enabled)
{
    button->setEnabled(enabled);
    button->setDown(false);
    if (QAction *item = m_mirrored.value(button))
        item->setEnabled(enabled);
}

void TrpPreviewForm::UpdateControls()
{
    const bool running = m_preview->Running();
    const bool e = !running && m_report->PreparedPages() && m_report->PreparedPages()->GetCount() > 0;
    for (QToolButton *b : {PrintB, OpenB, SaveB, ExportB, PdfB, EmailB, FindB, PageSettingsB})
        setButtonEnabled(b, e);
    setButtonEnabled(DesignerB, !running && m_report->PreviewOptions()->AllowEdit());
    const bool drill = !running && hasDrillDownGroups();
    ExpandMI->setVisible(drill);
    CollapseMI->setVisible(drill);
    N1->setVisible(drill);
}

// --- installation

namespace {

QPointer<QMdiArea> &previewMdiArea()
{
    static QPointer<QMdiArea> area;
    return area;
}

} // namespace

void SetPreviewMdiArea(QMdiArea *area)
{
    previewMdiArea() = area;
}

QMdiArea *PreviewMdiArea()
{
    return previewMdiArea();
}

void installPreviewWindow()
{
    TrpReportMachinery m = reportMachinery();
    m.createPreviewWindow = [](TrpReport &report) -> std::unique_ptr<TrpPreviewWindow> {
        return std::make_unique<TrpPreviewForm>(&report);
    };
    setReportMachinery(m);
}

} // namespace bralvo::report
