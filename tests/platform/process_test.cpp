// Run-and-wait without a shell, and the restart seam.
#include "platform/process.h"
#include "tests/support/recordingrestart.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::platform;

TEST(RunAndWait, GivesTheExitCode)
{
    EXPECT_EQ(runAndWait("/bin/sh", {"-c", "exit 0"}), 0);
    EXPECT_EQ(runAndWait("/bin/sh", {"-c", "exit 3"}), 3);
}

TEST(RunAndWait, ArgumentsAreNeverInterpretedByAShell)
{
    QTemporaryDir dir;
    const QString marker = dir.filePath("marker");
    // With a shell, the "; touch" would create the marker file.
    EXPECT_EQ(runAndWait("/bin/echo", {QString("x; touch %1").arg(marker)}), 0);
    EXPECT_FALSE(QFileInfo::exists(marker));
}

TEST(RunAndWait, RunsInTheGivenFolder)
{
    QTemporaryDir dir;
    EXPECT_EQ(runAndWait("/bin/sh", {"-c", "touch here"}, dir.path()), 0);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("here")));
}

TEST(RunAndWait, MissingProgramOrCrashGivesMinusOne)
{
    EXPECT_EQ(runAndWait("/no/such/program", {}), -1);
    EXPECT_EQ(runAndWait("/bin/sh", {"-c", "kill -9 $$"}), -1);
}

TEST(RestartSeam, RecorderReplacesAndRestoresTheDefault)
{
    RestartSeam *const before = &restartSeam();
    {
        bralvo::test::RecordingRestart recorder;
        EXPECT_EQ(&restartSeam(), &recorder);
        EXPECT_TRUE(restartSeam().restartProgram({"vybranaDB"}));
        ASSERT_EQ(recorder.restarts().size(), 1u);
        EXPECT_EQ(recorder.restarts().front(), QStringList{"vybranaDB"});
    }
    EXPECT_EQ(&restartSeam(), before);
    EXPECT_NE(dynamic_cast<ExecutableRestart *>(&restartSeam()), nullptr);
}
