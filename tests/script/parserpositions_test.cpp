// Line:column texts of the intermediate tree's elements where the numbers
// change their count of digits: an element's own position, the end of its
// token and an expression's end (pos1), on long texts and long lines.
#include "script/tscilparser.h"
#include "script/tscxmldocument.h"

#include <gtest/gtest.h>

#include <string>

using namespace bralvo::script;

namespace {

// The tree text of "x := 1" placed at line:column of a PascalScript block.
QString treeWithAssignmentAt(int line, int column)
{
    const QString source = QStringLiteral("begin") + QString(line - 1, QLatin1Char('\n'))
        + QString(column - 1, QLatin1Char(' ')) + QStringLiteral("x := 1\nend.");
    TscILParser parser;
    parser.LoadLanguageGrammar(QStringLiteral("PascalScript"));
    if (!parser.BuildIntermediateProgram(NormalizeScriptText(source)))
        return parser.ErrorPosition() + QLatin1Char(' ') + parser.ErrorText();
    return parser.ILScript().SaveToText();
}

QString expectedAssignment(int line, int column)
{
    const auto at = [line](int c) { return QStringLiteral("%1:%2").arg(line).arg(c); };
    return QStringLiteral("<assignstmt pos=\"%1\"><dsgn pos=\"%1\"><node text=\"x\" pos=\"%2\"/></dsgn>"
                          "<expr pos=\"%3\" pos1=\"%4\"><number text=\"1\" pos=\"%4\"/></expr></assignstmt>")
        .arg(at(column), at(column + 1), at(column + 5), at(column + 6));
}

} // namespace

TEST(ParserPositions, LinesAndColumnsOfEveryLength)
{
    struct Case {
        int line, column;
    };
    const Case cases[] = {
        {2, 1},     {2, 3},     {2, 4},      {2, 9},       {9, 1},     {10, 1},   {2, 94},
        {2, 95},    {99, 994},  {100, 995},  {999, 9994},  {1000, 1},  {2, 9995}, {9999, 1},
        {10000, 1}, {12345, 6}, {100000, 2}, {2, 99995},   {3, 123456},
    };
    for (const Case &c : cases) {
        const QString tree = treeWithAssignmentAt(c.line, c.column);
        const QString expected = expectedAssignment(c.line, c.column);
        EXPECT_TRUE(tree.contains(expected)) << c.line << ":" << c.column << "\n"
                                             << expected.toStdString() << "\n"
                                             << tree.left(400).toStdString();
    }
}
