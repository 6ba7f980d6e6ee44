// Downloads: the progress text, target names, the panel, and transfers
// against real servers on 127.0.0.1 (missing files, time-outs, cut-off and
// oversized bodies never leave a file behind).
#include "platform/regionalsettings.h"
#include "services/download.h"
#include "services/downloadmeter.h"
#include "services/progresswindow.h"
#include "tests/services/httptestserver.h"
#include "tests/support/qstringprint.h"
#include "tests/support/filecontent.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

using namespace bralvo::services;
using bralvo::test::fileContent;
using bralvo::test::writeFileContent;
using bralvo::test::HttpTestServer;
using bralvo::test::OneShotServer;
using bralvo::test::SilentServer;

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray pattern(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>('a' + i % 26);
    return bytes;
}

class SlovakNumbers : public ::testing::Test {
protected:
    bralvo::platform::ScopedRegionalSettings m_regional{bralvo::platform::RegionalSettings::slovak()};
};

} // namespace

// --- the progress text -------------------------------------------------

using DownloadMeter = SlovakNumbers;

TEST_F(DownloadMeter, FirstRefreshComesAfterMoreThan100MsWithAllBytesAsSample)
{
    TDownload meter(1000);
    EXPECT_FALSE(meter.progress(4096, 0, QStringLiteral("u"), 1100));  // exactly 100 ms
    const std::optional<QString> text = meter.progress(5120, 0, QStringLiteral("u"), 1101);
    ASSERT_TRUE(text);
    ASSERT_EQ(meter.speedSamples().size(), 1u);
    EXPECT_EQ(meter.speedSamples().front(), 5120);
    // 5 KB in one 500 ms interval: 10 KB/s.
    EXPECT_DOUBLE_EQ(meter.speedKBs(), 10.0);
    // The next refresh needs more than 500 ms.
    EXPECT_FALSE(meter.progress(6000, 0, QStringLiteral("u"), 1601));
    EXPECT_TRUE(meter.progress(6144, 0, QStringLiteral("u"), 1602));
    EXPECT_EQ(meter.speedSamples().back(), 1024);
}

TEST_F(DownloadMeter, PanelTextWithKnownLength)
{
    TDownload meter(0);
    const std::optional<QString> text = meter.progress(10240, 40960, QStringLiteral("http://h/f.xml"), 101);
    ASSERT_TRUE(text);
    // 10 KB in 500 ms: 20 KB/s; 30 KB left: 1.5 s, shown as 2 s.
    EXPECT_EQ(*text, QStringLiteral("http://h/f.xml\n\nStav: 10,00 KB  /  40,00 KB    (25,00%)\n"
                                    "Rýchlosť: 20,00 KB/s    (zostáva 2 s)"));
}

TEST_F(DownloadMeter, ServerWithoutLengthShowsOnlyTheSpeed)
{
    TDownload meter(0);
    const std::optional<QString> text = meter.progress(2048, 0, QStringLiteral("s"), 101);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, QStringLiteral("s\n\n\nRýchlosť: 4,00 KB/s"));
}

TEST_F(DownloadMeter, AfterTwentyFiveRefreshesSpeedIsMeanOfLastNineteenSamples)
{
    TDownload meter(0);
    qint64 received = 0;
    for (int i = 1; i <= 25; ++i) {
        received += 1024 * i;  // sample i is i KB
        ASSERT_TRUE(meter.progress(received, 0, QStringLiteral("s"), 101 + 501 * (i - 1)));
    }
    ASSERT_EQ(meter.speedSamples().size(), 19u);
    EXPECT_EQ(meter.speedSamples().front(), 7 * 1024);
    // Samples 7..25 KB: mean 16 KB per 500 ms.
    EXPECT_DOUBLE_EQ(meter.speedKBs(), 32.0);
}

