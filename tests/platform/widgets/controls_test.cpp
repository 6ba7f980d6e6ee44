// The small controls: date mask, button group, close-up combo, keys.
#include "platform/widgets/allupbuttongroup.h"
#include "platform/widgets/closeupcombobox.h"
#include "platform/widgets/keypreview.h"
#include "platform/widgets/maskeddateedit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace bralvo::platform;

TEST(MaskedDateEdit, EmptyFieldReadsAsBlanks)
{
    MaskedDateEdit edit;
    EXPECT_EQ(edit.maskText(), "  .  .    ");
    EXPECT_TRUE(edit.isEmptyDate());
    edit.setMaskText("01.02.2024");
    EXPECT_EQ(edit.maskText(), "01.02.2024");
    edit.setMaskText("");
    EXPECT_TRUE(edit.isEmptyDate());
}

TEST(MaskedDateEdit, AcceptsOnlyDigits)
{
    MaskedDateEdit edit;
    edit.setFocus();
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "1a2");
    EXPECT_EQ(edit.maskText().left(3), "12.");
}

TEST(AllUpButtonGroup, AtMostOneDownAndAllMayBeUp)
{
    QPushButton a, b;
    AllUpButtonGroup group;
    group.addButton(&a);
    group.addButton(&b);
    EXPECT_EQ(group.checkedButton(), nullptr);
    a.click();
    EXPECT_EQ(group.checkedButton(), &a);
    b.click();
    EXPECT_FALSE(a.isChecked());
    EXPECT_EQ(group.checkedButton(), &b);
    b.click();
    EXPECT_EQ(group.checkedButton(), nullptr);
}

TEST(CloseUpComboBox, ChoosingByCodeIsNoUserChoice)
{
    CloseUpComboBox combo;
    combo.addItems({"a", "b"});
    QSignalSpy activated(&combo, &QComboBox::activated);
    QSignalSpy closed(&combo, &CloseUpComboBox::closeUp);
    combo.setCurrentIndex(1);
    EXPECT_EQ(activated.count(), 0);
    combo.hidePopup();
    EXPECT_EQ(closed.count(), 1);
}

TEST(KeyPreview, EscapeF1AndEnter)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *first = new QLineEdit(&window);
    auto *second = new QLineEdit(&window);
    auto *button = new QPushButton("OK", &window);
    button->setDefault(true);
    layout->addWidget(first);
    layout->addWidget(second);
    layout->addWidget(button);
    int escapes = 0, helps = 0, clicks = 0;
    KeyPreview keys(&window);
    keys.setEscapeHandler([&] { ++escapes; });
    keys.setHelpHandler([&] { ++helps; });
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    window.show();
    QApplication::setActiveWindow(&window);
    first->setFocus();

    EXPECT_FALSE(button->isDefault());
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), second);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
    QTest::keyClick(second, Qt::Key_Escape);
    QTest::keyClick(second, Qt::Key_F1);
    EXPECT_EQ(escapes, 1);
    EXPECT_EQ(helps, 1);
}

// Enter walks past check boxes and radio buttons; Space still ticks them.
TEST(KeyPreview, EnterPassesCheckBoxesAndRadioButtons)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *box = new QCheckBox("box", &window);
    auto *radio = new QRadioButton("radio", &window);
    auto *last = new QLineEdit(&window);
    layout->addWidget(box);
    layout->addWidget(radio);
    layout->addWidget(last);
    KeyPreview keys(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    box->setFocus();

    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), radio);
    QTest::keyClick(radio, Qt::Key_Enter);
    EXPECT_FALSE(radio->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), last);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_TRUE(box->isChecked());
}
