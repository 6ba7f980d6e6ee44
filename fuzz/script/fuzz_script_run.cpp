// Fuzz target for the script runtime: the input is compiled in one of the
// four languages and, when it compiles, run with every registered module
// under a step limit, so endless loops end and the run stays short.
//
// Input: the first byte modulo 4 picks PascalScript, C++Script, JScript or
// BasicScript; the rest is the script text (UTF-8). A result, a compile
// error or a bralvo::Error is a clean answer; std::bad_alloc is too (run it
// with allocator_may_return_null=1, see fuzz/README.md), since a script may
// ask for more memory than there is. Anything else is a finding.
#include "platform/error.h"
#include "script/tscscript.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>
#include <new>

using namespace bralvo;

namespace {

const char *const kLanguages[] = {"PascalScript", "C++Script", "JScript", "BasicScript"};

// Statements run before the script is stopped.
constexpr int kMaxSteps = 20000;

void compileAndRun(int language, const QString &text)
{
    script::TscScript program;
    program.AddRTTI();
    program.SyntaxType = QString::fromLatin1(kLanguages[language]);
    program.SetLines(text.split(QLatin1Char('\n')));
    int steps = 0;
    program.OnRunLine = [&program, &steps](script::TscScript *, const QString &, const QString &) {
        if (++steps >= kMaxSteps)
            program.Terminate();
    };
    if (program.Compile())
        program.Execute();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_script_run";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    if (size == 0)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    try {
        compileAndRun(data[0] % 4, text);
    } catch (const bralvo::Error &) {
    } catch (const std::bad_alloc &) {
    }
    return 0;
}
