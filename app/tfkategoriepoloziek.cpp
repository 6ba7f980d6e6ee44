// The item categories window: layout and handlers.
#include "app/tfkategoriepoloziek.h"

#include "app/guardedcall.h"
#include "app/recordkeys.h"
#include "app/tfpolozky.h"
#include "db/categories.h"
#include "db/lookups.h"
#include "db/namelists.h"
#include "db/retiring.h"
#include "platform/widgets/keypreview.h"
#include "platform/widgets/named.h"
#include "services/backup.h"
#include "services/globals.h"
#include "services/listhelpers.h"
#include "services/messages.h"
#include "services/shellopen.h"
#include "services/uitexts.h"
#include "services/windowhelpers.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace bralvo::app {

using platform::named;

namespace {

constexpr int kColorSlot = 8;
const char kMemoHint[] = "(CTRL+ENTER = ďaľší riadok v poznámke)";

} // namespace

TfKategoriePoloziek::TfKategoriePoloziek(QWidget &main) : QDialog(&main)
{
    setObjectName(QStringLiteral("fKategoriePoloziek"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(680, 330);
    buildControls();
    connect(lbKategorie, &QListWidget::itemClicked, this,
            [this] { RunGuarded([this] { lbKategorieClick(); }); });
    connect(bitAddNote, &QPushButton::clicked, this, [this] { RunGuarded([this] { bitAddNoteClick(); }); });
    connect(bitClearValues, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { bitClearValuesClick(); }); });
    connect(bitDeleteNote, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { bitDeleteNoteClick(); }); });
    m_keys = new platform::KeyPreview(this);
    m_keys->setHelpHandler([] { services::ShowHelpTopic(QStringLiteral("sprava_poloziek")); });
    // After KeyPreview, so the window's own keys come first.
    for (QWidget *control : {static_cast<QWidget *>(lbKategorie), static_cast<QWidget *>(bitClearValues),
                             static_cast<QWidget *>(bitAddNote), static_cast<QWidget *>(bitDeleteNote),
                             static_cast<QWidget *>(eNazov), static_cast<QWidget *>(mInternaPoznamka)})
        control->installEventFilter(this);
}

void TfKategoriePoloziek::buildControls()
{
    GroupBox1 = named(new QGroupBox(QString::fromUtf8("Kategória"), this), "GroupBox1");
    GroupBox1->setGeometry(8, 8, 360, 314);
    bitClearValues = named(new QPushButton(QString::fromUtf8("Vyčistiť políčka pre zadávanie novej kategórie"),
                                           GroupBox1), "bitClearValues");
    bitClearValues->setGeometry(12, 20, 336, 28);
    chbPremenovat = named(new QCheckBox(QString::fromUtf8("Premenovať označenú kategóriu"), GroupBox1),
                          "chbPremenovat");
    chbPremenovat->setGeometry(12, 56, 336, 20);
    Label1 = named(new QLabel(QString::fromUtf8("Interný názov"), GroupBox1), "Label1");
    Label1->setGeometry(12, 80, 200, 16);
    eNazov = named(new QLineEdit(GroupBox1), "eNazov");
    eNazov->setMaxLength(70);
    eNazov->setGeometry(12, 96, 336, 23);
    Label2 = named(new QLabel(QString::fromUtf8("Interná poznámka"), GroupBox1), "Label2");
    Label2->setGeometry(12, 124, 200, 16);
    mInternaPoznamka = named(new QPlainTextEdit(GroupBox1), "mInternaPoznamka");
    mInternaPoznamka->setGeometry(12, 140, 336, 100);
    mInternaPoznamka->setToolTip(QString::fromUtf8(kMemoHint));
    Label3 = named(new QLabel(QString::fromUtf8(kMemoHint), GroupBox1), "Label3");
    Label3->setGeometry(12, 242, 336, 16);
    bitAddNote = named(new QPushButton(QString::fromUtf8("Pridať / uložiť kategóriu"), GroupBox1), "bitAddNote");
    bitAddNote->setGeometry(12, 270, 336, 28);
    lbKategorie = named(new QListWidget(this), "lbKategorie");
    lbKategorie->setGeometry(376, 14, 296, 270);
    bitDeleteNote = named(new QPushButton(QString::fromUtf8("Zmazať označenú kategóriu"), this), "bitDeleteNote");
    bitDeleteNote->setGeometry(376, 292, 296, 28);
}

