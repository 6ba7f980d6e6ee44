// Only http, https, mailto links and existing local files reach the
// desktop; the desktop is replaced by URL handlers that record.
#include "services/globals.h"
#include "services/shellopen.h"
#include "tests/support/programfolders.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QUrl>
#include <gtest/gtest.h>

using namespace bralvo::services;

namespace {

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class ShellOpen : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *scheme : {"http", "https", "mailto", "file", "ftp", "javascript", "smb"})
            QDesktopServices::setUrlHandler(scheme, &recorder, "open");
    }
    void TearDown() override
    {
        for (const char *scheme : {"http", "https", "mailto", "file", "ftp", "javascript", "smb"})
            QDesktopServices::unsetUrlHandler(scheme);
    }

    bralvo::test::ProgramFolders folders;
    UrlRecorder recorder;
};

} // namespace

TEST_F(ShellOpen, OpeningLinksOnlyForWebMailAndExistingFiles)
{
    const QString existing = folders.path() + "bill.pdf";
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    struct Case { QString target; bool opens; };
    const Case cases[] = {
        {"https://www.tamrex.sk/bralvo/", true},
        {"http://maps.example/search?f=q&q=Nitra, Hlavna 1", true},
        {"HTTPS://EXAMPLE.COM/", true},
        {"mailto:podpora@tamrex.sk", true},
        {existing, true},
        {QUrl::fromLocalFile(existing).toString(), true},
        {folders.path() + "missing.pdf", false},
        {"file:///no/such/file", false},
        {folders.path(), false},  // a folder is not a file
        {"bill.pdf", false},      // relative
        {"javascript:alert(1)", false},
        {"ftp://example.com/x", false},
        {"smb://server/share", false},
        {"http://", false},
        {"", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        recorder.opened.clear();
        EXPECT_EQ(OpenWithDesktop(c.target), c.opens);
        EXPECT_EQ(recorder.opened.size(), c.opens ? 1 : 0);
    }
}

TEST_F(ShellOpen, HelpTopicOpensOnlyWhenItsFileExists)
{
    ProgramDir = folders.path();
    ASSERT_TRUE(QDir().mkpath(ProgramDir + "help"));
    QFile page(ProgramDir + "help/sprava_faktur.htm");
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();

    EXPECT_EQ(HelpTopicPath("sprava_faktur"), ProgramDir + "help/sprava_faktur.htm");
    ShowHelpTopic("sprava_faktur");
    ASSERT_EQ(recorder.opened.size(), 1);
    EXPECT_EQ(recorder.opened[0], QUrl::fromLocalFile(ProgramDir + "help/sprava_faktur.htm"));

    for (const char *topic : {"hlavne_menu", "", "../help/sprava_faktur"})
        ShowHelpTopic(topic);
    EXPECT_EQ(recorder.opened.size(), 1);
}

#include "shellopen_test.moc"
