// Fuzz target for the query builder's model text: the block inside an SQL
// text, its Base64 and zlib packing, the INI sections, and SQL generation
// from whatever loaded.
//
// Input: the first byte picks the mode, the rest is UTF-8 text.
//   even: the text is a whole query text (SQL with or without a model
//         block) and is loaded as it stands.
//   odd:  the text is the INI model without its checksum line; the target
//         packs it behind a checksum that matches, so the sections are
//         read.
// Whatever loaded is turned into SQL and saved; the saved text must load
// again without a checksum complaint (abort otherwise). EqbError and other
// bralvo::Errors are clean answers; anything else is a finding.
#include "platform/error.h"
#include "report/querybuilder/eqberror.h"
#include "report/querybuilder/qbutils.h"
#include "report/querybuilder/tqbengine.h"
#include "report/querybuilder/tqbsql.h"

#include <QMap>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace bralvo::report;

namespace {

// A fixed schema; unknown tables have the "*" field only.
class SchemaEngine : public TqbEngine {
public:
    void ReadFieldList(const QString &tableName, QList<TqbField> &list) override
    {
        static const QMap<QString, QStringList> tables{
            {"Customer", {"CustNo", "Company", "Name"}},
            {"Orders", {"OrderNo", "CustNo", "Order Date", "Total"}},
            {"Order Details", {"OrderNo", "Qty"}},
        };
        list.clear();
        list.append({QStringLiteral("*"), 0});
        for (const QString &f : tables.value(tableName))
            list.append({f, 1});
    }
    void ReadTableList(QStringList &list) override { list = {"Customer", "Orders", "Order Details"}; }
    void SetSQL(const QString &) override {}
};

const QString kSql = QStringLiteral("SELECT C.Name\r\nFROM\r\n    Customer C\r\n");

QString packedText(const QString &ini)
{
    const QString model = QStringLiteral("[DataBase]\r\nSQL=%1\r\n").arg(CalcCRC32(StripLineBreaks(kSql, "\r\n"))) + ini;
    return kSql + QStringLiteral("/*_QBMODEL\r\n") + CompressString(model) + QStringLiteral("\r\n_QBEND*/\r\n");
}

void loadAndSaveAgain(const QString &text)
{
    SchemaEngine engine;
    TqbModel model;
    (void)HasModelBlock(text);
    (void)RemoveModel(text);
    (void)GetDelimitedPart(u',', text, 3, true);
    const LoadOutcome outcome = LoadModel(model, engine, text);
    if (outcome != LoadOutcome::Loaded && outcome != LoadOutcome::StoppedAtTable)
        return;
    const QStringList saved = SaveToStrings(model);
    if (saved.isEmpty())
        return;
    QString again;
    for (const QString &line : saved)
        again += line + QStringLiteral("\r\n");
    TqbModel reloaded;
    if (LoadModel(reloaded, engine, again) == LoadOutcome::ChangedSql)
        std::abort(); // our own text must match its checksum
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    try {
        loadAndSaveAgain(data[0] & 1 ? packedText(text) : text);
    } catch (const bralvo::Error &) {
    }
    return 0;
}
