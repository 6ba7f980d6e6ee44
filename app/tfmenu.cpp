// The start menu window.
#include "app/tfmenu.h"

#include "app/appstate.h"
#include "app/guardedcall.h"
#include "app/tfmain.h"
#include "platform/widgets/keypreview.h"
#include "services/languagefiles.h"
#include "services/shellopen.h"
#include "services/windowhelpers.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace bralvo::app {

namespace {

struct ButtonDefinition {
    const char *name;
    const char *caption;
    int top;
    const char *menuItem;
    void (TfMain::*handler)();
};

const ButtonDefinition kButtons[] = {
    {"bitSpravaUzivatelov", "Správa užívateľov programu", 24, "menuSpravaUzivatelov",
     &TfMain::menuSpravaUzivatelovClick},
    {"bitSpravaFaktur", "Správa faktúr", 80, "menuSpravaFaktur", &TfMain::menuSpravaFakturClick},
    {"bitSpravaOdberatelov", "Správa odberateľov", 120, "menuSpravaOdberatelov",
     &TfMain::menuSpravaOdberatelovClick},
    {"bitSpravaPoloziek", "Správa položiek", 160, "menuSpravaPoloziek",
     &TfMain::menuSpravaPoloziekClick},
    {"bitTabulky", "Prezrieť tabuľkové prehľady", 216, "menuPrezrietTabulky",
     &TfMain::menuPrezrietTabulkyClick},
    {"bitGrafy", "Prezrieť grafové prehľady", 256, "menuPrezrietGrafy",
     &TfMain::menuPrezrietGrafyClick},
    {"bitNastavenia", "Nastavenia", 312, "menuNastavenia", &TfMain::menuNastaveniaClick},
    {"bitKoniec", "Koniec", 352, "menuKoniec", &TfMain::menuKoniecClick},
};

constexpr int kButtonLeft = 80;
constexpr int kButtonWidth = 264;
constexpr int kButtonHeight = 30;
const QColor kMaroon(128, 0, 0);

QPixmap arrowPixmap(bool pointsRight)
{
    QPixmap pixmap(14, 11);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(kMaroon);
    painter.setPen(Qt::NoPen);
    const QPolygon right({QPoint(0, 0), QPoint(13, 5), QPoint(0, 10)});
    const QPolygon left({QPoint(13, 0), QPoint(0, 5), QPoint(13, 10)});
    painter.drawPolygon(pointsRight ? right : left);
    return pixmap;
}

void setButtonColor(QPushButton &button, const QColor &color)
{
    QPalette palette = button.palette();
    palette.setColor(QPalette::ButtonText, color);
    button.setPalette(palette);
}

} // namespace

TfMenu::TfMenu(TfMain &main)
    : m_main(main),
      pnlMain(new QFrame(this)),
      Panel1(new QLabel(pnlMain)),
      GroupBox1(new QGroupBox(QStringLiteral("Menu"), pnlMain)),
      imSipkaL(new QLabel(GroupBox1)),
      imSipkaR(new QLabel(GroupBox1))
{
    setObjectName(QStringLiteral("fMenu"));
    setAttribute(Qt::WA_DeleteOnClose);
    pnlMain->setObjectName(QStringLiteral("pnlMain"));
    pnlMain->resize(1016, 688);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(55, 40, 905, 30);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    Panel1->setStyleSheet(QStringLiteral("background-color: #E1F5FF;"));
    Panel1->setText(QStringLiteral("Vitajte na úvodnej stránke programu \"Bralvo\" ."));
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(326, 110, 424, 400);
    imSipkaL->setObjectName(QStringLiteral("imSipkaL"));
    imSipkaR->setObjectName(QStringLiteral("imSipkaR"));
    imSipkaL->setPixmap(arrowPixmap(true));
    imSipkaR->setPixmap(arrowPixmap(false));
    imSipkaL->resize(14, 11);
    imSipkaR->resize(14, 11);
    buildButtons();
    // Three lines part the button groups: users | bills, customers, items
    // | overviews | settings and exit.
    const int bevelTops[] = {66, 203, 299};
    for (int i = 0; i < 3; ++i) {
        auto *bevel = new QFrame(GroupBox1);
        bevel->setObjectName(QStringLiteral("Bevel%1").arg(i + 1));
        bevel->setFrameShape(QFrame::HLine);
        bevel->setFrameShadow(QFrame::Sunken);
        bevel->setGeometry(kButtonLeft - 24, bevelTops[i], kButtonWidth + 48, 2);
    }

    m_keys = new platform::KeyPreview(this);
    m_keys->setEscapeHandler([this] { m_main.close(); });
    m_keys->setHelpHandler([] { services::ShowHelpTopic(QStringLiteral("hlavne_menu")); });
    updateButtons();
    // The arrows start at the first focused button, before any focus event;
    // a disabled button cannot hold the focus, so Koniec stands in.
    QPushButton *first = button(QStringLiteral("bitSpravaFaktur"));
    if (!first->isEnabled())
        first = button(QStringLiteral("bitKoniec"));
    first->setFocus();
    bitSpravaUzivatelovEnter(*first);
}

