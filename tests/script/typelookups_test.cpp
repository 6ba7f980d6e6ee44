// Type names in declarations: each finds what the program and its parents
// hold at that point of the build, however often the same name was asked
// for before.
#include "hostedprogram.h"
#include "script/tscscript.h"

#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::script;
using bralvo::script::test::declaredIn;
using bralvo::script::test::HostedProgram;

TEST(TypeLookups, AGlobalDeclaredLaterShadowsTheParentsTypeFromThenOn)
{
    HostedProgram hosted(QStringLiteral("var a, b: Integer;\n"
                                        "function F(p: Integer): Integer; begin Result := p end;\n"
                                        "var Integer: String;\n"
                                        "var x: Integer;\n"
                                        "procedure G(q: Integer); begin end;\n"
                                        "begin end."));
    TscScript &program = hosted.program;
    ASSERT_TRUE(program.Compile()) << program.ErrorText.toStdString();
    EXPECT_EQ(declaredIn(program, "a")->TypeCode, tcInteger);
    EXPECT_EQ(declaredIn(program, "b")->TypeCode, tcInteger);
    EXPECT_EQ(declaredIn(program, "Integer")->TypeCode, tcString);
    EXPECT_EQ(declaredIn(program, "x")->TypeCode, tcString);
    EXPECT_EQ(declaredIn(program, "F")->GetParam(0)->TypeCode, tcInteger);
    // Procedures are declared before the globals: G's parameter still
    // finds the parent's type.
    EXPECT_EQ(declaredIn(program, "G")->GetParam(0)->TypeCode, tcInteger);
}
