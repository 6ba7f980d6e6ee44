// The users and firm window: layout, list drawing, handlers and pictures.
#include "app/tfuzivatelia.h"

#include "app/recordkeys.h"

#include "app/fieldkeys.h"
#include "app/guardedcall.h"
#include "app/tfmain.h"
#include "app/tfpoznamky.h"
#include "app/tfucty.h"
#include "db/accountscope.h"
#include "db/currentuser.h"
#include "db/lookups.h"
#include "db/namelists.h"
#include "db/retiring.h"
#include "db/rights.h"
#include "db/users.h"
#include "platform/folders.h"
#include "platform/formatstring.h"
#include "platform/messageboxseam.h"
#include "platform/regionalsettings.h"
#include "platform/widgets/keypreview.h"
#include "platform/widgets/mdihost.h"
#include "platform/widgets/named.h"
#include "services/backup.h"
#include "services/globals.h"
#include "services/gridhelpers.h"
#include "services/languagefiles.h"
#include "services/listhelpers.h"
#include "services/messages.h"
#include "services/shellopen.h"
#include "services/uitexts.h"
#include "services/windowhelpers.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <cmath>
#include <tuple>

namespace bralvo::app {

using platform::named;

namespace {

constexpr int kColorSlot = 2;
constexpr int kItemHeight = 13;
constexpr int kPictureWidth = 120;
constexpr int kPictureHeight = 70;

// lbUzivateliaDrawItem: plain text at x = 2, the administrator bold with
// " (admin)" after the name.
class UserListDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
        QString text = index.data().toString();
        QFont font = option.font;
        if (!text.isEmpty() && text == db::AdminUserName) {
            font.setBold(true);
            text += QStringLiteral(" (admin)");
        }
        painter->save();
        painter->setFont(font);
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QFontMetrics metrics(font);
        const int height = option.rect.height();
        const int top = height < 18 ? option.rect.top()
                                    : option.rect.top() + (height - metrics.height()) / 2;
        painter->drawText(QRect(option.rect.left() + 2, top, option.rect.width() - 2, metrics.height()),
                          Qt::AlignLeft | Qt::AlignTop, text);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), kItemHeight);
    }
};

// Delphi's Round: halves go to the even neighbour.
int roundHalfEven(double value)
{
    return int(std::nearbyint(value));
}

} // namespace

// --- opening

void InstallUsersWindow(TfMain &main)
{
    new TfUcty(&main);
    new TfPoznamky(&main);
    main.setWindowOpener(QStringLiteral("menuSpravaUzivatelov"), [&main] { OpenUsersWindow(main); });
    main.setWindowOpener(QStringLiteral("menuSpravaUctov"), [&main] {
        if (TfUcty *accounts = AccountsWindowOf(main))
            accounts->OpenModal();
    });
    main.setWindowOpener(QStringLiteral("menuSpravaPoznamok"), [&main] {
        if (TfPoznamky *notes = NotesWindowOf(main))
            notes->OpenModal();
    });
}

TfUzivatelia &OpenUsersWindow(TfMain &main)
{
    auto *window = new TfUzivatelia(main);
    platform::MdiHost(*main.mdiArea()).openMaximized(window);
    if (QWidget *frame = window->parentWidget()) {
        // No border, as the start menu.
        frame->setWindowFlags(frame->windowFlags() | Qt::FramelessWindowHint);
        frame->showMaximized();
    }
    services::LocalizeForm(window);
    db::SetOwnAccountScope();
    window->setWindowTitle(services::MessageText(105));
    window->RefreshUserList();
    window->bitClearValuesClick();
    return *window;
}

// --- layout

