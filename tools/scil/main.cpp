// scil: a developer tool that compiles a script file to the intermediate
// program and prints it, or prints the compile error with its line:col.
//
//   scil [-l LANGUAGE] FILE
//
// The language is taken from -l, else from the file's extension (.pas
// PascalScript, .cpp/.c C++Script, .js JScript, .vb/.bas BasicScript), else
// PascalScript; a first line "#language Name" overrides both. Units named
// in uses clauses are read relative to the script's folder.
// Exit status: 0 compiled, 1 syntax error, 2 other failure.
#include "script/scripterror.h"
#include "script/tscilparser.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

using namespace bralvo;

namespace {

QString languageForExtension(const QString &suffix)
{
    const QString s = suffix.toLower();
    if (s == QLatin1String("cpp") || s == QLatin1String("c"))
        return QStringLiteral("C++Script");
    if (s == QLatin1String("js"))
        return QStringLiteral("JScript");
    if (s == QLatin1String("vb") || s == QLatin1String("bas"))
        return QStringLiteral("BasicScript");
    return QStringLiteral("PascalScript");
}

void print(FILE *to, const QString &text) { std::fputs(text.toUtf8().constData(), to); }

int usage()
{
    print(stderr, QStringLiteral("usage: scil [-l LANGUAGE] FILE\n"));
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString language;
    if (args.size() >= 2 && args[0] == QLatin1String("-l")) {
        language = args[1];
        args = args.mid(2);
    }
    if (args.size() != 1)
        return usage();
    const QFileInfo file(args[0]);
    if (language.isEmpty())
        language = languageForExtension(file.suffix());
    try {
        const std::optional<QString> text = platform::readTextFile(file.filePath());
        if (!text) {
            print(stderr, QStringLiteral("scil: cannot read %1\n").arg(file.filePath()));
            return 2;
        }
        script::ILParserOptions options;
        const QDir folder = file.absoluteDir();
        options.unitSource = [folder](const QString &unit) { return platform::readTextFile(folder.filePath(unit)); };
        script::TscILParser parser(options);
        parser.LoadLanguageGrammar(language);
        if (!parser.BuildIntermediateProgram(script::NormalizeScriptText(*text))) {
            const QString unit = parser.ErrorUnitName().isEmpty() ? QString() : parser.ErrorUnitName() + QLatin1Char(':');
            print(stdout, QStringLiteral("%1%2: %3\n").arg(unit, parser.ErrorPosition(), parser.ErrorText()));
            return 1;
        }
        script::TscXMLDocument out;
        out.SetAutoIndent(true);
        out.Root()->Assign(parser.ILScript().Root());
        print(stdout, out.SaveToText().replace(QLatin1String("\r\n"), QLatin1String("\n")));
        return 0;
    } catch (const bralvo::Error &e) {
        print(stderr, QStringLiteral("scil: %1\n").arg(e.userText()));
        return 2;
    }
}
