// Fuzz target for the script front end: the lexer and the grammar-driven
// parser in all four languages, and the XML reader they rely on.
//
// Input: the first byte chooses the mode (bit 7 set: XML reader; otherwise
// its value modulo 4 picks the language); the rest is the text as UTF-8.
// Every outcome must be a result or a bralvo::Error; anything else (a
// crash, a sanitizer report, an uncaught exception) is a finding.
#include "platform/error.h"
#include "script/tscilparser.h"
#include "script/tscxmldocument.h"

#include <cstddef>
#include <cstdint>

using namespace bralvo::script;

namespace {

const char *const kLanguages[] = {"PascalScript", "C++Script", "JScript", "BasicScript"};

void parseScript(int language, const QString &text)
{
    ILParserOptions options;
    // Units resolve to the input itself, so inclusion is exercised too
    // without touching the file system.
    options.unitSource = [text](const QString &) { return std::optional<QString>(text); };
    TscILParser parser(options);
    parser.LoadLanguageGrammar(QString::fromLatin1(kLanguages[language]));
    if (parser.BuildIntermediateProgram(NormalizeScriptText(text)))
        (void)parser.ILScript().SaveToText();
    else
        (void)parser.ErrorPosition();
}

void readXml(const QString &text)
{
    TscXMLDocument doc;
    doc.LoadFromText(text);
    (void)doc.SaveToText();
    if (doc.Root()->Count() > 0)
        (void)doc.Root()->Items(0)->Prop(QStringLiteral("text"));
    (void)XMLToStr(StrToXML(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    try {
        if (data[0] & 0x80)
            readXml(text);
        else
            parseScript(data[0] % 4, text);
    } catch (const bralvo::Error &) {
        // A clean error is an acceptable answer to bad input.
    }
    return 0;
}