int TfKategoriePoloziek::OpenModal(QWidget &over)
{
    CentreOver(*this, over);
    setWindowTitle(services::ProgramTitle + QStringLiteral(" - ") + services::MessageText(166));
    FillCategoryList();
    bitClearValuesClick();
    return exec();
}

void TfKategoriePoloziek::FillCategoryList()
{
    QStringList names;
    db::FillCategoryNameList(names);
    lbKategorie->clear();
    lbKategorie->addItems(names);
}

QString TfKategoriePoloziek::selectedName() const
{
    const QListWidgetItem *item = lbKategorie->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void TfKategoriePoloziek::lbKategorieClick()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    if (const std::optional<db::CategoryFormValues> category = db::LoadCategoryForm(name)) {
        eNazov->setText(category->name);
        mInternaPoznamka->setPlainText(category->internalNote);
    }
}

void TfKategoriePoloziek::bitAddNoteClick()
{
    services::TrimMemoTail(*mInternaPoznamka);
    const QString name = eNazov->text();
    const bool existed = db::CategoryExists(name);
    db::CategoryFormValues form;
    form.name = name;
    form.internalNote = mInternaPoznamka->toPlainText();
    form.renameMode = chbPremenovat->isChecked();
    form.selectedCategory = selectedName();
    if (!db::SaveCategory(form, *this))
        return;
    FillCategoryList();
    const bool added = !existed && !chbPremenovat->isChecked();
    services::ShowMessageBox(MessageWithName(added ? 159 : 160, name), services::kMbInformation);
    bitClearValuesClick();
}

void TfKategoriePoloziek::bitClearValuesClick()
{
    chbPremenovat->setChecked(false);
    eNazov->clear();
    mInternaPoznamka->clear();
    eNazov->setFocus();
}

void TfKategoriePoloziek::bitDeleteNoteClick()
{
    const int index = lbKategorie->currentRow();
    const QString name = selectedName();
    if (name.isEmpty()) {
        services::ShowMessageBox(services::MessageText(165), services::kMbWarning);
        return;
    }
    if (services::ShowMessageBox(services::MessageText(123), services::kMbQuestionYesNo) != services::kIdYes)
        return;
    if (db::DeleteCategory(name)) {
        FillCategoryList();
        services::ShowMessageBox(MessageWithName(167, name), services::kMbInformation);
    } else {
        services::ShowMessageBox(services::MessageText(168), services::kMbWarning);
    }
    services::StepListBoxSelection(*lbKategorie, index, 0);
}

void TfKategoriePoloziek::focusControl(const QString &controlName)
{
    if (QWidget *control = findChild<QWidget *>(controlName))
        control->setFocus();
}

bool TfKategoriePoloziek::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    if (!control || ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) &&
                     !IsOwnFocusMove(*event)))
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        services::HighlightOnEnter(*control, 1, kColorSlot);
    } else if (event->type() == QEvent::FocusOut) {
        services::RestoreColorOnExit(*control, kColorSlot);
    } else if (event->type() == QEvent::KeyRelease && control == lbKategorie &&
               IsListMoveKey(*static_cast<QKeyEvent *>(event))) {
        RunGuarded([this] { lbKategorieClick(); });
    } else if (event->type() == QEvent::KeyPress &&
               (control == bitAddNote || control == eNazov || control == mInternaPoznamka)) {
        const auto &key = *static_cast<QKeyEvent *>(event);
        if (control == mInternaPoznamka && (key.modifiers() & Qt::ControlModifier) &&
            (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)) {
            mInternaPoznamka->insertPlainText(QStringLiteral("\n"));
            return true;
        }
        if (MoveFocusByKey(*this, *control, key))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace bralvo::app
