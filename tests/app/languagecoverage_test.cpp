// The shipped Slovak language file against the running program: every
// window the program shows has its section, and every caption of it is in
// the file, so a translator who starts from the file misses nothing.
#include "platform/inifile.h"
#include "services/formcomponents.h"
#include "tests/app/everywindow.h"
#include "tests/app/usersfixture.h"

#include <QRegularExpression>

using namespace bralvo;

namespace {

const QString kFile = QStringLiteral(BRALVO_SOURCE_DIR "/app/languages/Bralvo - SK.lng");

// Texts the windows fill from data (amounts with their currency, counts)
// are no captions: only texts with a word of three letters count. The
// main panel shows the start-up state, set while the program runs.
bool isCaption(const QObject &component, const QString &text)
{
    static const QRegularExpression word(QStringLiteral("\\p{L}{3,}"));
    return component.objectName() != QLatin1String("pnlMain") && word.match(text).hasMatch();
}

class SlovakLanguageCoverage : public test::UsersFixture {};

TEST_F(SlovakLanguageCoverage, EveryWindowAndCaptionIsInTheFile)
{
    app::TfMain &main = start();
    main.resize(1024, 768);
    main.show();
    const platform::IniFile file(kFile);
    QStringList missing;
    QStringList sections;
    test::forEachWindow(main, [&](QWidget &) {
        for (QWidget *form : services::applicationForms(&main)) {
            const QString section = form->objectName();
            sections << section;
            for (QObject *component : services::formComponents(form)) {
                const std::optional<QString> text = services::componentText(component);
                if (!text || !isCaption(*component, *text))
                    continue;
                if (!file.value(section, component->objectName()))
                    missing << section + QLatin1Char('.') + component->objectName() + QStringLiteral(" \"") + *text
                                   + QLatin1Char('"');
            }
        }
    });
    for (const char *window : {"fZoznamFaktur", "fTabulky", "fFaktura", "fVyber", "fSimplePolozka", "fUhrady"})
        EXPECT_TRUE(sections.contains(QLatin1String(window))) << window;
    missing.removeDuplicates();
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QLatin1Char('\n')).toStdString();
}

} // namespace
