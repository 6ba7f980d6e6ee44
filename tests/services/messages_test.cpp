// Message boxes reach the seam with their texts, captions and flags.
#include "services/globals.h"
#include "services/messages.h"
#include "tests/support/programfolders.h"
#include "tests/support/scriptedmessageboxes.h"

#include <functional>
#include <gtest/gtest.h>

using namespace bralvo::services;
using bralvo::test::ScriptedMessageBoxes;

namespace {
QString u(const char *utf8) { return QString::fromUtf8(utf8); }
}

TEST(Messages, EachOperationSendsItsCaptionAndFlags)
{
    bralvo::test::ProgramFolders folders;
    struct Case {
        const char *name;
        std::function<void()> show;
        const char *caption;
        int flags;
    };
    const Case cases[] = {
        {"MessageBoxWithCaption", [] { MessageBoxWithCaption("text", "Záloha", 52); }, "Záloha", 52},
        {"ShowMessageBox 64", [] { ShowMessageBox("text", kMbInformation); }, "Bralvo", 64},
        {"ShowMessageBox 68", [] { ShowMessageBox("text", kMbInformationYesNo); }, "Bralvo", 68},
        {"ErrorBoxWithCaption", [] { ErrorBoxWithCaption("text", "Aktualizácia"); }, "Aktualizácia", 16},
        {"ShowErrorBox", [] { ShowErrorBox("text"); }, "Bralvo", 16},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedMessageBoxes boxes;
        boxes.answerBox(bralvo::platform::kIdOk);
        c.show();
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, QString("text"));
        EXPECT_EQ(boxes.calls()[0].caption, u(c.caption));
        EXPECT_EQ(boxes.calls()[0].flags, c.flags);
    }
}

TEST(Messages, QuestionGivesTheAnswerCode)
{
    bralvo::test::ProgramFolders folders;
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdYes);
    boxes.answerBox(kIdNo);
    EXPECT_EQ(ShowMessageBox(u("Ste si istý?"), kMbQuestionYesNo), 6);
    EXPECT_EQ(ShowMessageBox(u("Ste si istý?"), kMbQuestionYesNo), 7);
    EXPECT_EQ(boxes.calls()[1].flags, 36);
}

TEST(Messages, UnexpectedErrorTextWithAndWithoutDetail)
{
    bralvo::test::ProgramFolders folders;
    const QString head = u("Nastala neočakávaná chyba č. #00001.\r"
                           "Chybu prosím nahláste na e-mail (\"podpora@tamrex.sk\") . "
                           "Skontrolujte aktuálnosť verzie vášho programu na "
                           "\"https://www.tamrex.sk/bralvo/\". ");
    EXPECT_EQ(UnexpectedErrorText("#00001", ""), head);
    EXPECT_FALSE(UnexpectedErrorText("#00001", "").contains("\r\r"));
    EXPECT_EQ(UnexpectedErrorText("#00001", "Timeout"), head + "\r\rTimeout");

    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdOk);
    ShowUnexpectedError("#00003", "", u("Aktualizácia"));
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_TRUE(boxes.calls()[0].text.startsWith(u("Nastala neočakávaná chyba č. #00003.\r")));
    EXPECT_TRUE(boxes.calls()[0].text.endsWith("\". "));
    EXPECT_EQ(boxes.calls()[0].caption, u("Aktualizácia"));
    EXPECT_EQ(boxes.calls()[0].flags, 16);
}
