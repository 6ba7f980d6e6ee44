// Running programs and console code-page text.
#include "services/processes.h"

#include <gtest/gtest.h>

using namespace bralvo::services;

TEST(RunAndWaitService, ExitCodeOrMinusOne)
{
    EXPECT_EQ(RunAndWait("/bin/sh", {"-c", "exit 5"}), 5);
    EXPECT_EQ(RunAndWait("/no/such/program", {}), -1);
}

TEST(ConvertToOem, GivesCodePage852BytesOfTheSameLength)
{
    EXPECT_EQ(ConvertToOem(QString::fromUtf8("čšžťľáČ")), QByteArray("\x9f\xe7\xa7\x9c\x96\xa0\xac"));
    EXPECT_EQ(ConvertToOem(QString::fromUtf8("copy a.txb €")), QByteArray("copy a.txb ?"));
    EXPECT_EQ(ConvertToOem(QString()), QByteArray());
}
