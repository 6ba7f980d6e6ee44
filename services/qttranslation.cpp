// Qt's own translation for the program language.
#include "services/qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <utility>

namespace bralvo::services {

namespace {

// Qt asks for its standard button texts in the context "QPlatformTheme"
// and for file types ("Folder") in the icon providers' contexts, while the
// Slovak qtbase file still holds them under "QDialogButtonBox" and
// "QFileDialog": without these fallbacks message boxes would say Yes and
// Cancel, and file dialogs Folder.
constexpr std::pair<const char *, const char *> kContextFallbacks[] = {
    {"QPlatformTheme", "QDialogButtonBox"},
    {"QAbstractFileIconProvider", "QFileDialog"},
    {"QFileIconProvider", "QFileDialog"},
    {"QFileSystemModel", "QFileDialog"},
};

class QtBaseTranslator : public QTranslator {
public:
    bool loadFor(const QString &languageTag)
    {
        return m_base.load(QStringLiteral("qtbase_") + languageTag.toLower(),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    bool isEmpty() const override { return m_base.isEmpty(); }
    QString translate(const char *context, const char *source, const char *disambiguation, int n) const override
    {
        QString text = m_base.translate(context, source, disambiguation, n);
        for (const auto &[asked, held] : kContextFallbacks) {
            if (!text.isEmpty() || qstrcmp(context, asked) != 0)
                continue;
            text = m_base.translate(held, source, disambiguation, n);
            if (text.isEmpty() && disambiguation)  // "Folder" is asked with a platform note
                text = m_base.translate(held, source, nullptr, n);
        }
        return text;
    }

private:
    QTranslator m_base;
};

} // namespace

bool InstallQtTranslation(const QString &languageTag)
{
    static std::unique_ptr<QtBaseTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    auto translator = std::make_unique<QtBaseTranslator>();
    if (languageTag.isEmpty() || !translator->loadFor(languageTag))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}

} // namespace bralvo::services
