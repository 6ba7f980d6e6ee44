// The notes window: layout, list, save, load and delete.
#include "app/tfpoznamky.h"

#include "app/fieldkeys.h"
#include "app/guardedcall.h"
#include "db/namelists.h"
#include "db/notes.h"
#include "db/retiring.h"
#include "platform/formatstring.h"
#include "platform/regionalsettings.h"
#include "platform/widgets/keypreview.h"
#include "platform/widgets/named.h"
#include "services/backup.h"
#include "services/globals.h"
#include "services/listhelpers.h"
#include "services/messages.h"
#include "services/shellopen.h"
#include "services/uitexts.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace bralvo::app {

using platform::named;

namespace {

constexpr int kColorSlot = 5;

} // namespace

TfPoznamky::TfPoznamky(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fPoznamky"));
    setWindowTitle(QStringLiteral("Správa poznámok"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(581, 366);
    buildControls();
    connectHandlers();
}

void TfPoznamky::buildControls()
{
    bitClearValues = named(new QPushButton(QStringLiteral("Vyčistiť políčka pre zadávanie novej poznámky"), this),
                           "bitClearValues");
    bitClearValues->setGeometry(8, 8, 372, 28);
    GroupBox1 = named(new QGroupBox(QStringLiteral("Poznámka"), this), "GroupBox1");
    GroupBox1->setGeometry(8, 42, 372, 280);
    QLabel *hints[2];
    Label1 = named(new QLabel(QStringLiteral("Interný názov"), GroupBox1), "Label1");
    Label1->setGeometry(10, 20, 138, 21);
    eNazov = named(new QLineEdit(GroupBox1), "eNazov");
    eNazov->setGeometry(150, 20, 212, 21);
    eNazov->setMaxLength(70);
    Label2 = named(new QLabel(QStringLiteral("Poznámka (vo faktúre)"), GroupBox1), "Label2");
    Label2->setGeometry(10, 48, 138, 16);
    mPoznamka = named(new QPlainTextEdit(GroupBox1), "mPoznamka");
    mPoznamka->setGeometry(150, 48, 212, 80);
    hints[0] = Label3 = named(new QLabel(GroupBox1), "Label3");
    Label3->setGeometry(10, 129, 352, 14);
    Label4 = named(new QLabel(QStringLiteral("Interná poznámka"), GroupBox1), "Label4");
    Label4->setGeometry(10, 148, 138, 16);
    QFont italic = Label4->font();
    italic.setItalic(true);
    Label4->setFont(italic);
    mInternaPoznamka = named(new QPlainTextEdit(GroupBox1), "mInternaPoznamka");
    mInternaPoznamka->setGeometry(150, 148, 212, 70);
    hints[1] = Label5 = named(new QLabel(GroupBox1), "Label5");
    Label5->setGeometry(10, 219, 352, 14);
    for (QLabel *hint : hints) {
        hint->setText(QStringLiteral("(CTRL+ENTER = ďaľší riadok v poznámke)"));
        hint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    for (QPlainTextEdit *memo : {mPoznamka, mInternaPoznamka})
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    bitAddNote = named(new QPushButton(QStringLiteral("Pridať / uložiť poznámku"), GroupBox1), "bitAddNote");
    bitAddNote->setGeometry(10, 242, 352, 28);
    QFont bold = bitAddNote->font();
    bold.setBold(true);
    bitAddNote->setFont(bold);
    bitDeleteNote = named(new QPushButton(QStringLiteral("Zmazať označenú poznámku"), this), "bitDeleteNote");
    bitDeleteNote->setGeometry(8, 330, 372, 28);
    lbPoznamky = named(new QListWidget(this), "lbPoznamky");
    lbPoznamky->setGeometry(388, 8, 185, 350);
    lbPoznamky->setFocusPolicy(Qt::ClickFocus);

    setTabOrder(bitClearValues, eNazov);
    setTabOrder(eNazov, mPoznamka);
    setTabOrder(mPoznamka, mInternaPoznamka);
    setTabOrder(mInternaPoznamka, bitAddNote);
    setTabOrder(bitAddNote, bitDeleteNote);
}

void TfPoznamky::connectHandlers()
{
    auto *keys = new platform::KeyPreview(this);
    keys->setHelpHandler([] { services::ShowHelpTopic(QStringLiteral("sprava_poznamok")); });
    auto *fields = new FieldKeys(*this, kColorSlot);
    fields->highlight(eNazov);
    fields->moveOnKeys(eNazov);
    for (QPlainTextEdit *memo : {mPoznamka, mInternaPoznamka}) {
        fields->highlight(memo);
        fields->memoKeys(memo);
    }
    fields->highlight(lbPoznamky);

    connect(bitClearValues, &QPushButton::clicked, this, [this] { RunGuarded([this] { bitClearValuesClick(); }); });
    connect(bitAddNote, &QPushButton::clicked, this, [this] { RunGuarded([this] { bitAddNoteClick(); }); });
    connect(bitDeleteNote, &QPushButton::clicked, this, [this] { RunGuarded([this] { bitDeleteNoteClick(); }); });
    connect(lbPoznamky, &QListWidget::itemClicked, this, [this] { RunGuarded([this] { lbPoznamkyClick(); }); });
    FieldKeys::OnSelectionKeys(*lbPoznamky, [this] { RunGuarded([this] { lbPoznamkyClick(); }); });
}

int TfPoznamky::OpenModal()
{
    if (QWidget *main = parentWidget()) {
        const QRect frame = main->geometry();
        move(frame.left() + (frame.width() - width()) / 2, frame.top() + (frame.height() - height()) / 2);
    }
    setWindowTitle(services::ProgramTitle + QStringLiteral(" - ") + services::MessageText(134));
    RefreshNoteList();
    bitClearValuesClick();
    return exec();
}

void TfPoznamky::RefreshNoteList()
{
    QStringList names;
    db::FillNoteNameList(names);
    lbPoznamky->clear();
    lbPoznamky->addItems(names);
}

void TfPoznamky::bitClearValuesClick()
{
    eNazov->clear();
    mPoznamka->clear();
    mInternaPoznamka->clear();
    eNazov->setFocus();
}

void TfPoznamky::bitAddNoteClick()
{
    services::TrimMemoTail(*mInternaPoznamka);
    services::TrimMemoTail(*mPoznamka);
    db::NoteFormValues form;
    form.name = eNazov->text();
    form.note = mPoznamka->toPlainText();
    form.internalNote = mInternaPoznamka->toPlainText();
    if (!db::SaveNote(form, *this))
        return;
    RefreshNoteList();
    bitClearValuesClick();
}

void TfPoznamky::bitDeleteNoteClick()
{
    QListWidgetItem *item = lbPoznamky->currentItem();
    if (!item || !item->isSelected()) {
        services::ShowMessageBox(services::MessageText(136), services::kMbWarning);
        return;
    }
    const int index = lbPoznamky->currentRow();
    const QString name = item->text();
    if (services::ShowMessageBox(services::MessageText(123), services::kMbQuestionYesNo) != services::kIdYes)
        return;
    if (db::DeleteNote(name)) {
        RefreshNoteList();
        services::ShowMessageBox(platform::Format(services::MessageText(138), {name}, platform::regionalSettings()),
                                 services::kMbInformation);
    }
    services::StepListBoxSelection(*lbPoznamky, index, 0);
}

void TfPoznamky::lbPoznamkyClick()
{
    QListWidgetItem *item = lbPoznamky->currentItem();
    if (!item || !item->isSelected())
        return;
    const std::optional<db::NoteFormValues> note = db::LoadNoteForm(item->text());
    if (!note)
        return;
    eNazov->setText(note->name);
    mPoznamka->setPlainText(note->note);
    mInternaPoznamka->setPlainText(note->internalNote);
}

void TfPoznamky::focusControl(const QString &controlName)
{
    if (auto *control = findChild<QWidget *>(controlName))
        control->setFocus();
}

TfPoznamky *NotesWindowOf(QWidget &mainWindow)
{
    return mainWindow.findChild<TfPoznamky *>(QStringLiteral("fPoznamky"), Qt::FindDirectChildrenOnly);
}

} // namespace bralvo::app