TEST(RemainingTime, MinutesAbove120SecondsHalvesToEven)
{
    struct Case {
        double seconds;
        const char *text;
    };
    for (const Case &c : {Case{121, "2 m"}, Case{120, "120 s"}, Case{2.5, "2 s"}, Case{3.5, "4 s"},
                          Case{0.4, "0 s"}, Case{150, "2 m"}, Case{210, "4 m"}, Case{3600, "60 m"}}) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(RemainingTimeText(c.seconds), QString::fromUtf8(c.text));
    }
}

// --- target names --------------------------------------------------------

TEST(DownloadTarget, NameFromLastUrlSegmentOrGiven)
{
    struct Case {
        const char *url, *folder, *name, *path;
    };
    for (const Case &c : {Case{"http://h/KL/ARCHIV/HISL0901.XML", "/c/", "", "/c/HISL0901.XML"},
                          Case{"http://h/a/Rates.Txt", "/c", "", "/c/Rates.Txt"},
                          Case{"http://h/a/b.txt?date=01.02.2009", "/c/", "", "/c/b.txt?date=01.02.2009"},
                          Case{"http://h/a/b.XML", "/c/", "b.xml", "/c/b.xml"}}) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(DownloadTargetPath(QString::fromUtf8(c.url), QString::fromUtf8(c.folder),
                                     QString::fromUtf8(c.name)),
                  QString::fromUtf8(c.path));
    }
}

TEST(DownloadTarget, NameThatLeavesTheFolderIsRefused)
{
    struct Case {
        const char *url, *name;
    };
    for (const Case &c : {Case{"http://h/a/", ""}, Case{"http://h/..", ""}, Case{"http://h/.", ""},
                          Case{"http://h/f", "../x"}, Case{"http://h/f", ".."}, Case{"http://h/f", "a/b"}}) {
        SCOPED_TRACE(c.url);
        EXPECT_THROW(DownloadTargetPath(QString::fromUtf8(c.url), QStringLiteral("/c/"), QString::fromUtf8(c.name)),
                     DownloadError);
    }
}

// --- the panel -----------------------------------------------------------

TEST(ProgressPanel, CentredOnParentAndGoneWhenDestroyed)
{
    QWidget parent;
    parent.resize(801, 601);
    {
        TProgress panel(50, &parent, QString(), true);
        EXPECT_EQ(CurrentProgress, &panel);
        // Halves truncated: 400 - 200, 300 - 50.
        EXPECT_EQ(panel.ProgressPanel()->geometry(), QRect(200, 250, 400, 100));
        EXPECT_EQ(panel.StatusLabel()->text(), QStringLiteral("prosím čakajte..."));
        EXPECT_EQ(panel.Indicator()->objectName(), QStringLiteral("IndicatorGauge"));
        EXPECT_EQ(panel.Indicator()->maximum(), 50);
        EXPECT_EQ(panel.Position(20), 20);
        EXPECT_EQ(panel.Position(0), 20);  // 0 does not move it
    }
    EXPECT_EQ(CurrentProgress, nullptr);
    EXPECT_EQ(parent.findChild<QFrame *>(QStringLiteral("ProgressPanel")), nullptr);
    TProgress bar(0, &parent, QStringLiteral("začína"), false);
    EXPECT_EQ(bar.Indicator()->objectName(), QStringLiteral("IndicatorBar"));
    EXPECT_EQ(bar.StatusLabel()->text(), QStringLiteral("začína"));
}

// --- transfers -------------------------------------------------------------

class DownloadTransfer : public SlovakNumbers {
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(m_server.start(&error)) << error.toStdString();
        ASSERT_TRUE(m_target.isValid());
        m_folder = m_target.path() + u'/';
    }
    QString url(const QString &path) const { return m_server.baseUrl() + path; }

    HttpTestServer m_server;
    QTemporaryDir m_target;
    QString m_folder;
};

