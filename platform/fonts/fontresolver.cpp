// Family substitution and fontconfig look-up.
#include "platform/fonts/fontresolver.h"

#include "platform/font.h"

#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include <fontconfig/fontconfig.h>

namespace bralvo::platform {

namespace {

const QString kFallbackFamily = QStringLiteral("DejaVu Sans");

// Wine keeps its fonts outside fontconfig's folders; only Tahoma is
// wanted from there, so only its two files are added.
const char *const kWineTahomaFiles[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
};

FcConfig *fontConfig() {
    static FcConfig *config = [] {
        FcConfig *c = FcInitLoadConfigAndFonts();
        for (const char *file : kWineTahomaFiles) {
            if (QFileInfo::exists(QString::fromLatin1(file)))
                FcConfigAppFontAddFile(c, reinterpret_cast<const FcChar8 *>(file));
        }
        return c;
    }();
    return config;
}

QString patternString(FcPattern *pattern, const char *object) {
    FcChar8 *value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char *>(value));
}

int patternInt(FcPattern *pattern, const char *object, int fallback) {
    int value = fallback;
    FcPatternGetInteger(pattern, object, 0, &value);
    return value;
}

// The best file fontconfig has for the family; family empty when the
// match fell to some other family.
ResolvedFont match(const QString &family, int style) {
    FcConfig *config = fontConfig();
    FcPattern *pattern = FcPatternCreate();
    const QByteArray name = family.toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(name.constData()));
    FcPatternAddInteger(pattern, FC_WEIGHT, (style & fsBold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, (style & fsItalic) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *found = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    ResolvedFont font;
    if (!found)
        return font;
    // A family with several names lists them all; any may be ours.
    for (int i = 0;; ++i) {
        FcChar8 *value = nullptr;
        if (FcPatternGetString(found, FC_FAMILY, i, &value) != FcResultMatch)
            break;
        if (QString::fromUtf8(reinterpret_cast<const char *>(value)).compare(family, Qt::CaseInsensitive) == 0)
            font.family = family;
    }
    font.fileName = patternString(found, FC_FILE);
    font.faceIndex = patternInt(found, FC_INDEX, 0);
    font.bold = patternInt(found, FC_WEIGHT, FC_WEIGHT_REGULAR) >= FC_WEIGHT_DEMIBOLD;
    font.italic = patternInt(found, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN;
    FcPatternDestroy(found);
    return font;
}

} // namespace

QString substituteFamily(const QString &family) {
    static const QHash<QString, QString> table = {
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("tahoma"), QStringLiteral("Tahoma")},
        {QStringLiteral("liberation sans"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("liberation serif"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("liberation mono"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("dejavu sans"), kFallbackFamily},
    };
    return table.value(family.trimmed().toLower(), kFallbackFamily);
}

ResolvedFont resolveFont(const QString &family, int style) {
    static QMutex mutex;
    static QHash<QString, ResolvedFont> cache;
    const int key = style & (fsBold | fsItalic);
    const QString cacheKey = family.trimmed().toLower() + QLatin1Char('\n') + QString::number(key);
    QMutexLocker lock(&mutex);
    const auto it = cache.constFind(cacheKey);
    if (it != cache.constEnd())
        return *it;
    const QString target = substituteFamily(family);
    ResolvedFont font = match(target, key);
    if (font.family.isEmpty() || font.fileName.isEmpty())
        font = match(kFallbackFamily, key);
    if (font.family.isEmpty() || font.fileName.isEmpty())
        throw FontError(QStringLiteral("No font file found for \"%1\"").arg(family));
    cache.insert(cacheKey, font);
    return font;
}

} // namespace bralvo::platform
