// The shipped Slovak language file: it names itself, and its message
// texts are exactly the built-in ones, so choosing it changes nothing.
#include "platform/inifile.h"
#include "services/builtintexts.h"
#include "services/uitexts.h"
#include "tests/services/qstringprint.h"

#include <gtest/gtest.h>

using bralvo::platform::IniFile;

namespace {

const QString kFile = QStringLiteral(BRALVO_SOURCE_DIR "/app/languages/Bralvo - SK.lng");

TEST(SlovakLanguageFile, NamesItselfSlovak)
{
    const IniFile file(kFile);
    EXPECT_EQ(file.readString("-main-", "tag", ""), "SK");
    EXPECT_EQ(file.readString("-main-", "name", ""), "Slovenčina");
    EXPECT_EQ(file.sections().first(), "-main-");
}

TEST(SlovakLanguageFile, MessagesEqualBuiltInTexts)
{
    bralvo::services::LoadDefaultTexts();
    const IniFile file(kFile);
    for (int i = 0; i < bralvo::services::UiTextCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(file.readString("-msg-", QString::number(i), "<missing>"),
                  bralvo::services::UiTextTable().at(i));
    }
}

TEST(SlovakLanguageFile, CoversTheShellWindows)
{
    const IniFile file(kFile);
    for (const char *section : {"fMain", "fMenu", "fLogin", "fSettings"})
        EXPECT_TRUE(file.sectionExists(section)) << section;
    EXPECT_EQ(file.readString("fMenu", "bitKoniec", ""), "%Koniec%");
    EXPECT_EQ(file.readString("fLogin", "bitOK", ""), "%Prihlásiť%");
}

} // namespace