void TfMenu::buildButtons()
{
    QFont font(QStringLiteral("Tahoma"), 8);
    font.setBold(true);
    for (const ButtonDefinition &row : kButtons) {
        auto *button = new QPushButton(QString::fromUtf8(row.caption), GroupBox1);
        button->setObjectName(QLatin1String(row.name));
        button->setGeometry(kButtonLeft, row.top, kButtonWidth, kButtonHeight);
        button->setFont(font);
        button->setCursor(Qt::PointingHandCursor);
        button->setMouseTracking(true);
        button->installEventFilter(this);
        const auto handler = row.handler;
        connect(button, &QPushButton::clicked, this, [this, handler] { runHandler(handler); });
        m_buttons.append(button);
    }
}

// The handler may close the main window and with it this menu, so the
// guarded call holds the main window only, never this.
void TfMenu::runHandler(void (TfMain::*handler)())
{
    TfMain &main = m_main;
    RunGuarded([&main, handler] { (main.*handler)(); });
}

QPushButton *TfMenu::button(const QString &name) const
{
    for (QPushButton *button : m_buttons)
        if (button->objectName() == name)
            return button;
    return nullptr;
}

void TfMenu::updateButtons()
{
    for (const ButtonDefinition &row : kButtons) {
        const QAction *action = m_main.menuItem(QLatin1String(row.menuItem));
        const bool lockable = row.handler != &TfMain::menuKoniecClick;
        button(QLatin1String(row.name))->setEnabled(!lockable || (action && action->isEnabled()));
    }
}

void TfMenu::bitSpravaUzivatelovEnter(QPushButton &button)
{
    const int top = button.y() + 7;
    imSipkaL->move(button.x() - imSipkaL->width() - 5, top);
    imSipkaR->move(button.x() + button.width() + 5, top);
    setButtonColor(button, kMaroon);
}

void TfMenu::bitSpravaUzivatelovExit(QPushButton &button)
{
    setButtonColor(button, palette().color(QPalette::WindowText));
}

void TfMenu::bitSpravaUzivatelovMouseEnter(QPushButton &button)
{
    if (MenuHoverFocus)
        button.setFocus(Qt::MouseFocusReason);
}

void TfMenu::bitSpravaUzivatelovMouseMove(QPushButton &button)
{
    bitSpravaUzivatelovMouseEnter(button);
    if (!StartupPending)
        MenuHoverFocus = true;
}

bool TfMenu::eventFilter(QObject *watched, QEvent *event)
{
    auto *button = qobject_cast<QPushButton *>(watched);
    if (button && m_buttons.contains(button)) {
        switch (event->type()) {
        case QEvent::FocusIn: bitSpravaUzivatelovEnter(*button); break;
        case QEvent::FocusOut: bitSpravaUzivatelovExit(*button); break;
        case QEvent::Enter: bitSpravaUzivatelovMouseEnter(*button); break;
        case QEvent::MouseMove: bitSpravaUzivatelovMouseMove(*button); break;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfMenu::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    services::CenterPanels(*this);
}

void TfMenu::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    services::ApplyLanguageToForm(QStringLiteral("SK"), this);
}

} // namespace bralvo::app
