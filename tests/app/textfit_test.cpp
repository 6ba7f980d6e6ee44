// Every window read at 1024x768 and 1400x900 offscreen: no label, button, check box,
// radio button or group box title may be wider than its control (font
// metrics), on every tab page. Slovak texts are long; a clipped caption
// is a caption the user cannot read.
#include "app/menuicons.h"
#include "app/tfdbmanager.h"
#include "app/tflogin.h"
#include "app/tfmain.h"
#include "app/tfmenu.h"
#include "app/tfodberatelia.h"
#include "app/tfuzivatelia.h"
#include "tests/app/everywindow.h"
#include "tests/app/usersfixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QRegularExpression>
#include <QTabBar>
#include <QTextDocument>

#include <functional>

using namespace bralvo;

namespace {

// The widest line of a caption as drawn (mnemonic "&" left out).
int textWidth(const QFontMetrics &metrics, QString text)
{
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    int widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

// The width a caption needs inside its control and the width it has;
// {0, 0} for controls that wrap, show no text or are not captions.
std::pair<int, int> neededAndAvailable(QWidget &w)
{
    const QFontMetrics metrics(w.font());
    if (auto *label = qobject_cast<QLabel *>(&w)) {
        if (label->wordWrap() || label->text().isEmpty() || Qt::mightBeRichText(label->text()))
            return {0, 0};
        const int margins = 2 * label->margin() + std::max(0, label->indent());
        return {textWidth(metrics, label->text()), label->contentsRect().width() - margins};
    }
    if (auto *group = qobject_cast<QGroupBox *>(&w)) {
        if (group->title().isEmpty())
            return {0, 0};
        return {textWidth(metrics, group->title()) + 16, group->width()};
    }
    if (auto *button = qobject_cast<QAbstractButton *>(&w)) {
        if (button->text().isEmpty())
            return {0, 0};
        int extra = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        if (qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button)) {
            const QStyle *style = button->style();
            const bool check = qobject_cast<QCheckBox *>(button) != nullptr;
            extra += style->pixelMetric(check ? QStyle::PM_IndicatorWidth : QStyle::PM_ExclusiveIndicatorWidth)
                   + style->pixelMetric(check ? QStyle::PM_CheckBoxLabelSpacing : QStyle::PM_RadioButtonLabelSpacing);
        } else {
            extra += 8;  // the frame and a little air on both sides
        }
        return {textWidth(metrics, button->text()) + extra, button->width()};
    }
    return {0, 0};
}

// "window: control "text" needs N, has M" for every clipped caption that
// the user can see on the window's current pages.
QStringList clippedOnShownPages(QWidget &window)
{
    QStringList clipped;
    for (QWidget *w : window.findChildren<QWidget *>()) {
        if (!w->isVisibleTo(&window) || qobject_cast<QTabBar *>(w->parentWidget()))
            continue;
        const auto [needed, available] = neededAndAvailable(*w);
        if (needed > available)
            clipped << QStringLiteral("%1: %2 \"%3\" needs %4, has %5")
                           .arg(window.objectName(), w->objectName(),
                                qobject_cast<QLabel *>(w)          ? qobject_cast<QLabel *>(w)->text()
                                : qobject_cast<QGroupBox *>(w)     ? qobject_cast<QGroupBox *>(w)->title()
                                                                   : qobject_cast<QAbstractButton *>(w)->text())
                           .arg(needed)
                           .arg(available);
    }
    return clipped;
}

// Walks every page of every tab widget of the window.
QStringList clippedOnAllPages(QWidget &window)
{
    QStringList clipped = clippedOnShownPages(window);
    for (QTabWidget *tabs : window.findChildren<QTabWidget *>()) {
        const int shown = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
            clipped += clippedOnShownPages(window);
        }
        tabs->setCurrentIndex(shown);
    }
    clipped.removeDuplicates();
    return clipped;
}

class TextFit : public test::UsersFixture, public testing::WithParamInterface<QSize> {};

TEST_P(TextFit, NoCaptionIsWiderThanItsControl)
{
    app::TfMain &main = start();
    main.resize(GetParam());
    main.show();
    QCoreApplication::processEvents();
    QStringList clipped;
    test::forEachWindow(main, [&clipped](QWidget &window) { clipped += clippedOnAllPages(window); });
    clipped.removeDuplicates();
    EXPECT_TRUE(clipped.isEmpty()) << clipped.join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(ScreenSizes, TextFit, testing::Values(QSize(1024, 768), QSize(1400, 900)),
                         [](const testing::TestParamInfo<QSize> &info) {
                             return std::to_string(info.param.width()) + "x" + std::to_string(info.param.height());
                         });

class ButtonPictures : public test::UsersFixture {};

// Picture buttons ("bit...") show their picture on every window, not only
// the menu items.
TEST_F(ButtonPictures, EveryPictureButtonShowsAPicture)
{
    app::TfMain &main = start();
    main.resize(1024, 768);
    main.show();
    QStringList bare;
    int seen = 0;
    test::forEachWindow(main, [&](QWidget &window) {
        for (QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
            // The small "..." choosers are their own picture.
            if (!button->objectName().startsWith(QLatin1String("bit")) || button->text() == QLatin1String("..."))
                continue;
            button->ensurePolished();
            ++seen;
            if (button->icon().isNull())
                bare << window.objectName() + QLatin1Char('.') + button->objectName();
        }
    });
    EXPECT_GT(seen, 60);
    bare.removeDuplicates();
    EXPECT_TRUE(bare.isEmpty()) << bare.join(QLatin1Char(' ')).toStdString();
}

// No window carries the toolkit's own logo: the program sets its icon.
TEST_F(ButtonPictures, WindowsCarryTheProgramIconNotTheToolkitLogo)
{
    app::TfMain &main = start();
    const QImage program = app::ProgramIcon().pixmap(16).toImage();
    ASSERT_FALSE(program.isNull());
    EXPECT_EQ(QApplication::windowIcon().pixmap(16).toImage(), program);
    test::forEachWindow(main, [&](QWidget &window) {
        SCOPED_TRACE(window.objectName().toStdString());
        EXPECT_EQ(window.window()->windowIcon().pixmap(16).toImage(), program);
    });
}

// An IBAN has up to 34 characters; the field must show one whole.
TEST_F(TextFit, IbanFieldShowsAWholeIban)
{
    app::TfMain &main = start();
    main.resize(1024, 768);
    main.show();
    QDialog *accounts = nullptr;
    for (QDialog *dialog : main.findChildren<QDialog *>())
        if (dialog->findChild<QLineEdit *>(QStringLiteral("eIban")))
            accounts = dialog;
    ASSERT_NE(accounts, nullptr);
    accounts->show();
    QLineEdit *iban = accounts->findChild<QLineEdit *>(QStringLiteral("eIban"));
    const QString longest = QStringLiteral("MT84MALT011000012345MTLCAST001SWW8");  // 34 characters
    ASSERT_EQ(longest.size(), 34);
    EXPECT_GE(iban->maxLength(), 34);
    const int needed = QFontMetrics(iban->font()).horizontalAdvance(longest) + 8;
    EXPECT_GE(iban->width(), needed);
    accounts->hide();
}

} // namespace
