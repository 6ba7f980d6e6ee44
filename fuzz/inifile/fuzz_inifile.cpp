// libFuzzer target for the INI reader: the input is read as a file's text
// (UTF-8, else Windows-1250), then every section and key is looked up,
// one key is rewritten and one section erased, and the text is written
// out and read back, which must give the same text.
#include "platform/inifile.h"
#include "platform/textcodec.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using bralvo::platform::IniFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    IniFile ini = IniFile::fromText(bralvo::platform::decodeText(bytes));
    const QStringList sections = ini.sections();
    for (const QString &section : sections) {
        for (const QString &key : ini.keys(section))
            (void)ini.readString(section, key, QString());
    }
    if (!sections.isEmpty()) {
        ini.writeString(sections.first(), QStringLiteral("k"), QStringLiteral("v"));
        ini.eraseSection(sections.last());
    }
    const QString text = ini.toText();
    if (IniFile::fromText(text).toText() != text)
        std::abort();  // what is written must read back the same
    return 0;
}
