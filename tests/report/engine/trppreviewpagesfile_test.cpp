// The prepared report file: saving, loading into fresh stores, partial
// loading, and damaged or foreign files that must leave the pages alone.
#include "storefixture.h"

#include "platform/stream.h"
#include "report/model/trppictureview.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace bralvo::report::testing {
namespace {

using PreparedFile = StoreFixture;

QByteArray saved(TrpPreviewPages &pages)
{
    platform::MemoryStream s;
    pages.SaveToStream(s);
    return s.data();
}

QByteArray bmpBytes()
{
    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "BMP");
    return bytes;
}

TEST_F(PreparedFile, SavingTwiceGivesTheSameBytesAndTheFixedLayout)
{
    report->ReportOptions()->SetName(QStringLiteral("Bill \"A\""));
    report->PreviewOptions()->SetOutlineWidth(150);
    preparePages({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
    pages->Outline()->AddItem(QStringLiteral("Start"), 12);
    pages->AddAnchor(QStringLiteral("top"));
    const QByteArray first = saved(*pages);
    EXPECT_EQ(saved(*pages), first);
    const QString text = QString::fromUtf8(first);
    EXPECT_TRUE(text.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport>")));
    // Root children in the order they came into being.
    QStringList order;
    for (const char *n : {"<previewpages", "<logicalpagenumbers", "<outline", "<anchors", "<report", "<sourcepages",
                          "<dictionary", "<picturecache"})
        order.append(QString::fromLatin1(n));
    qsizetype at = 0;
    for (const QString &n : order) {
        const qsizetype next = text.indexOf(n, at);
        EXPECT_GT(next, at - 1) << n.toStdString();
        at = next;
    }
    EXPECT_TRUE(text.contains(QStringLiteral("<TrpReport DotMatrixReport=\"0\" PreviewOptions.OutlineVisible=\"0\" "
                                             "PreviewOptions.OutlineWidth=\"150\" ReportOptions.Name=\"Bill &#34;A&#34;\"/>")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("<page0><b1")));
    EXPECT_EQ(text.count(QStringLiteral("<page0 ld=\"0\">")), 2); // third and fourth page
    EXPECT_TRUE(text.contains(QStringLiteral("<b1 name=\"Page0.Band1\"/><m1 name=\"Page0.Memo1\"/>")));
    EXPECT_TRUE(text.contains(QStringLiteral("<page n=\"1\"/>")));
}

TEST_F(PreparedFile, LoadingIntoAnotherReportGivesTheSamePages)
{
    auto *pic = new TrpPictureView(band);
    pic->setName(QStringLiteral("Logo"));
    pic->Picture()->SetData(bmpBytes());
    preparePages({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    pages->Outline()->AddItem(QStringLiteral("Chapter"), 7);
    pages->AddAnchor(QStringLiteral("end"));
    report->PreviewOptions()->SetOutlineVisible(true);
    const QByteArray bytes = saved(*pages);

    TrpReport other(nullptr);
    auto *loaded = dynamic_cast<TrpPreviewPages *>(other.PreparedPages());
    platform::MemoryStream in(bytes);
    loaded->LoadFromStream(in);
    EXPECT_TRUE(other.PreviewOptions()->OutlineVisible());
    ASSERT_EQ(loaded->GetCount(), 3);
    EXPECT_EQ(loaded->WritePage(), -1);
    EXPECT_EQ(loaded->PictureCache().Count(), 1);
    for (int i = 0; i < 3; ++i) {
        const TrpReportPage *p = loaded->GetPage(i);
        const auto *memo = dynamic_cast<const TrpCustomMemoView *>(p->FindObject(QStringLiteral("Memo1")));
        ASSERT_NE(memo, nullptr);
        EXPECT_EQ(memo->Text(), (QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")}[i]));
        const auto *logo = dynamic_cast<const TrpPictureView *>(p->FindObject(QStringLiteral("Logo")));
        ASSERT_NE(logo, nullptr);
        EXPECT_EQ(logo->Picture()->Data(), bmpBytes());
    }
    EXPECT_EQ(loaded->GetAnchorPage(QStringLiteral("END")), 3);
    loaded->Outline()->LevelRoot();
    EXPECT_EQ(loaded->Outline()->ItemCount(), 1);
    EXPECT_EQ(loaded->Dictionary().GetObject(QStringLiteral("m1"))->SourceComponent(), nullptr);
    // And saved again it is the same file.
    EXPECT_EQ(QString::fromUtf8(saved(*loaded)).toStdString(), QString::fromUtf8(bytes).toStdString());
}

TEST_F(PreparedFile, PartialLoadingReadsPagesWhenShown)
{
    preparePages({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
    platform::MemoryStream in(saved(*pages));
    TrpReport other(nullptr);
    auto *loaded = dynamic_cast<TrpPreviewPages *>(other.PreparedPages());
    loaded->LoadFromStream(in, true);
    EXPECT_TRUE(loaded->PagesElement()->Items(1)->Loaded);
    EXPECT_FALSE(loaded->PagesElement()->Items(2)->Loaded);
    EXPECT_EQ(dynamic_cast<TrpCustomMemoView *>(loaded->GetPage(3)->FindObject(QStringLiteral("Memo1")))->Text(),
              QStringLiteral("d"));
    EXPECT_TRUE(loaded->PagesElement()->Items(3)->Loaded);
}

TEST_F(PreparedFile, FilesOnDisk)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bill.rp3"));
    preparePages({QStringLiteral("a"), QStringLiteral("b")});
    pages->SaveToFile(path);
    pages->SaveToFile(path); // overwrites
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("bill.rp3")});

    TrpReport other(nullptr);
    auto *loaded = dynamic_cast<TrpPreviewPages *>(other.PreparedPages());
    EXPECT_TRUE(loaded->LoadFromFile(path));
    EXPECT_EQ(loaded->GetCount(), 2);
    // A missing file: false, the pages stay; raising only when asked.
    const QString missing = dir.filePath(QStringLiteral("none.rp3"));
    EXPECT_FALSE(loaded->LoadFromFile(missing));
    EXPECT_EQ(loaded->GetCount(), 2);
    EXPECT_THROW(loaded->LoadFromFile(missing, true), bralvo::Error);
    EXPECT_EQ(loaded->GetCount(), 2);
    EXPECT_THROW(pages->SaveToFile(dir.filePath(QStringLiteral("no/such/folder.rp3"))), bralvo::Error);
}

TEST_F(PreparedFile, DamagedOrForeignFilesLeaveThePagesAlone)
{
    preparePages({QStringLiteral("kept"), QStringLiteral("also kept"), QStringLiteral("third")});
    const QByteArray good = saved(*pages);
    const struct {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"truncated", good.left(good.size() / 2)},
        {"cut before the root closes", good.left(good.size() - 20)},
        {"a report definition", QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?><TrpReport><TrpReportPage/></TrpReport>")},
        {"no XML", QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11)},
        {"empty", QByteArray()},
        {"mismatched tags", QByteArray("<?xml version=\"1.0\"?><preparedreport><previewpages></outline></preparedreport>")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        platform::MemoryStream in(c.bytes);
        try {
            pages->LoadFromStream(in);
            ADD_FAILURE() << "no error";
        } catch (const bralvo::Error &e) {
            EXPECT_EQ(e.userText(), QStringLiteral("Invalid file format"));
        }
        ASSERT_EQ(pages->GetCount(), 3);
        EXPECT_EQ(rebuiltMemo(0, QStringLiteral("Memo1"))->Text(), QStringLiteral("kept"));
        EXPECT_EQ(saved(*pages), good);
    }
}

TEST_F(PreparedFile, ADictionaryNamingAMissingObjectLosesOnlyThatObject)
{
    preparePages({QStringLiteral("a")});
    QByteArray bytes = saved(*pages);
    bytes.replace("name=\"Page0.Memo2\"", "name=\"Page0.Gone\"");
    bytes.replace("name=\"Page0.Memo3\"", "name=\"Page9.Memo3\"");
    bytes.replace("<m1 name=\"Page0.Memo1\"/>", "<m1 name=\"Page0.Memo1&#34;\"/>");
    platform::MemoryStream in(bytes);
    TrpReport other(nullptr);
    auto *loaded = dynamic_cast<TrpPreviewPages *>(other.PreparedPages());
    loaded->LoadFromStream(in);
    const TrpReportPage *p = loaded->GetPage(0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->FindObject(QStringLiteral("Memo2")), nullptr);
    EXPECT_EQ(p->FindObject(QStringLiteral("Memo3")), nullptr);
    EXPECT_EQ(p->FindObject(QStringLiteral("Memo1")), nullptr);
    EXPECT_NE(p->FindObject(QStringLiteral("Band1")), nullptr);
}

} // namespace
} // namespace bralvo::report::testing