TEST_F(DownloadTransfer, DownloadFileStoresBodyUnderUrlNameAndRemovesPanel)
{
    const QByteArray body = pattern(300 * 1024);
    m_server.writeFile(QStringLiteral("KL/ARCHIV/HISL0901.XML"), body);
    QWidget parent;
    parent.resize(600, 400);
    EXPECT_TRUE(DownloadFile(url(QStringLiteral("KL/ARCHIV/HISL0901.XML")), m_folder, QString(), &parent));
    EXPECT_EQ(fileContent(m_folder + QStringLiteral("HISL0901.XML")), body);
    EXPECT_EQ(filesIn(m_folder), QStringList{QStringLiteral("HISL0901.XML")});  // no temporary left
    EXPECT_EQ(CurrentProgress, nullptr);
    EXPECT_EQ(parent.findChild<QFrame *>(QStringLiteral("ProgressPanel")), nullptr);
}

TEST_F(DownloadTransfer, DownloadWithWindowFreesItsWindow)
{
    m_server.writeFile(QStringLiteral("a/b.txt"), "rates");
    EXPECT_TRUE(DownloadWithWindow(url(QStringLiteral("a/b.txt")), m_folder, QStringLiteral("c.txt")));
    EXPECT_EQ(fileContent(m_folder + QStringLiteral("c.txt")), QByteArray("rates"));
    for (QWidget *widget : QApplication::topLevelWidgets())
        EXPECT_NE(widget->objectName(), QStringLiteral("DownloadWindow"));
}

TEST_F(DownloadTransfer, MissingFileRaisesErrorWithUrlAndKeepsOldTarget)
{
    writeFileContent(m_folder + QStringLiteral("f.txt"), "old");
    const QString missing = url(QStringLiteral("nothing/f.txt"));
    try {
        DownloadWithWindow(missing, m_folder, QString());
        FAIL() << "no error";
    } catch (const DownloadError &error) {
        EXPECT_EQ(error.userText(), QStringLiteral("Error downloading URL: ") + missing);
    }
    EXPECT_EQ(fileContent(m_folder + QStringLiteral("f.txt")), QByteArray("old"));
    EXPECT_EQ(filesIn(m_folder), QStringList{QStringLiteral("f.txt")});
    EXPECT_EQ(CurrentProgress, nullptr);
}

TEST_F(DownloadTransfer, UnboundedDownloadIsCutAtTheLimit)
{
    m_server.writeFile(QStringLiteral("big.bin"), pattern((1 << 20) + 1));
    EXPECT_FALSE(FetchUrlQuietly(url(QStringLiteral("big.bin")), m_folder + QStringLiteral("big.bin")));
    EXPECT_TRUE(filesIn(m_folder).isEmpty());
    // Exactly at the limit still passes.
    m_server.writeFile(QStringLiteral("fits.bin"), pattern(1 << 20));
    EXPECT_TRUE(FetchUrlQuietly(url(QStringLiteral("fits.bin")), m_folder + QStringLiteral("fits.bin")));
}

TEST(DownloadFailure, UnboundedDownloadWithoutLengthIsCutAtTheLimit)
{
    QTemporaryDir folder;
    OneShotServer server("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + pattern(3 << 20));
    ASSERT_GT(server.port(), 0);
    DownloadLimits limits;
    limits.maxBytes = 1 << 20;
    const QString target = folder.filePath(QStringLiteral("stream.txt"));
    EXPECT_THROW(FetchUrlToFile(QStringLiteral("http://127.0.0.1:%1/stream.txt").arg(server.port()), target, {},
                                limits),
                 DownloadError);
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(filesIn(folder.path()).isEmpty());
}

TEST(DownloadFailure, TruncatedDownloadLeavesNoFile)
{
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("rates.txt"));
    writeFileContent(target, "yesterday");
    OneShotServer server("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\nConnection: close\r\n\r\n" + pattern(100));
    ASSERT_GT(server.port(), 0);
    EXPECT_THROW(FetchUrlToFile(QStringLiteral("http://127.0.0.1:%1/rates.txt").arg(server.port()), target, {}),
                 DownloadError);
    EXPECT_EQ(fileContent(target), QByteArray("yesterday"));
    EXPECT_EQ(filesIn(folder.path()), QStringList{QStringLiteral("rates.txt")});
}

