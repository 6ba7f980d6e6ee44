// The message-box seam: the headless fallback and the scripted answerer.
#include "platform/messageboxseam.h"
#include "tests/support/scriptedmessageboxes.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace bralvo::platform;
using bralvo::test::ScriptedMessageBoxes;

TEST(MessageBoxSeam, FallbackAnswersTheSafeWay)
{
    MessageBoxSeam &seam = messageBoxSeam();
    struct Case { int flags; int answer; };
    for (const Case &c : {Case{16, kIdOk}, Case{36, kIdNo}, Case{52, kIdNo}, Case{64, kIdOk},
                          Case{68, kIdNo}, Case{1, kIdCancel}}) {
        SCOPED_TRACE(c.flags);
        EXPECT_EQ(seam.messageBox("text", "caption", c.flags), c.answer);
    }
    EXPECT_EQ(seam.openFileName({}), std::nullopt);
    EXPECT_EQ(seam.saveFileName({}), std::nullopt);
    EXPECT_EQ(seam.existingFolder("c", "/"), std::nullopt);
    EXPECT_EQ(seam.askText("c", "p", "i"), std::nullopt);
    EXPECT_EQ(seam.askChoice("c", "p", {"a"}, 0), std::nullopt);
}

TEST(ScriptedMessageBoxes, AnswersInOrderAndRecordsEveryCall)
{
    MessageBoxSeam *const before = &messageBoxSeam();
    {
        ScriptedMessageBoxes boxes;
        boxes.answerBox(kIdYes);
        boxes.answerSaveFile(QString("/tmp/x_bralvo.txb"));
        boxes.answerFolder(std::nullopt);
        boxes.answerText(QString("typed"));
        boxes.answerChoice(1);
        EXPECT_EQ(messageBoxSeam().messageBox("Ste si istý?", "Bralvo", 36), kIdYes);
        FileDialogRequest request;
        request.caption = "Save";
        EXPECT_EQ(messageBoxSeam().saveFileName(request), QString("/tmp/x_bralvo.txb"));
        EXPECT_EQ(messageBoxSeam().existingFolder("Folder", "/start"), std::nullopt);
        EXPECT_EQ(messageBoxSeam().askText("Ask", "Name:", "old"), QString("typed"));
        EXPECT_EQ(messageBoxSeam().askChoice("Pick", "Which:", {"a", "b"}, 0), 1);

        ASSERT_EQ(boxes.calls().size(), 5u);
        EXPECT_EQ(boxes.calls()[0].text, QString("Ste si istý?"));
        EXPECT_EQ(boxes.calls()[0].flags, 36);
        EXPECT_EQ(boxes.calls()[1].request.caption, QString("Save"));
        EXPECT_EQ(boxes.calls()[2].startFolder, QString("/start"));
        EXPECT_EQ(boxes.calls()[3].initialText, QString("old"));
        EXPECT_EQ(boxes.calls()[4].items, (QStringList{"a", "b"}));
        EXPECT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.pending(), 0u);
    }
    EXPECT_EQ(&messageBoxSeam(), before);
}

TEST(ScriptedMessageBoxes, UnexpectedBoxFailsTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessageBoxes boxes;
            messageBoxSeam().messageBox("Surprise", "Bralvo", 48);
        },
        "Unexpected message box 48 \"Bralvo\": Surprise");
}

TEST(ScriptedMessageBoxes, WrongKindAndUnusedAnswersFailTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessageBoxes boxes;
            boxes.answerOpenFile(QString("/x"));
            messageBoxSeam().messageBox("Box", "Bralvo", 16);
        },
        "Scripted open-file dialog expected, got message box 16");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessageBoxes boxes;
            boxes.answerBox(kIdYes);
        },
        "A scripted message box never appeared.");
}
