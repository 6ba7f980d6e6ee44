// Fuzz target for the report XML reader: the bytes are loaded as a
// report definition (document reader, serializer, extra property data,
// collections, the data-page rule), and what loaded is saved again and
// read back. The first byte picks partial loading of the bare document
// when its low bit is set.
#include "platform/stream.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "report/model/trpxml.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

using namespace bralvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_report_xml";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    try {
        platform::MemoryStream stream(bytes);
        report::TrpXMLDocument doc;
        doc.LoadFromStream(stream, data[0] & 1);
        platform::MemoryStream out;
        doc.SaveToStream(out);
    } catch (const bralvo::Error &) {
    }
    report::TrpReport rep;
    rep.EngineOptions()->SetNewSilentMode(report::simSilent);
    rep.EngineOptions()->SetThreadSafeMode(true); // no password question
    try {
        platform::MemoryStream stream(bytes);
        rep.LoadFromStream(stream);
        platform::MemoryStream saved;
        rep.SaveToStream(saved);
        saved.seek(0);
        report::TrpReport again;
        again.EngineOptions()->SetNewSilentMode(report::simSilent);
        again.EngineOptions()->SetThreadSafeMode(true);
        again.LoadFromStream(saved);
    } catch (const bralvo::Error &) {
    }
    return 0;
}
