// For tests of what a program declares: the built-in types live in a
// parent script, so that the program may declare their names itself.
#pragma once

#include "script/tscscript.h"

#include <QString>
#include <gtest/gtest.h>

namespace bralvo::script::test {

struct HostedProgram {
    TscScript host;
    TscScript program;

    explicit HostedProgram(const QString &text)
    {
        host.AddRTTI();
        program.ParentScript = &host;
        program.SetLines({text});
    }
};

// The program's item of that name; a test failure when there is none.
inline TscCustomVariable *declaredIn(const TscScript &program, const char *name)
{
    TscCustomVariable *item = program.Find(QString::fromLatin1(name));
    EXPECT_NE(item, nullptr) << name;
    return item;
}

} // namespace bralvo::script::test
