// scrun: runs a script file in a named language, for developers and for
// the engine's golden tests.
//
//   scrun [--shot OUT.png] [LANGUAGE] FILE
//
// LANGUAGE is PascalScript, C++Script, JScript or BasicScript; without it
// the file's extension chooses (.pas, .cpp, .js, .vbs or .bas). Emit(V)
// prints one typed value per line (see scrunhost.h). A compile error prints
// "compile error at LINE:COL: MESSAGE" (exit 1); a run-time error prints
// "runtime error: CLASS: MESSAGE" (exit 2). After the main block the host
// clicks Button1 once when its OnClick is bound, as a window's user would. Numbers and dates follow the
// Slovak regional settings whatever the machine's locale, so the output of
// a script is the same everywhere.
//
// Scripts get the standard classes, the report classes and the data
// classes. With --shot,
// the first form the script created is drawn into OUT.png after the run
// (exit 4 when the script made no form or the picture cannot be written).
// Without a display the offscreen platform is used.
#include "platform/regionalsettings.h"
#include "platform/textfile.h"
#include "report/data/trpdatabindings.h"
#include "report/model/trpscriptclasses.h"
#include "script/bindings/tscformcontrols.h"
#include "script/runtimeerror.h"
#include "script/tscscript.h"
#include "tools/scrun/scrunevents.h"
#include "tools/scrun/scrunhost.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>
#include <QWidget>

using namespace bralvo;

namespace {

struct Options {
    QString language;
    QString fileName;
    QString shot;
};

QString languageOf(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("pas"))
        return QStringLiteral("PascalScript");
    if (suffix == QLatin1String("cpp"))
        return QStringLiteral("C++Script");
    if (suffix == QLatin1String("js"))
        return QStringLiteral("JScript");
    if (suffix == QLatin1String("vbs") || suffix == QLatin1String("bas"))
        return QStringLiteral("BasicScript");
    return QString();
}

std::optional<Options> parse(QStringList args)
{
    Options o;
    args.removeFirst();
    if (args.size() >= 2 && args[0] == QLatin1String("--shot")) {
        o.shot = args[1];
        args = args.mid(2);
    }
    if (args.size() == 2) {
        o.language = args[0];
        o.fileName = args[1];
    } else if (args.size() == 1) {
        o.fileName = args[0];
        o.language = languageOf(o.fileName);
    }
    if (o.fileName.isEmpty() || o.language.isEmpty())
        return std::nullopt;
    return o;
}

// Draws the script's first form; false when there is none or the file
// cannot be written.
bool takeShot(const QString &path, QTextStream &out)
{
    QWidget *form = script::firstScriptForm();
    if (!form) {
        out << "no form to draw\n";
        return false;
    }
    form->show();
    QApplication::processEvents();
    if (!form->grab().save(path, "PNG")) {
        out << "cannot write " << path << '\n';
        return false;
    }
    return true;
}

int run(const Options &options, QTextStream &out)
{
    const std::optional<QString> text = platform::readTextFile(options.fileName);
    if (!text) {
        out << "cannot read " << options.fileName << '\n';
        return 3;
    }
    script::TscScript program;
    program.AddRTTI();
    scrun::registerHost(program, out);
    program.SyntaxType = options.language;
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
    if (!options.shot.isEmpty() && !takeShot(options.shot, out))
        return 4;
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    platform::setRegionalSettings(platform::RegionalSettings::slovak());
    report::registerReportScriptModule();
    report::registerDataScriptBindings();
    const std::optional<Options> options = parse(app.arguments());
    if (!options) {
        out << "usage: scrun [--shot OUT.png] [LANGUAGE] FILE\n";
        return 64;
    }
    const int code = run(*options, out);
    out.flush();
    return code;
}
