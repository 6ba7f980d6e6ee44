// The intermediate program as text, pinned byte for byte: every golden
// script of each language and a few hand-made programs (units, awkward
// string contents, report references, failing clauses) must save to exactly
// the text recorded under ilprogram/<language>.txt. The program builder reads
// this tree, so any drift in elements, attributes, order or positions is a
// change of behaviour even when every shape test still passes.
//
// On a mismatch the text produced is written to <language>.actual.txt in the
// working folder, to diff against the recorded one.
#include "script/scripterror.h"
#include "script/tscilparser.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMap>
#include <gtest/gtest.h>

using namespace bralvo::script;

namespace {

struct Language {
    const char *folder;
    const char *name;
};

const Language languages[] = {
    {"pascal", "PascalScript"},
    {"cpp", "C++Script"},
    {"jscript", "JScript"},
    {"basic", "BasicScript"},
};

// Programs the golden scripts do not cover: units (nested, repeated, broken),
// strings with characters the XML text must escape, character codes, hex
// numbers and report references.
struct HandMade {
    const char *folder;
    const char *name;
    const char *source;
};

const HandMade handMade[] = {
    {"pascal", "units",
     "uses 'u1.pas', 'u2.pas', 'u1.pas';\nvar x: Integer;\nbegin x := U1 + U2; end."},
    {"pascal", "unit_clause_broken", "uses 'u1.pas'\nbegin end."},
    {"pascal", "unit_with_error", "uses 'bad.pas';\nbegin end."},
    {"pascal", "awkward_strings",
     "var s: String;\nbegin\n  s := 'a \"q\" & <b> &quot; ''x''' + #13#10 + #7 + #$1F600 + 'žluť';\n"
     "  s := s + <Data.\"Field\"> + <[Page#] of 'x>'>;\n  s := IntToStr($FF + 1.5e3 + 2E-1);\n"
     "  { comment } (* another *) // line\nend."},
    {"cpp", "units", "#include \"u1.cpp\", \"u2.cpp\"\n{ x = 1; }"},
    {"cpp", "awkward_strings",
     "{ string s = \"a \\\"q\\\" & <b> \\x41 \\n\" + <Data.\"F\"> + 0x1F; /* c */ s = s + \"\\\\\"; }"},
    {"jscript", "units", "import \"u1.js\", \"u2.js\"\nvar x = 1;"},
    {"jscript", "awkward_strings", "var s = \"<&>\" + \"\\r\\n\" + <Data.\"F\">; // c\ns = s + 0x10;"},
    {"basic", "units", "imports \"u1.vb\", \"u2.vb\"\ndim x\nx = 1"},
    {"basic", "awkward_strings", "dim s\ns = \"a & <b>\" & <Data.\"F\"> ' c\nrem r\ns = s + 0x10"},
};

// The units the hand-made programs include.
const QHash<QString, QString> &unitTexts()
{
    static const QHash<QString, QString> units{
        {QStringLiteral("u1.pas"), QStringLiteral("uses 'u2.pas';\nfunction U1: Integer; begin Result := 1; end;\nbegin end.")},
        {QStringLiteral("u2.pas"), QStringLiteral("function U2: Integer; begin Result := 2; end;\nbegin end.")},
        {QStringLiteral("bad.pas"), QStringLiteral("procedure P; begin x := ; end;\nbegin end.")},
        {QStringLiteral("u1.cpp"), QStringLiteral("int u1() { return 1; }\n{}")},
        {QStringLiteral("u2.cpp"), QStringLiteral("#include \"u1.cpp\"\nint u2() { return 2; }\n{}")},
        {QStringLiteral("u1.js"), QStringLiteral("function u1() { return 1; }")},
        {QStringLiteral("u2.js"), QStringLiteral("function u2() { return 2; }")},
        {QStringLiteral("u1.vb"), QStringLiteral("function u1\nreturn 1\nend function")},
        {QStringLiteral("u2.vb"), QStringLiteral("sub u2\nend sub")},
    };
    return units;
}

// The saved intermediate program, or the error with its position and unit.
QString programText(const char *language, const QString &source)
{
    ILParserOptions options;
    options.unitSource = [](const QString &name) -> std::optional<QString> {
        const auto it = unitTexts().constFind(name);
        return it == unitTexts().cend() ? std::nullopt : std::optional<QString>(*it);
    };
    TscILParser parser(options);
    parser.LoadLanguageGrammar(QString::fromLatin1(language));
    try {
        if (parser.BuildIntermediateProgram(NormalizeScriptText(source)))
            return parser.ILScript().SaveToText();
    } catch (const std::exception &e) {
        return QStringLiteral("raises ") + QString::fromUtf8(e.what());
    }
    return QStringLiteral("error %1 %2 [%3]").arg(parser.ErrorPosition(), parser.ErrorText(), parser.ErrorUnitName());
}

// "== name" lines, each followed by one line of text.
QString entriesOf(const Language &language)
{
    QString out;
    const auto add = [&out](const QString &name, const QString &text) {
        out += QStringLiteral("== ") + name + QLatin1Char('\n') + text + QLatin1Char('\n');
    };
    QDir golden(QStringLiteral(BRALVO_GOLDEN_DIR) + QLatin1Char('/') + QLatin1String(language.folder));
    for (const QString &file : golden.entryList(QDir::Files, QDir::Name)) {
        if (file.endsWith(QLatin1String(".out")))
            continue;
        const std::optional<QString> source = bralvo::platform::readTextFile(golden.filePath(file));
        add(file, source ? programText(language.name, *source) : QStringLiteral("unreadable"));
    }
    for (const HandMade &program : handMade)
        if (qstrcmp(program.folder, language.folder) == 0)
            add(QLatin1String(program.name), programText(language.name, QString::fromUtf8(program.source)));
    return out;
}

TEST(IntermediateProgramText, EveryProgramSavesToTheRecordedText)
{
    for (const Language &language : languages) {
        SCOPED_TRACE(language.name);
        const QString actual = entriesOf(language);
        QFile recorded(QStringLiteral(BRALVO_IL_FIXTURE_DIR "/") + QLatin1String(language.folder)
                       + QStringLiteral(".txt"));
        const QString expected =
            recorded.open(QIODevice::ReadOnly) ? QString::fromUtf8(recorded.readAll()) : QStringLiteral("missing");
        EXPECT_GE(actual.count(QLatin1String("\n== ")), 8);
        if (actual == expected)
            continue;
        QFile dump(QLatin1String(language.folder) + QStringLiteral(".actual.txt"));
        if (dump.open(QIODevice::WriteOnly))
            dump.write(actual.toUtf8());
        ADD_FAILURE() << "intermediate program text differs; see " << dump.fileName().toStdString();
    }
}

} // namespace
