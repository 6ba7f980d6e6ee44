// Screenshots for docs/screenshots/: taken only when BRALVO_SCREENSHOT_DIR
// names a folder (run under xvfb-run for real rendering). A fixture skips
// its tests when the folder is not wanted:
//
//   if (!m_shots.wanted())
//       GTEST_SKIP() << "BRALVO_SCREENSHOT_DIR not set";
#pragma once

#include <QString>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace bralvo::test {

class ScreenshotFolder {
public:
    ScreenshotFolder() : m_folder(qEnvironmentVariable("BRALVO_SCREENSHOT_DIR")) {}

    bool wanted() const { return !m_folder.isEmpty(); }

    // Lets the window finish painting first, then saves it as name.
    void save(QWidget &window, const QString &name, int settleMs = 200) const
    {
        QTest::qWait(settleMs);
        EXPECT_TRUE(window.grab().save(m_folder + "/" + name)) << name.toStdString();
    }

private:
    QString m_folder;
};

} // namespace bralvo::test
