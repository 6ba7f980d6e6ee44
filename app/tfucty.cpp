// The accounts window: layout, list, save, load and delete.
#include "app/tfucty.h"

#include "app/fieldkeys.h"
#include "app/guardedcall.h"
#include "db/accounts.h"
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

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace bralvo::app {

using platform::named;

namespace {

constexpr int kColorSlot = 4;

} // namespace

TfUcty::TfUcty(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fUcty"));
    setWindowTitle(QStringLiteral("Správa účtov"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(636, 341);
    buildControls();
    connectHandlers();
}

void TfUcty::buildControls()
{
    bitClearValues = named(new QPushButton(QStringLiteral("Vyčistiť políčka pre zadávanie nového účtu"), this),
                           "bitClearValues");
    bitClearValues->setGeometry(8, 8, 436, 28);
    GroupBox1 = named(new QGroupBox(QStringLiteral("Bankový účet"), this), "GroupBox1");
    GroupBox1->setGeometry(8, 42, 436, 254);
    const auto field = [this](const char *labelName, const char *caption, const char *editName, int top,
                              QLabel *&label, QLineEdit *&edit) {
        label = named(new QLabel(QString::fromUtf8(caption), GroupBox1), labelName);
        label->setGeometry(10, top, 110, 21);
        edit = named(new QLineEdit(GroupBox1), editName);
        edit->setGeometry(122, top, 304, 21);  // a whole 34-character IBAN
    };
    field("Label1", "Interný názov", "eNazov", 20, Label1, eNazov);
    eNazov->setMaxLength(70);
    field("Label2", "Názov banky", "eNazovBanky", 46, Label2, eNazovBanky);
    field("Label3", "Číslo účtu", "eCisloUctu", 72, Label3, eCisloUctu);
    field("Label4", "IBAN", "eIban", 98, Label4, eIban);
    field("Label5", "SWIFT", "eSwift", 124, Label5, eSwift);
    Label6 = named(new QLabel(QStringLiteral("Interná poznámka"), GroupBox1), "Label6");
    Label6->setGeometry(10, 150, 110, 16);
    QFont italic = Label6->font();
    italic.setItalic(true);
    Label6->setFont(italic);
    mInternaPoznamka = named(new QPlainTextEdit(GroupBox1), "mInternaPoznamka");
    mInternaPoznamka->setGeometry(122, 150, 304, 50);
    mInternaPoznamka->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Label7 = named(new QLabel(QStringLiteral("(CTRL+ENTER = ďaľší riadok v poznámke)"), GroupBox1), "Label7");
    Label7->setGeometry(10, 201, 416, 14);
    Label7->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bitAddAccount = named(new QPushButton(QStringLiteral("Pridať / uložiť účet"), GroupBox1), "bitAddAccount");
    bitAddAccount->setGeometry(10, 218, 416, 28);
    QFont bold = bitAddAccount->font();
    bold.setBold(true);
    bitAddAccount->setFont(bold);
    bitDeleteAccount = named(new QPushButton(QStringLiteral("Zmazať označený účet"), this), "bitDeleteAccount");
    bitDeleteAccount->setGeometry(8, 304, 436, 28);
    lbUcty = named(new QListWidget(this), "lbUcty");
    lbUcty->setGeometry(452, 8, 176, 325);
    lbUcty->setFocusPolicy(Qt::ClickFocus);

    setTabOrder(bitClearValues, eNazov);
    setTabOrder(eNazov, eNazovBanky);
    setTabOrder(eNazovBanky, eCisloUctu);
    setTabOrder(eCisloUctu, eIban);
    setTabOrder(eIban, eSwift);
    setTabOrder(eSwift, mInternaPoznamka);
    setTabOrder(mInternaPoznamka, bitAddAccount);
    setTabOrder(bitAddAccount, bitDeleteAccount);
}

void TfUcty::connectHandlers()
{
    auto *keys = new platform::KeyPreview(this);
    keys->setHelpHandler([] { services::ShowHelpTopic(QStringLiteral("sprava_bankovych_uctov")); });
    auto *fields = new FieldKeys(*this, kColorSlot);
    for (QWidget *edit : {static_cast<QWidget *>(eNazov), static_cast<QWidget *>(eNazovBanky),
                          static_cast<QWidget *>(eCisloUctu), static_cast<QWidget *>(eIban),
                          static_cast<QWidget *>(eSwift), static_cast<QWidget *>(bitAddAccount),
                          static_cast<QWidget *>(bitDeleteAccount)}) {
        fields->highlight(edit);
        fields->moveOnKeys(edit);
    }
    fields->highlight(mInternaPoznamka);
    fields->memoKeys(mInternaPoznamka);
    fields->highlight(lbUcty);

    connect(bitClearValues, &QPushButton::clicked, this, [this] { RunGuarded([this] { bitClearValuesClick(); }); });
    connect(bitAddAccount, &QPushButton::clicked, this, [this] { RunGuarded([this] { bitAddAccountClick(); }); });
    connect(bitDeleteAccount, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { bitDeleteAccountClick(); }); });
    connect(lbUcty, &QListWidget::itemClicked, this, [this] { RunGuarded([this] { lbUctyClick(); }); });
    FieldKeys::OnSelectionKeys(*lbUcty, [this] { RunGuarded([this] { lbUctyClick(); }); });
}

int TfUcty::OpenModal()
{
    if (QWidget *main = parentWidget()) {
        const QRect frame = main->geometry();
        move(frame.left() + (frame.width() - width()) / 2, frame.top() + (frame.height() - height()) / 2);
    }
    setWindowTitle(services::ProgramTitle + QStringLiteral(" - ") + services::MessageText(127));
    RefreshAccountList();
    bitClearValuesClick();
    return exec();
}

void TfUcty::RefreshAccountList()
{
    QStringList names;
    db::FillAccountNameList(names);
    lbUcty->clear();
    lbUcty->addItems(names);
}

void TfUcty::bitClearValuesClick()
{
    for (QLineEdit *edit : {eNazov, eNazovBanky, eCisloUctu, eIban, eSwift})
        edit->clear();
    mInternaPoznamka->clear();
    eNazov->setFocus();
}

void TfUcty::bitAddAccountClick()
{
    services::TrimMemoTail(*mInternaPoznamka);
    db::AccountFormValues form;
    form.name = eNazov->text();
    form.bankName = eNazovBanky->text();
    form.number = eCisloUctu->text();
    form.iban = eIban->text();
    form.swift = eSwift->text();
    form.internalNote = mInternaPoznamka->toPlainText();
    if (!db::SaveAccount(form, *this))
        return;
    RefreshAccountList();
    bitClearValuesClick();
}

void TfUcty::bitDeleteAccountClick()
{
    QListWidgetItem *item = lbUcty->currentItem();
    if (!item || !item->isSelected()) {
        services::ShowMessageBox(services::MessageText(132), services::kMbWarning);
        return;
    }
    const int index = lbUcty->currentRow();
    const QString name = item->text();
    if (services::ShowMessageBox(services::MessageText(123), services::kMbQuestionYesNo) != services::kIdYes)
        return;
    if (db::DeleteAccount(name)) {
        RefreshAccountList();
        services::ShowMessageBox(QLatin1Char('"') + name + QStringLiteral("\" ") + services::MessageText(126) +
                                     QLatin1Char('.'),
                                 services::kMbInformation);
    }
    services::StepListBoxSelection(*lbUcty, index, 0);
}

void TfUcty::lbUctyClick()
{
    QListWidgetItem *item = lbUcty->currentItem();
    if (!item || !item->isSelected())
        return;
    const std::optional<db::AccountFormValues> account = db::LoadAccountForm(item->text());
    if (!account)
        return;
    eNazov->setText(account->name);
    eNazovBanky->setText(account->bankName);
    eCisloUctu->setText(account->number);
    eIban->setText(account->iban);
    eSwift->setText(account->swift);
    mInternaPoznamka->setPlainText(account->internalNote);
}

void TfUcty::focusControl(const QString &controlName)
{
    if (auto *control = findChild<QWidget *>(controlName))
        control->setFocus();
}

void TfUcty::done(int result)
{
    // The focused field's exit gives its colour back before the window hides.
    if (QWidget *focused = focusWidget())
        focused->clearFocus();
    QDialog::done(result);
}

TfUcty *AccountsWindowOf(QWidget &mainWindow)
{
    return mainWindow.findChild<TfUcty *>(QStringLiteral("fUcty"), Qt::FindDirectChildrenOnly);
}

} // namespace bralvo::app
