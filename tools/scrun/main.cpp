// scrun: runs a script file in a named language, for developers and for
// the engine's golden tests.
//
//   scrun LANGUAGE FILE
//
// LANGUAGE is PascalScript, C++Script, JScript or BasicScript. Emit(V)
// prints one typed value per line (see scrunhost.h). A compile error prints
// "compile error at LINE:COL: MESSAGE" (exit 1); a run-time error prints
// "runtime error: CLASS: MESSAGE" (exit 2). After the main block the host
// clicks Button1 once when its OnClick is bound, as a window's user would. Numbers and dates follow the
// Slovak regional settings whatever the machine's locale, so the output of
// a script is the same everywhere.
#include "platform/regionalsettings.h"
#include "platform/textfile.h"
#include "script/runtimeerror.h"
#include "script/tscscript.h"
#include "tools/scrun/scrunevents.h"
#include "tools/scrun/scrunhost.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace bralvo;

namespace {

int run(const QString &language, const QString &fileName, QTextStream &out)
{
    const std::optional<QString> text = platform::readTextFile(fileName);
    if (!text) {
        out << "cannot read " << fileName << '\n';
        return 3;
    }
    script::TscScript program;
    program.AddRTTI();
    scrun::registerHost(program, out);
    program.SyntaxType = language;
    program.SetLines(text->split(QLatin1Char('\n')));
    try {
        if (!program.Compile()) {
            out << "compile error at " << program.ErrorPosition << ": " << program.ErrorText;
            if (!program.ErrorUnitName.isEmpty())
                out << " (unit " << program.ErrorUnitName << ')';
            out << '\n';
            return 1;
        }
        program.Execute();
        scrun::clickButton1AfterRun();
    } catch (const std::exception &error) {
        out << "runtime error: " << script::exceptionClassName(error) << ": " << script::exceptionMessage(error)
            << '\n';
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    platform::setRegionalSettings(platform::RegionalSettings::slovak());
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        out << "usage: scrun LANGUAGE FILE\n";
        return 64;
    }
    const int code = run(args[1], args[2], out);
    out.flush();
    return code;
}
