// Windows family names land on the metric-compatible installed fonts.
#include "platform/fonts/fontresolver.h"

#include "platform/font.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace bralvo::platform;

TEST(FontResolver, WindowsFamiliesResolveToCompatibleFonts) {
    struct Case {
        const char *asked;
        const char *family;
        const char *fileStart; // file name, case-insensitive prefix
    };
    const Case cases[] = {
        {"Arial", "Liberation Sans", "LiberationSans"},
        {"Times New Roman", "Liberation Serif", "LiberationSerif"},
        {"Courier New", "Liberation Mono", "LiberationMono"},
        {"Tahoma", "Tahoma", "tahoma"},
        {"  arial ", "Liberation Sans", "LiberationSans"},
        {"TIMES NEW ROMAN", "Liberation Serif", "LiberationSerif"},
        {"Wingdings Extra", "DejaVu Sans", "DejaVuSans"},
        {"Comic Sans MS", "DejaVu Sans", "DejaVuSans"},
        {"", "DejaVu Sans", "DejaVuSans"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.asked);
        const ResolvedFont font = resolveFont(QString::fromUtf8(c.asked), 0);
        EXPECT_EQ(font.family, QString::fromUtf8(c.family));
        EXPECT_TRUE(QFileInfo::exists(font.fileName)) << font.fileName.toStdString();
        EXPECT_TRUE(QFileInfo(font.fileName).fileName().startsWith(QString::fromUtf8(c.fileStart),
                                                                   Qt::CaseInsensitive))
            << font.fileName.toStdString();
    }
}

TEST(FontResolver, StyleBitsChooseTheStyledFile) {
    struct Case {
        const char *asked;
        int style;
        const char *fileName;
        bool bold, italic;
    };
    const Case cases[] = {
        {"Arial", 0, "LiberationSans-Regular.ttf", false, false},
        {"Arial", fsBold, "LiberationSans-Bold.ttf", true, false},
        {"Arial", fsItalic, "LiberationSans-Italic.ttf", false, true},
        {"Arial", fsBold | fsItalic | fsUnderline, "LiberationSans-BoldItalic.ttf", true, true},
        {"Courier New", fsBold, "LiberationMono-Bold.ttf", true, false},
        {"Tahoma", fsBold, "tahomabd.ttf", true, false},
        {"Unknown", fsBold, "DejaVuSans-Bold.ttf", true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.asked) + " " + std::to_string(c.style));
        const ResolvedFont font = resolveFont(QString::fromUtf8(c.asked), c.style);
        EXPECT_EQ(QFileInfo(font.fileName).fileName(), QString::fromUtf8(c.fileName));
        EXPECT_EQ(font.bold, c.bold);
        EXPECT_EQ(font.italic, c.italic);
    }
}

TEST(FontResolver, SubstituteFamilyKeepsInstalledTargets) {
    EXPECT_EQ(substituteFamily(QStringLiteral("Liberation Serif")), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(substituteFamily(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(substituteFamily(QStringLiteral("Verdana")), QStringLiteral("DejaVu Sans"));
}
