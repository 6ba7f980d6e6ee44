// Type names of declared items: whatever text the builder keeps for a
// name, an item reports the name as the declaration spells it, and its
// type code still comes from looking the name up.
#include "hostedprogram.h"
#include "script/tscscript.h"

#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::script;
using bralvo::script::test::declaredIn;
using bralvo::script::test::HostedProgram;

namespace {

struct DeclaredType {
    const char *spelling;
    int typeCode;
};

const DeclaredType declaredTypes[] = {
    {"Integer", tcInteger},  {"integer", tcInteger},  {"INTEGER", tcInteger},  {"String", tcString},
    {"string", tcString},    {"Extended", tcFloat},   {"Double", tcFloat},     {"Boolean", tcBoolean},
    {"Char", tcChar},        {"Variant", tcVariant},  {"variant", tcVariant},  {"Byte", tcInteger},
    {"Word", tcInteger},     {"Longint", tcInteger},  {"Cardinal", tcInteger}, {"Real", tcFloat},
    {"Single", tcFloat},     {"Currency", tcFloat},   {"TDateTime", tcFloat},  {"TColor", tcInteger},
    {"LongInt", tcInteger},  {"Integer ", tcInteger},
};

void expectType(const TscCustomVariable *item, const QString &typeName, int typeCode, const char *what)
{
    ASSERT_NE(item, nullptr) << what;
    EXPECT_EQ(item->TypeName, typeName) << what;
    EXPECT_EQ(int(item->TypeCode), typeCode) << what;
}

} // namespace

TEST(DeclaredTypeNames, VariablesParametersAndResultsKeepTheSpellingOfTheirDeclaration)
{
    for (const DeclaredType &declared : declaredTypes) {
        SCOPED_TRACE(declared.spelling);
        const QString type = QString::fromLatin1(declared.spelling);
        HostedProgram hosted(QStringLiteral("var x: %1;\n"
                                            "function F(p: %1): %1; begin Result := p end;\n"
                                            "begin x := F(x) end.")
                                 .arg(type));
        TscScript &program = hosted.program;
        ASSERT_TRUE(program.Compile()) << program.ErrorText.toStdString();
        // The grammar drops blanks around the name.
        const QString spelled = type.trimmed();
        expectType(declaredIn(program, "x"), spelled, declared.typeCode, "variable");
        TscCustomVariable *function = declaredIn(program, "F");
        ASSERT_NE(function, nullptr);
        expectType(function, spelled, declared.typeCode, "function");
        expectType(function->GetParam(0), spelled, declared.typeCode, "parameter");
    }
}

TEST(DeclaredTypeNames, ACommonNameShadowedByTheProgramKeepsItsTextButNotItsType)
{
    HostedProgram hosted(QStringLiteral("var Integer: String;\n"
                                        "var x: Integer;\n"
                                        "var y: Variant;\n"
                                        "begin end."));
    TscScript &program = hosted.program;
    ASSERT_TRUE(program.Compile()) << program.ErrorText.toStdString();
    expectType(declaredIn(program, "x"), QStringLiteral("Integer"), tcString, "shadowed");
    expectType(declaredIn(program, "y"), QStringLiteral("Variant"), tcVariant, "variant");
}
