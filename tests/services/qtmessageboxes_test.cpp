// The Qt seam turns flags into icons and buttons and answers into codes.
#include "services/qtmessageboxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using bralvo::services::QtMessageBoxes;

namespace {

struct SeenBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString text, caption;
};

// Shows the box and lets `act` answer it once it is on screen.
int showAndAnswer(int flags, SeenBox &seen, const std::function<void(QMessageBox *)> &act,
                  const QString &text = QStringLiteral("Text"))
{
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->icon(), box->standardButtons(), box->text(), box->windowTitle()};
        act(box);
    });
    QtMessageBoxes seam;
    return seam.messageBox(text, "Bralvo", flags);
}

} // namespace

TEST(QtMessageBoxes, FlagsGiveIconAndButtonsAndClicksGiveCodes)
{
    struct Case { int flags; QMessageBox::Icon icon; QMessageBox::StandardButtons buttons;
                  QMessageBox::StandardButton click; int answer; };
    const Case cases[] = {
        {16, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok, 1},
        {36, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, 6},
        {36, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, 7},
        {48, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok, 1},
        {52, QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, 6},
        {64, QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok, 1},
        {68, QMessageBox::Information, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, 7},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.flags);
        SeenBox seen;
        const int answer = showAndAnswer(c.flags, seen, [&](QMessageBox *box) { box->button(c.click)->click(); });
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(seen.icon, c.icon);
        EXPECT_EQ(seen.buttons, c.buttons);
        EXPECT_EQ(seen.text, QString("Text"));
        EXPECT_EQ(seen.caption, QString("Bralvo"));
    }
}

TEST(QtMessageBoxes, EscapeOnAQuestionIsNo)
{
    SeenBox seen;
    const int answer =
        showAndAnswer(36, seen, [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(answer, 7);
}

// The unexpected-error text breaks its lines with CR alone, which a Qt
// label would run together; and a name holding "<b>" must show as typed.
TEST(QtMessageBoxes, TextIsPlainAndEveryLineEndBreaksTheLine)
{
    struct Case { const char *text; const char *shown; };
    const Case cases[] = {
        {"one\rtwo", "one\ntwo"},
        {"one\r\rtwo", "one\n\ntwo"},
        {"one\r\ntwo\nthree", "one\ntwo\nthree"},
        {"Odberatel <b>Novak</b> & syn", "Odberatel <b>Novak</b> & syn"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        SeenBox seen;
        Qt::TextFormat format = Qt::AutoText;
        showAndAnswer(16, seen, [&](QMessageBox *box) {
            format = box->textFormat();
            box->button(QMessageBox::Ok)->click();
        }, QString::fromUtf8(c.text));
        EXPECT_EQ(seen.text, QString::fromUtf8(c.shown));
        EXPECT_EQ(format, Qt::PlainText);
    }
}