TfUzivatelia::TfUzivatelia(TfMain &main) : QWidget(nullptr), m_main(main)
{
    setObjectName(QStringLiteral("fUzivatelia"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    pnlMain = named(new QWidget(this), "pnlMain");
    pnlMain->resize(984, 600);
    buildCompany();
    buildUser();
    buildSettings();
    buildList();
    connectHandlers();
    connectKeys();
}

void TfUzivatelia::buildCompany()
{
    gbFirma = named(new QGroupBox(QStringLiteral("Firma / Osoba (pre zmenu potrebujete oprávnenie)"), pnlMain),
                    "gbFirma");
    gbFirma->setGeometry(0, 0, 320, 386);
    const auto row = [](QWidget *parent, QLabel *&label, const char *labelName, const char *caption,
                        QLineEdit *&edit, const char *editName, int top) {
        label = named(new QLabel(QString::fromUtf8(caption), parent), labelName);
        label->setGeometry(10, top, 92, 21);
        edit = named(new QLineEdit(parent), editName);
        edit->setGeometry(104, top, 200, 21);
    };
    row(gbFirma, Label1, "Label1", "Názov *", eNazov, "eNazov", 20);
    eNazov->setMaxLength(70);
    chbPlatca = named(new QCheckBox(QStringLiteral("Platca DPH"), gbFirma), "chbPlatca");
    chbPlatca->setGeometry(104, 46, 200, 19);
    row(gbFirma, Label2, "Label2", "IČO", eICO, "eICO", 70);
    row(gbFirma, Label3, "Label3", "DIČ", eDIC, "eDIC", 96);
    row(gbFirma, Label4, "Label4", "IČ DPH", eICDPH, "eICDPH", 122);
    GroupBox2 = named(new QGroupBox(QStringLiteral("Adresa"), gbFirma), "GroupBox2");
    GroupBox2->setGeometry(6, 150, 308, 124);
    row(GroupBox2, Label5, "Label5", "Ulica", eUlica, "eUlica", 18);
    row(GroupBox2, Label6, "Label6", "PSČ", ePSC, "ePSC", 44);
    row(GroupBox2, Label7, "Label7", "Mesto", eMesto, "eMesto", 70);
    row(GroupBox2, Label8, "Label8", "Štát", eStat, "eStat", 96);
    row(gbFirma, Label9, "Label9", "Logo firmy", eLogo, "eLogo", 282);
    eLogo->setGeometry(104, 282, 172, 21);
    bitOpenLogo = named(new QPushButton(QStringLiteral("..."), gbFirma), "bitOpenLogo");
    bitOpenLogo->setGeometry(280, 281, 26, 23);
    imgLogo = named(new QLabel(gbFirma), "imgLogo");
    imgLogo->setGeometry(104, 308, 0, 0);
}

void TfUzivatelia::buildUser()
{
    const auto row = [](QWidget *parent, QLabel *&label, const char *labelName, const char *caption,
                        QLineEdit *&edit, const char *editName, int top) {
        label = named(new QLabel(QString::fromUtf8(caption), parent), labelName);
        label->setGeometry(10, top, 110, 21);
        edit = named(new QLineEdit(parent), editName);
        edit->setGeometry(122, top, 182, 21);
    };
    GroupBox3 = named(new QGroupBox(QStringLiteral("Užívateľ"), pnlMain), "GroupBox3");
    GroupBox3->setGeometry(330, 0, 320, 236);
    row(GroupBox3, Label10, "Label10", "Meno *", eMeno, "eMeno", 20);
    row(GroupBox3, Label11, "Label11", "Telefón / mobil", eMobil, "eMobil", 46);
    row(GroupBox3, Label12, "Label12", "Fax", eFax, "eFax", 72);
    row(GroupBox3, Label13, "Label13", "E-mail", eMail, "eMail", 98);
    GroupBox4 = named(new QGroupBox(QStringLiteral("Prístupové údaje"), GroupBox3), "GroupBox4");
    GroupBox4->setGeometry(6, 126, 308, 102);
    row(GroupBox4, Label14, "Label14", "Login *", eLogin, "eLogin", 18);
    row(GroupBox4, Label15, "Label15", "Heslo", ePassword1, "ePassword1", 44);
    row(GroupBox4, Label16, "Label16", "Heslo pre overenie", ePassword2, "ePassword2", 70);
    for (QLineEdit *password : {ePassword1, ePassword2}) {
        password->setEchoMode(QLineEdit::Password);
        password->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // "*"
    }
}

void TfUzivatelia::buildSettings()
{
    GroupBox5 = named(new QGroupBox(QStringLiteral("Užívateľské údaje a nastavenia"), pnlMain), "GroupBox5");
    GroupBox5->setGeometry(330, 244, 320, 352);
    Label17 = named(new QLabel(QStringLiteral("Interná poznámka"), GroupBox5), "Label17");
    Label17->setGeometry(10, 20, 110, 16);
    mInternaPoznamka = named(new QPlainTextEdit(GroupBox5), "mInternaPoznamka");
    mInternaPoznamka->setGeometry(122, 20, 182, 48);
    Label18 = named(new QLabel(QStringLiteral("(CTRL+ENTER = ďaľší riadok v poznámke)"), GroupBox5), "Label18");
    Label18->setGeometry(10, 69, 294, 14);
    Label18->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    GroupBox6 = named(new QGroupBox(QStringLiteral("Podpis"), GroupBox5), "GroupBox6");
    GroupBox6->setGeometry(6, 86, 308, 146);
    Label19 = named(new QLabel(QStringLiteral("Podpis / pečiatka"), GroupBox6), "Label19");
    Label19->setGeometry(10, 18, 110, 21);
    ePodpisPeciatka = named(new QLineEdit(GroupBox6), "ePodpisPeciatka");
    ePodpisPeciatka->setGeometry(116, 18, 152, 21);
    bitOpenPodpis = named(new QPushButton(QStringLiteral("..."), GroupBox6), "bitOpenPodpis");
    bitOpenPodpis->setGeometry(272, 17, 26, 23);
    imgPodpis = named(new QLabel(GroupBox6), "imgPodpis");
    imgPodpis->setGeometry(116, 44, 0, 0);
    Label20 = named(new QLabel(QStringLiteral("Text v podpise"), GroupBox6), "Label20");
    Label20->setGeometry(10, 118, 104, 21);
    ePodpisText = named(new QLineEdit(GroupBox6), "ePodpisText");
    ePodpisText->setGeometry(116, 118, 182, 21);
    GroupBox7 = named(new QGroupBox(QStringLiteral("Účty"), GroupBox5), "GroupBox7");
    GroupBox7->setGeometry(6, 238, 308, 52);
    cbHlavnyUcet = named(new QComboBox(GroupBox7), "cbHlavnyUcet");
    cbHlavnyUcet->setGeometry(10, 20, 126, 22);
    bitSpravaUctov = named(new QPushButton(QStringLiteral("Správa účtov užívateľa"), GroupBox7), "bitSpravaUctov");
    bitSpravaUctov->setGeometry(140, 18, 162, 26);
    GroupBox8 = named(new QGroupBox(QStringLiteral("Poznámky"), GroupBox5), "GroupBox8");
    GroupBox8->setGeometry(6, 294, 308, 52);
    cbHlavnaPoznamka = named(new QComboBox(GroupBox8), "cbHlavnaPoznamka");
    cbHlavnaPoznamka->setGeometry(10, 20, 140, 22);
    bitSpravaPoznamok = named(new QPushButton(QStringLiteral("Správa poznámok"), GroupBox8), "bitSpravaPoznamok");
    bitSpravaPoznamok->setGeometry(156, 18, 144, 26);
}

void TfUzivatelia::buildList()
{
    Label21 = named(new QLabel(QStringLiteral("Zoznam užívateľov"), pnlMain), "Label21");
    Label21->setGeometry(660, 0, 320, 16);
    lbUzivatelia = named(new QListWidget(pnlMain), "lbUzivatelia");
    lbUzivatelia->setGeometry(660, 18, 320, 170);
    lbUzivatelia->setItemDelegate(new UserListDelegate(lbUzivatelia));
    lbUzivatelia->setUniformItemSizes(true);
    int top = 194;
    for (auto [button, name, caption] : {std::tuple{&bitAddUser, "bitAddUser", "Pridať / uložiť užívateľa"},
                                         std::tuple{&bitDeleteUser, "bitDeleteUser", "Zmazať označeného užívateľa"},
                                         std::tuple{&bitClearValues, "bitClearValues",
                                                    "Vyčistiť políčka pre zadávanie nového užívateľa"}}) {
        *button = named(new QPushButton(QString::fromUtf8(caption), pnlMain), name);
        (*button)->setGeometry(660, top, 320, 28);
        top += 32;
    }
    GroupBox9 = named(new QGroupBox(QStringLiteral("Práva pre označeného užívateľa"), pnlMain), "GroupBox9");
    GroupBox9->setGeometry(660, 294, 320, 240);
    top = 20;
    for (auto [box, name, caption] :
         {std::tuple{&chbPravoMenitFaktury, "chbPravoMenitFaktury", "Meniť faktúry"},
          std::tuple{&chbPravoMazatFaktury, "chbPravoMazatFaktury", "Mazať faktúry"},
          std::tuple{&chbPravoMenitUzivatelov, "chbPravoMenitUzivatelov", "Meniť a pridávať užívateľov"},
          std::tuple{&chbPravoMazatUzivatelov, "chbPravoMazatUzivatelov", "Mazať užívateľov"},
          std::tuple{&chbPravoMenitNastavenia, "chbPravoMenitNastavenia", "Meniť nastavenia programu a firmy"},
          std::tuple{&chbPravoPridelovatPrava, "chbPravoPridelovatPrava", "Možnosť prideľovať práva"},
          std::tuple{&chbPravoMenitPolozky, "chbPravoMenitPolozky", "Vytvárať, meniť a mazať položky"}}) {
        *box = named(new QCheckBox(QString::fromUtf8(caption), GroupBox9), name);
        (*box)->setGeometry(10, top, 300, 19);
        top += 21;
    }
    bitSetRights = named(new QPushButton(QStringLiteral("Nastaviť práva pre označeného užívateľa"), GroupBox9),
                         "bitSetRights");
    bitSetRights->setGeometry(10, 172, 300, 28);
    bitSetAdmin = named(new QPushButton(QStringLiteral("Zvoliť za administrátorak"), GroupBox9), "bitSetAdmin");
    bitSetAdmin->setGeometry(10, 204, 300, 28);
    btnBack = named(new QPushButton(QStringLiteral("Späť (ESC)"), pnlMain), "btnBack");
    btnBack->setGeometry(660, 562, 320, 32);
}

// --- wiring

void TfUzivatelia::connectHandlers()
{
    const auto bind = [this](QPushButton *button, void (TfUzivatelia::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
    };
    bind(bitAddUser, &TfUzivatelia::bitAddUserClick);
    bind(bitClearValues, &TfUzivatelia::bitClearValuesClick);
    bind(bitDeleteUser, &TfUzivatelia::bitDeleteUserClick);
    bind(bitSetRights, &TfUzivatelia::bitSetRightsClick);
    bind(bitSetAdmin, &TfUzivatelia::bitSetAdminClick);
    bind(bitOpenLogo, &TfUzivatelia::bitOpenLogoClick);
    bind(bitOpenPodpis, &TfUzivatelia::bitOpenPodpisClick);
    bind(bitSpravaUctov, &TfUzivatelia::bitSpravaUctovClick);
    bind(bitSpravaPoznamok, &TfUzivatelia::bitSpravaPoznamokClick);
    bind(btnBack, &TfUzivatelia::btnBackClick);
    connect(lbUzivatelia, &QListWidget::itemClicked, this, [this] { RunGuarded([this] { lbUzivateliaClick(); }); });
    FieldKeys::OnSelectionKeys(*lbUzivatelia, [this] { RunGuarded([this] { lbUzivateliaClick(); }); });
    // eLogoChange, ePodpisPeciatkaChange: also when code sets the path.
    connect(eLogo, &QLineEdit::textChanged, this, [this](const QString &path) { ShowPicture(*imgLogo, path); });
    connect(ePodpisPeciatka, &QLineEdit::textChanged, this,
            [this](const QString &path) { ShowPicture(*imgPodpis, path); });
    cbHlavnyUcet->installEventFilter(this);
    cbHlavnaPoznamka->installEventFilter(this);
}

void TfUzivatelia::connectKeys()
{
    auto *keys = new platform::KeyPreview(this);
    keys->setEscapeHandler([this] { closeWindow(); });
    keys->setHelpHandler([] { services::ShowHelpTopic(QStringLiteral("sprava_pouzivatelov")); });
    auto *fields = new FieldKeys(*this, kColorSlot);
    QList<QWidget *> moving = {eNazov, chbPlatca, eICO, eDIC, eICDPH, eUlica, ePSC, eMesto, eStat, eLogo,
                               eMeno, eMobil, eFax, eMail, eLogin, ePassword1, ePassword2,
                               ePodpisPeciatka, ePodpisText,
                               chbPravoMenitFaktury, chbPravoMazatFaktury, chbPravoMenitUzivatelov,
                               chbPravoMazatUzivatelov, chbPravoMenitNastavenia, chbPravoPridelovatPrava,
                               chbPravoMenitPolozky,
                               bitAddUser, bitDeleteUser, bitClearValues, bitSetRights, bitSetAdmin,
                               bitSpravaUctov, bitSpravaPoznamok};
    for (QWidget *control : moving) {
        fields->highlight(control);
        fields->moveOnKeys(control);
    }
    fields->highlight(mInternaPoznamka);
    fields->memoKeys(mInternaPoznamka);
    fields->highlight(lbUzivatelia);
}

bool TfUzivatelia::eventFilter(QObject *watched, QEvent *event)
{
    // The drop-down closing or a message box handing the focus back is no
    // entry: a refill then would drop the choice just made.
    if (event->type() == QEvent::FocusIn && IsOwnFocusMove(*event)) {
        if (watched == cbHlavnyUcet)
            RunGuarded([this] { cbHlavnyUcetEnter(); });
        else if (watched == cbHlavnaPoznamka)
            RunGuarded([this] { cbHlavnaPoznamkaEnter(); });
    }
    return QWidget::eventFilter(watched, event);
}

void TfUzivatelia::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    services::CenterPanels(*this);
}

void TfUzivatelia::closeEvent(QCloseEvent *event)
{
    m_main.setUpdatesEnabled(false);
    if (QWidget *focused = focusWidget())
        focused->clearFocus();
    event->accept();
    services::MaximizeOtherMdiChildren(objectName());
    // Decided once the close has run its course: when another working
    // window replaces this one (the menu closes every child first), no
    // start menu may appear beside it.
    TfMain *main = &m_main;
    QTimer::singleShot(0, main, [main] {
        for (const QMdiSubWindow *frame : main->mdiArea()->subWindowList())
            if (!frame->isHidden())  // closed frames are hidden until freed
                return;
        main->OpenStartMenuIfClosed();
    });
    m_main.setUpdatesEnabled(true);
}

void TfUzivatelia::closeWindow()
{
    // The MDI frame closes (and frees) the window; closing only the inner
    // widget would leave an empty frame behind.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void TfUzivatelia::btnBackClick()
{
    closeWindow();
}

void TfUzivatelia::focusControl(const QString &controlName)
{
    if (auto *control = findChild<QWidget *>(controlName))
        control->setFocus();
}

// --- list and fields

void TfUzivatelia::RefreshUserList()
{
    QStringList names;
    db::FillUserNameList(names);
    lbUzivatelia->clear();
    lbUzivatelia->addItems(names);
}

namespace {

// Refills a combo with names and keeps the chosen name when it is still
// among them.
void refillCombo(QComboBox &combo, const QStringList &names)
{
    const QString chosen = combo.currentText();
    combo.clear();
    combo.addItems(names);
    combo.setCurrentIndex(chosen.isEmpty() ? -1 : combo.findText(chosen, Qt::MatchExactly));
    services::SetComboDropDownWidth(combo);
}

} // namespace

void TfUzivatelia::cbHlavnyUcetEnter()
{
    QStringList names;
    db::FillAccountNameList(names);
    refillCombo(*cbHlavnyUcet, names);
}

void TfUzivatelia::cbHlavnaPoznamkaEnter()
{
    QStringList names;
    db::FillNoteNameList(names);
    refillCombo(*cbHlavnaPoznamka, names);
}

void TfUzivatelia::fillForm(const db::UserFormContents &contents)
{
    const db::UserFormValues &v = contents.values;
    eNazov->setText(v.company.name);
    chbPlatca->setChecked(v.company.vatPayer);
    eICO->setText(v.company.ico);
    eDIC->setText(v.company.dic);
    eICDPH->setText(v.company.icdph);
    eUlica->setText(v.company.street);
    ePSC->setText(v.company.zip);
    eMesto->setText(v.company.city);
    eStat->setText(v.company.country);
    eLogo->setText(v.company.logo);
    eMeno->setText(v.name);
    eMobil->setText(v.phone);
    eFax->setText(v.fax);
    eMail->setText(v.email);
    eLogin->setText(v.login);
    ePassword1->clear();
    ePassword2->clear();
    ePodpisText->setText(v.signatureText);
    ePodpisPeciatka->setText(v.signatureImage);
    cbHlavnyUcet->setCurrentIndex(-1);
    cbHlavnaPoznamka->setCurrentIndex(-1);
    cbHlavnyUcetEnter();
    cbHlavnaPoznamkaEnter();
    cbHlavnyUcet->setCurrentIndex(cbHlavnyUcet->findText(v.mainAccount, Qt::MatchExactly));
    cbHlavnaPoznamka->setCurrentIndex(cbHlavnaPoznamka->findText(v.mainNote, Qt::MatchExactly));
    mInternaPoznamka->setPlainText(v.internalNote);
    const db::UserRights &r = contents.rights;
    chbPravoMenitPolozky->setChecked(r.changeItems);
    chbPravoMenitFaktury->setChecked(r.changeBills);
    chbPravoMazatFaktury->setChecked(r.deleteBills);
    chbPravoMenitUzivatelov->setChecked(r.changeUsers);
    chbPravoMazatUzivatelov->setChecked(r.deleteUsers);
    chbPravoMenitNastavenia->setChecked(r.changeSettings);
    chbPravoPridelovatPrava->setChecked(r.assignRights);
}

void TfUzivatelia::lbUzivateliaClick()
{
    QListWidgetItem *item = lbUzivatelia->currentItem();
    if (!item || !item->isSelected())
        return;
    if (const auto contents = db::LoadUserForm(item->text()))
        fillForm(*contents);
}

void TfUzivatelia::clearUserFields()
{
    for (QLineEdit *edit : {eMeno, eMobil, eFax, eMail, eLogin, ePassword1, ePassword2, ePodpisText,
                            ePodpisPeciatka})
        edit->clear();
    cbHlavnyUcet->setCurrentIndex(-1);
    cbHlavnaPoznamka->setCurrentIndex(-1);
    mInternaPoznamka->clear();
    for (QCheckBox *box : {chbPravoMenitFaktury, chbPravoMazatFaktury, chbPravoMenitUzivatelov,
                           chbPravoMazatUzivatelov, chbPravoMenitNastavenia, chbPravoPridelovatPrava,
                           chbPravoMenitPolozky})
        box->setChecked(false);
}

void TfUzivatelia::lockCompanyBlock(bool locked)
{
    gbFirma->setEnabled(!locked);
    // A locked block paints its edits in the group's colour, so it reads
    // as locked.
    const QColor colour = locked ? gbFirma->palette().color(QPalette::Window)
                                 : palette().color(QPalette::Base);
    for (QLineEdit *edit : {eNazov, eICO, eDIC, eICDPH, eUlica, ePSC, eMesto, eStat, eLogo}) {
        QPalette p = edit->palette();
        p.setColor(QPalette::Base, colour);
        edit->setPalette(p);
    }
}

void TfUzivatelia::bitClearValuesClick()
{
    if (db::AdminUserExists()) {
        if (const auto admin = db::LoadUserForm(db::GetAdminUserName()))
            fillForm(*admin);
    } else {
        for (QLineEdit *edit : {eNazov, eICO, eDIC, eICDPH, eUlica, ePSC, eMesto, eStat, eLogo})
            edit->clear();
        chbPlatca->setChecked(true);
    }
    clearUserFields();
    if (db::CanChangeSettings(db::CurrentUserName()) || db::CountUsers() <= 1) {
        lockCompanyBlock(false);
        (eNazov->text().isEmpty() ? eNazov : eMeno)->setFocus();
    } else {
        eMeno->setFocus();
        lockCompanyBlock(true);
    }
}

// --- saving, deleting, rights

void TfUzivatelia::bitAddUserClick()
{
    services::TrimMemoTail(*mInternaPoznamka);
    const QString name = eMeno->text();
    const bool existed = db::UserNameExists(name);
    db::UserFormValues form;
    form.company = {eNazov->text(), chbPlatca->isChecked(), eICO->text(), eDIC->text(), eICDPH->text(),
                    eUlica->text(), ePSC->text(), eMesto->text(), eStat->text(), eLogo->text()};
    form.name = name;
    form.phone = eMobil->text();
    form.fax = eFax->text();
    form.email = eMail->text();
    form.login = eLogin->text();
    form.password1 = ePassword1->text();
    form.password2 = ePassword2->text();
    form.signatureImage = ePodpisPeciatka->text();
    form.signatureText = ePodpisText->text();
    form.mainAccount = cbHlavnyUcet->currentText();
    form.mainNote = cbHlavnaPoznamka->currentText();
    form.internalNote = mInternaPoznamka->toPlainText();
    if (!db::SaveUser(form, *this))
        return;
    RefreshUserList();
    services::ShowMessageBox(platform::Format(services::MessageText(existed ? 145 : 144), {name},
                                              platform::regionalSettings()),
                             services::kMbInformation);
    bitClearValuesClick();
}

QString TfUzivatelia::selectedUser()
{
    QListWidgetItem *item = lbUzivatelia->currentItem();
    if (item && item->isSelected())
        return item->text();
    services::ShowMessageBox(services::MessageText(117), services::kMbWarning);
    return QString();
}

void TfUzivatelia::bitDeleteUserClick()
{
    const QString name = selectedUser();
    if (name.isEmpty())
        return;
    if (!db::CanDeleteUsers(db::CurrentUserName())) {
        services::ShowMessageBox(services::MessageText(124), services::kMbWarning);
        return;
    }
    if (name == db::GetAdminUserName()) {
        services::ShowMessageBox(services::MessageText(125), services::kMbWarning);
        return;
    }
    const int index = lbUzivatelia->currentRow();
    if (services::ShowMessageBox(services::MessageText(123), services::kMbQuestionYesNo) != services::kIdYes)
        return;
    if (db::DeleteUser(name)) {
        RefreshUserList();
        services::ShowMessageBox(QLatin1Char('"') + name + QStringLiteral("\" ") + services::MessageText(126) +
                                     QLatin1Char('.'),
                                 services::kMbInformation);
    }
    services::StepListBoxSelection(*lbUzivatelia, index, 0);
}

void TfUzivatelia::bitSetRightsClick()
{
    const QString name = selectedUser();
    if (name.isEmpty())
        return;
    if (!db::CanAssignRights(db::CurrentUserName())) {
        services::ShowMessageBox(services::MessageText(119), services::kMbWarning);
        return;
    }
    if (name == db::GetAdminUserName()) {
        services::ShowMessageBox(services::MessageText(118), services::kMbWarning);
        return;
    }
    if (services::ShowMessageBox(services::MessageText(123), services::kMbQuestionYesNo) != services::kIdYes)
        return;
    db::UserRights rights;
    rights.changeItems = chbPravoMenitPolozky->isChecked();
    rights.changeUsers = chbPravoMenitUzivatelov->isChecked();
    rights.deleteUsers = chbPravoMazatUzivatelov->isChecked();
    rights.changeBills = chbPravoMenitFaktury->isChecked();
    rights.deleteBills = chbPravoMazatFaktury->isChecked();
    rights.changeSettings = chbPravoMenitNastavenia->isChecked();
    rights.assignRights = chbPravoPridelovatPrava->isChecked();
    if (db::SaveUserRights(name, rights))
        services::ShowMessageBox(services::MessageText(120) + QStringLiteral(" \"") + name + QStringLiteral("\"."),
                                 services::kMbInformation);
}

void TfUzivatelia::bitSetAdminClick()
{
    const QString name = selectedUser();
    if (name.isEmpty())
        return;
    const QString admin = db::GetAdminUserName();
    if (db::CurrentUserName() != admin) {
        services::ShowMessageBox(services::MessageText(121), services::kMbWarning);
        return;
    }
    if (name == admin)
        return;
    if (services::ShowMessageBox(services::MessageText(123), services::kMbQuestionYesNo) != services::kIdYes)
        return;
    if (db::MakeAdmin(name)) {
        RefreshUserList();
        services::ShowMessageBox(services::MessageText(122) + QStringLiteral(" \"") + name + QStringLiteral("\"."),
                                 services::kMbInformation);
    }
}

// --- accounts and notes

void TfUzivatelia::bitSpravaUctovClick()
{
    if (!db::CanChangeSettings(db::CurrentUserName())) {
        services::ShowMessageBox(services::MessageText(133), services::kMbWarning);
        return;
    }
    if (TfUcty *accounts = AccountsWindowOf(m_main))
        accounts->OpenModal();
}

void TfUzivatelia::bitSpravaPoznamokClick()
{
    if (!db::CanChangeSettings(db::CurrentUserName())) {
        services::ShowMessageBox(services::MessageText(133), services::kMbWarning);
        return;
    }
    if (TfPoznamky *notes = NotesWindowOf(m_main))
        notes->OpenModal();
}

// --- pictures

void TfUzivatelia::bitOpenLogoClick()
{
    choosePicture(QStringLiteral("logo_"), *eLogo);
}

void TfUzivatelia::bitOpenPodpisClick()
{
    choosePicture(QStringLiteral("p_"), *ePodpisPeciatka);
}

void TfUzivatelia::choosePicture(const QString &prefix, QLineEdit &field)
{
    platform::FileDialogRequest request;
    request.filter = QStringLiteral("All (*.jpg *.jpeg *.bmp);;JPEG Image File (*.jpg);;"
                                    "JPEG Image File (*.jpeg);;Bitmaps (*.bmp)");
    const std::optional<QString> chosen = platform::messageBoxSeam().openFileName(request);
    if (!chosen)
        return;
    QString path = *chosen;
    if (services::ShowMessageBox(services::MessageText(209), services::kMbQuestionYesNo) == services::kIdYes) {
        const QString folder = platform::withTrailingSlash(services::DataRoot) + QStringLiteral("Images/");
        const QString copy = folder + prefix + QFileInfo(path).fileName();
        QDir().mkpath(folder);
        const bool same = QFileInfo(copy).canonicalFilePath() == QFileInfo(path).canonicalFilePath();
        if (!same)
            QFile::remove(copy);
        // A copy that failed must not replace the chosen file's path with
        // a path to nothing (or to an older picture of that name).
        if (same || QFile::copy(path, copy))
            path = copy;
    }
    field.setText(path);
}

void TfUzivatelia::ShowPicture(QLabel &image, const QString &path)
{
    image.setScaledContents(false);
    QPixmap picture;
    if (QFileInfo(path).isFile()) {
        if (QFileInfo(path).suffix().compare(QStringLiteral("bmp"), Qt::CaseInsensitive) == 0) {
            picture.load(path, "BMP");
        } else {
            image.setPixmap(QPixmap());
            services::LoadJpegIntoImage(path, image);
            picture = image.pixmap();
        }
    }
    if (picture.isNull()) {
        const QString placeholder = platform::withTrailingSlash(services::ProgramDir) +
                                    QStringLiteral("Data/no_image.bmp");
        picture.load(placeholder, "BMP");  // an empty picture when it is missing
    }
    image.setPixmap(picture);
    int width = picture.width();
    int height = picture.height();
    if (height > kPictureHeight) {
        width = roundHalfEven(width / (height / double(kPictureHeight)));
        height = kPictureHeight;
        image.setScaledContents(true);
    }
    if (width > kPictureWidth) {
        height = roundHalfEven(height / (width / double(kPictureWidth)));
        width = kPictureWidth;
        image.setScaledContents(true);
    }
    image.resize(width, height);
}

} // namespace bralvo::app
