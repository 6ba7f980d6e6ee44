// Which texts TscExpression::AddOperator takes for an operator: ASCII
// texts are matched through a packed form of the table, anything else
// through lower-casing; both must name the same operators.
#include "script/expressions.h"
#include "script/runtimeerror.h"

#include <gtest/gtest.h>

using namespace bralvo::script;

namespace {

// Whether AddOperator knows text, whatever the operator then makes of the
// expression built so far.
bool knowsOperator(const QString &text)
{
    TscOperatorNode top = TscExpression::MakeTop();
    TscExpression expr(nullptr, top);
    expr.AddConst(bralvo::platform::Variant(1));
    try {
        expr.AddOperator(text);
    } catch (const ScriptBuildError &error) {
        return !error.userText().startsWith(QLatin1String("Unknown operator"));
    }
    return true;
}

} // namespace

TEST(OperatorTexts, KnownTextsInAnyCaseAndNothingElse)
{
    const struct {
        QString text;
        bool known;
    } cases[] = {
        {QStringLiteral("+"), true},          {QStringLiteral("<>"), true},
        {QStringLiteral("<="), true},         {QStringLiteral(">="), true},
        {QStringLiteral("and"), true},        {QStringLiteral("AND"), true},
        {QStringLiteral("xOr"), true},        {QStringLiteral("StrCat"), true},
        {QStringLiteral("UNMINUS"), true},    {QStringLiteral("Not"), true},
        {QStringLiteral("In"), true},         {QStringLiteral("iS"), true},
        {QStringLiteral("("), true},          {QStringLiteral("Shr"), true},
        {QString(), false},                   {QStringLiteral("an"), false},
        {QStringLiteral("andd"), false},      {QStringLiteral("=<"), false},
        {QStringLiteral("> "), false},        {QStringLiteral("unminus1"), false},
        {QStringLiteral("strca"), false},     {QStringLiteral("**"), false},
        {QString(QChar(0)), false},           {QStringLiteral("a") + QChar(0) + QStringLiteral("d"), false},
        // Not ASCII: found only as lower-casing finds it.
        {QStringLiteral("\u00e4nd"), false},  {QStringLiteral("\u212Aor"), false},
        {QStringLiteral("\u0130n"), false},   {QStringLiteral("d\u0130v"), false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(knowsOperator(c.text), c.known) << c.text.toStdString();
}
