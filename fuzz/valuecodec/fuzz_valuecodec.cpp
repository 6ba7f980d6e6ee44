// Fuzz target for the binary value codec and the extra property data
// ("PropData") of report objects.
//
// Input: the first byte picks the mode, the rest is the data.
//   0: every value is read by its tag (lists, collections and sets
//      included), and skipValue walks the same bytes.
//   1-3: the data is the PropData of a report (its Datasets, Variables and
//      Style collections), of a wide string list, or of a picture. What an
//      object read must write again and read back the same.
//   4: the data as hex in a report file's PropData attribute, loaded by
//      the report XML reader (which records the error and goes on).
// A result or a bralvo::Error is a clean answer; anything else, or a
// written form that does not read back, is a finding (abort).
#include "platform/error.h"
#include "platform/persistent.h"
#include "platform/stream.h"
#include "platform/valuecodec.h"
#include "report/model/trpoptions.h"
#include "report/model/trppicture.h"
#include "report/model/trpreport.h"
#include "report/model/twidestrings.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace bralvo;
using platform::ValueReader;
using platform::ValueType;

namespace {

void readOne(ValueReader &r, int depth);

void readList(ValueReader &r, int depth)
{
    if (depth > 64)
        throw platform::ReadError(QStringLiteral("too deep"));
    while (!r.endOfList())
        readOne(r, depth + 1);
    r.readListEnd();
}

void readOne(ValueReader &r, int depth)
{
    switch (r.nextValue()) {
    case ValueType::List: r.readListBegin(); readList(r, depth); return;
    case ValueType::Int8: case ValueType::Int16: case ValueType::Int32: case ValueType::Int64:
        (void)r.readInteger(); return;
    case ValueType::Extended: case ValueType::Single: case ValueType::Double: case ValueType::Currency:
    case ValueType::Date: (void)r.readFloat(); return;
    case ValueType::String: case ValueType::LString: case ValueType::WString: case ValueType::Utf8String:
        (void)r.readString(); return;
    case ValueType::Ident: case ValueType::False: case ValueType::True: case ValueType::Nil:
        (void)r.readIdent(); return;
    case ValueType::Binary: (void)r.readBinary(); return;
    case ValueType::Set: (void)r.readSet(); return;
    default: r.skipValue(); return;
    }
}

void walkValues(const QByteArray &bytes)
{
    try {
        platform::MemoryStream stream(bytes);
        ValueReader r(stream);
        while (!r.atEnd())
            readOne(r, 0);
    } catch (const bralvo::Error &) {
    }
    platform::MemoryStream stream(bytes);
    ValueReader r(stream);
    while (!r.atEnd())
        r.skipValue();
}

// The reading and writing sides of defineProperties, by property name.
class Filer : public platform::PropertyFiler {
public:
    explicit Filer(platform::ValueWriter *writer = nullptr) : m_writer(writer) {}
    void defineProperty(const QString &name, ReadFn read, WriteFn write, bool hasData) override
    {
        if (m_writer && hasData && write) {
            m_writer->writePropName(name);
            write(*m_writer);
        }
        if (!m_writer && read)
            m_readers.append({name, std::move(read)});
    }
    bool isWriting() const override { return m_writer != nullptr; }
    void readAll(const QByteArray &bytes)
    {
        platform::MemoryStream stream(bytes);
        ValueReader r(stream);
        while (!r.atEnd()) {
            const QString name = r.readPropName();
            bool found = false;
            for (auto &[n, read] : m_readers)
                if (n.compare(name, Qt::CaseInsensitive) == 0) {
                    read(r);
                    found = true;
                    break;
                }
            if (!found)
                throw platform::ReadError(QStringLiteral("Property %1 does not exist").arg(name));
        }
    }

private:
    platform::ValueWriter *m_writer;
    QList<std::pair<QString, ReadFn>> m_readers;
};

QByteArray written(platform::Persistent &object)
{
    platform::MemoryStream stream;
    platform::ValueWriter writer(stream);
    Filer filer(&writer);
    object.defineProperties(filer);
    return stream.data();
}

template <class Object>
void propDataRoundTrip(const QByteArray &bytes)
{
    Object first;
    try {
        Filer readers;
        first.defineProperties(readers);
        readers.readAll(bytes);
    } catch (const bralvo::Error &) {
        return;
    }
    const QByteArray out = written(first);
    Object second;
    try {
        Filer readers;
        second.defineProperties(readers);
        readers.readAll(out);
    } catch (const bralvo::Error &) {
        std::abort(); // what we wrote must read back
    }
    if (written(second) != out)
        std::abort();
}

void reportPropData(const QByteArray &bytes)
{
    const QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<TrpReport PropData=\"" + bytes.toHex().toUpper()
                           + "\"><TrpReportPage Name=\"Page1\"/></TrpReport>";
    report::TrpReport rep;
    rep.EngineOptions()->SetNewSilentMode(report::simSilent);
    rep.EngineOptions()->SetThreadSafeMode(true);
    try {
        platform::MemoryStream stream(xml);
        rep.LoadFromStream(stream);
        platform::MemoryStream saved;
        rep.SaveToStream(saved);
    } catch (const bralvo::Error &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_valuecodec";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    try {
        switch (data[0] % 5) {
        case 0: walkValues(bytes); break;
        case 1: propDataRoundTrip<report::TrpReport>(bytes); break;
        case 2: propDataRoundTrip<report::TWideStrings>(bytes); break;
        case 3: propDataRoundTrip<report::TrpPicture>(bytes); break;
        default: reportPropData(bytes); break;
        }
    } catch (const bralvo::Error &) {
    }
    return 0;
}
