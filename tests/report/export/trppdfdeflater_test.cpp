// One compressor for all pages gives each page the bytes a fresh one
// gives, whatever came before.
#include "report/export/trppdfdeflater.h"
#include "report/model/trputils.h"

#include <gtest/gtest.h>

using namespace bralvo::report;

TEST(PdfDeflater, EveryStreamIsWhatAFreshCompressorMakes)
{
    QByteArray large;
    for (int i = 0; i < 20000; ++i)
        large += "BT\r\n" + QByteArray::number(i * 7 % 991) + " 700 Td\r\n(Riadok) Tj\r\nET\r\n";
    const QList<QByteArray> pages = {large, QByteArray(), QByteArray("q\r\nQ\r\n"), large.left(5000), large};
    for (int level : {1, 6, 9}) {
        TrpPDFDeflater deflater(level);
        QByteArray out;
        for (const QByteArray &page : pages) {
            deflater.Compress(page.constData(), page.size(), out);
            EXPECT_EQ(out, CompressZlib(page, level)) << level << " " << page.size();
        }
    }
}