TEST(DownloadFailure, ServerThatNeverAnswersTimesOut)
{
    QTemporaryDir folder;
    SilentServer server;
    ASSERT_GT(server.port(), 0);
    DownloadLimits limits;
    limits.connectTimeoutMs = 1000;
    limits.stallTimeoutSeconds = 1;
    QElapsedTimer clock;
    clock.start();
    EXPECT_THROW(DownloadFile(QStringLiteral("http://127.0.0.1:%1/f.txt").arg(server.port()), folder.path(),
                              QString(), nullptr, limits),
                 DownloadError);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_TRUE(filesIn(folder.path()).isEmpty());
    EXPECT_EQ(CurrentProgress, nullptr);
}

TEST(DownloadFailure, DrippingServerIsCutAtTheWholeTransfersTimeOut)
{
    // A byte every 300 ms never trips the stall limit; only the whole
    // transfer's bound ends it, and a prompt server is unaffected by it.
    QTemporaryDir folder;
    const QByteArray reply = "HTTP/1.0 200 OK\r\nContent-Length: 200\r\n\r\n" + pattern(200);
    DownloadLimits limits = SmallFileLimits();
    limits.totalTimeoutSeconds = 2;
    const QString target = folder.filePath(QStringLiteral("rates.txt"));

    OneShotServer dripping(reply, 300);
    ASSERT_GT(dripping.port(), 0);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(FetchUrlQuietly(QStringLiteral("http://127.0.0.1:%1/rates.txt").arg(dripping.port()), target,
                                 limits));
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_TRUE(filesIn(folder.path()).isEmpty());

    OneShotServer prompt(reply);
    ASSERT_GT(prompt.port(), 0);
    EXPECT_TRUE(FetchUrlQuietly(QStringLiteral("http://127.0.0.1:%1/rates.txt").arg(prompt.port()), target, limits));
    EXPECT_EQ(fileContent(target), pattern(200));
}

TEST(DownloadFailure, RefusedConnectionAndForeignSchemesFail)
{
    QTemporaryDir folder;
    int port = 0;
    {
        SilentServer closed;  // a port that was free a moment ago
        port = closed.port();
    }
    const QString target = folder.filePath(QStringLiteral("x"));
    EXPECT_FALSE(FetchUrlQuietly(QStringLiteral("http://127.0.0.1:%1/x").arg(port), target));
    EXPECT_FALSE(FetchUrlQuietly(QStringLiteral("file:///etc/hostname"), target));
    EXPECT_FALSE(QFile::exists(target));
}

TEST(DownloadFailure, MissingTargetFolderIsAnError)
{
    QTemporaryDir folder;
    OneShotServer server("HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok");
    EXPECT_THROW(FetchUrlToFile(QStringLiteral("http://127.0.0.1:%1/x").arg(server.port()),
                                folder.filePath(QStringLiteral("no/such/x")), {}),
                 DownloadError);
}

namespace {

// The progress processed every pending event, user input included, so a
// click during a download ran its handler (a second download) inside the
// first one.
TEST_F(DownloadTransfer, ClicksDuringADownloadAreNotProcessed)
{
    m_server.writeFile(QStringLiteral("big.bin"), pattern(2 * 1024 * 1024));
    QWidget parent;
    parent.resize(600, 400);
    QPushButton button(QStringLiteral("Stiahnuť"), &parent);
    parent.show();
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    bool clicked = false;
    QTimer::singleShot(0, &button, [&] {
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::keyClick(&button, Qt::Key_Space);
        clicked = true;
    });
    EXPECT_TRUE(DownloadFile(url(QStringLiteral("big.bin")), m_folder, QString(), &parent));
    EXPECT_TRUE(clicked);  // the click arrived while the download ran
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(&button, Qt::LeftButton);  // afterwards input works again
    EXPECT_EQ(clicks, 1);
}

} // namespace
