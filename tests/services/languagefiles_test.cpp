// Language files applied to real Qt windows found by objectName, the
// choice of the language, and the translator's template.
#include "languagefixture.h"

#include "platform/inifile.h"
#include "platform/textfile.h"
#include "services/formcomponents.h"
#include "services/languagefiles.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStringEncoder>
#include <QTabWidget>
#include <QToolButton>

using namespace bralvo::services;
using bralvo::test::fileContent;
using bralvo::test::writeFileContent;
using bralvo::platform::IniFile;

namespace {

template <typename T>
T *named(QWidget *parent, const char *name, const QString &text = QString())
{
    auto *widget = new T(parent);
    widget->setObjectName(QLatin1String(name));
    if constexpr (requires { widget->setText(text); })
        widget->setText(text);
    return widget;
}

// The main window with two MDI working windows and a dialog it parents,
// holding one component of each text class.
struct Windows {
    QMainWindow main;
    QMdiArea *area = nullptr;
    QWidget *ucty = nullptr, *notes = nullptr;
    QDialog *login = nullptr;
    QStatusBar *bar = nullptr;
    QTabWidget *tabs = nullptr;
    QFileDialog *dialog = nullptr;

    Windows()
    {
        main.setObjectName(QStringLiteral("fMain"));
        area = new QMdiArea(&main);
        main.setCentralWidget(area);
        QMenu *help = main.menuBar()->addMenu(QStringLiteral("&Help"));
        help->addAction(QStringLiteral("About"))->setObjectName(QStringLiteral("menuAbout"));

        ucty = new QWidget;
        ucty->setObjectName(QStringLiteral("fUcty"));
        named<QPushButton>(ucty, "bitAddAccount", QStringLiteral("Add"));
        named<QLabel>(ucty, "lblName", QStringLiteral("Name:"));
        named<QCheckBox>(ucty, "chbActive", QStringLiteral("Active"));
        named<QLineEdit>(ucty, "eName", QStringLiteral("typed"));
        named<QPushButton>(ucty, "btnBack", QStringLiteral("Back"));
        bar = named<QStatusBar>(ucty, "sbMain");
        for (int i = 0; i < 11; ++i)
            bar->addWidget(new QLabel(QStringLiteral("p%1").arg(i)));
        area->addSubWindow(ucty);

        notes = new QWidget;
        notes->setObjectName(QStringLiteral("fPoznamky"));
        named<QPushButton>(notes, "btnBack", QStringLiteral("Back"));
        named<QLabel>(notes, "lblNote", QStringLiteral("Note"));
        area->addSubWindow(notes);

        login = new QDialog(&main);
        login->setObjectName(QStringLiteral("fLogin"));
        auto *group = named<QGroupBox>(login, "gbUser");
        group->setTitle(QStringLiteral("User"));
        named<QRadioButton>(group, "rbAdmin", QStringLiteral("Admin"));
        named<QToolButton>(login, "tbTool", QStringLiteral("Tool"));
        tabs = named<QTabWidget>(login, "PgCtrl");
        auto *page = new QWidget;
        page->setObjectName(QStringLiteral("tsJazyk"));
        tabs->addTab(page, QStringLiteral("Jazyk"));
        auto *menu = named<QMenu>(login, "menuFile");
        menu->setTitle(QStringLiteral("File"));
        menu->addAction(QStringLiteral("End"))->setObjectName(QStringLiteral("menuEnd"));
        dialog = named<QFileDialog>(login, "dlgOpen");
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setWindowTitle(QStringLiteral("Open"));
    }

    QObject *find(const char *form, const char *name) const
    {
        for (QWidget *w : applicationForms(const_cast<QMainWindow *>(&main)))
            if (w->objectName() == QLatin1String(form))
                for (QObject *c : formComponents(w))
                    if (c->objectName() == QLatin1String(name))
                        return c;
        return nullptr;
    }
    QString text(const char *form, const char *name) const
    {
        QObject *component = find(form, name);
        if (!component)
            return QStringLiteral("<missing>");
        return componentText(component).value_or(QStringLiteral("<no text>"));
    }
    QString panel(int i) const { return statusPanelTexts(bar).value(i); }
};

struct TextCase {
    const char *form, *name, *text;
};

void expectTexts(const Windows &w, std::initializer_list<TextCase> cases)
{
    for (const TextCase &c : cases) {
        SCOPED_TRACE(std::string(c.form) + "/" + c.name);
        EXPECT_EQ(w.text(c.form, c.name), QString::fromUtf8(c.text));
    }
}

class LanguageFiles : public bralvo::test::LanguageFixture {};

} // namespace

TEST_F(LanguageFiles, FormsAndComponentsAreFoundByName)
{
    Windows w;
    QStringList forms;
    for (QWidget *form : applicationForms(&w.main))
        forms.append(form->objectName());
    EXPECT_EQ(forms, (QStringList{"fMain", "fUcty", "fPoznamky", "fLogin"}));
    QStringList names;
    for (QObject *c : formComponents(w.ucty))
        names.append(c->objectName());
    // Status-bar panels and nameless objects are no components.
    EXPECT_EQ(names, (QStringList{"bitAddAccount", "lblName", "chbActive", "eName", "btnBack",
                                  "sbMain"}));
}

TEST_F(LanguageFiles, ApplyLanguageFileSetsEveryTextClassByExactName)
{
    Windows w;
    writeLanguage(QStringLiteral("en.lng"), QString::fromUtf8(
        "[fUcty]\n"
        "bitAddAccount=%Add account%\n"
        "lblName=% Name: %\n"
        "chbActive=\n"
        "eName=%not a caption%\n"
        "LBLNAME=%wrong case%\n"
        "[fLogin]\n"
        "gbUser=%Používateľ%\n"
        "rbAdmin=%Administrator%\n"
        "tbTool=Tool box%\n"
        "tsJazyk=%Language%\n"
        "menuFile=%&File%\n"
        "menuEnd=%End%\n"
        "dlgOpen=%Open backup%\n"
        "[fMain]\n"
        "menuAbout=%About Bralvo%\n"
        "[fNowhere]\n"
        "bitAddAccount=%never%\n"));
    ApplyLanguageFile(programLanguages() + QStringLiteral("en.lng"), &w.main);
    expectTexts(w, {
        {"fUcty", "bitAddAccount", "Add account"},
        {"fUcty", "lblName", " Name: "},
        {"fUcty", "chbActive", ""},  // present and empty: an empty caption
        {"fUcty", "btnBack", "Back"},
        {"fLogin", "gbUser", "Používateľ"},
        {"fLogin", "rbAdmin", "Administrator"},
        {"fLogin", "tbTool", "Tool box"},
        {"fLogin", "tsJazyk", "Language"},
        {"fLogin", "menuFile", "&File"},
        {"fLogin", "menuEnd", "End"},
        {"fLogin", "dlgOpen", "Open backup"},
        {"fMain", "menuAbout", "About Bralvo"},
        {"fPoznamky", "lblNote", "Note"},
    });
    EXPECT_EQ(w.tabs->tabText(0), QStringLiteral("Language"));
    EXPECT_EQ(qobject_cast<QLineEdit *>(w.find("fUcty", "eName"))->text(), QStringLiteral("typed"));
}

TEST_F(LanguageFiles, SectionInOtherLetterCaseChangesNothing)
{
    Windows w;
    writeLanguage(QStringLiteral("en.lng"), QStringLiteral("[FUCTY]\nbitAddAccount=%Add account%\n"));
    ApplyLanguageFile(programLanguages() + QStringLiteral("en.lng"), &w.main);
    EXPECT_EQ(w.text("fUcty", "bitAddAccount"), QStringLiteral("Add"));
}

TEST_F(LanguageFiles, StatusBarPanelsByIndex)
{
    Windows w;
    writeLanguage(QStringLiteral("en.lng"), QStringLiteral(
        "[fUcty]\n"
        "sbMain.Panels[1]=%one%\n"
        "sbMain=%zero%\n"
        "sbOther.Panels[2]=%other bar%\n"
        "sbMain.Panels[3]=no marks\n"));
    ApplyLanguageFile(programLanguages() + QStringLiteral("en.lng"), &w.main);
    const QStringList expected{"zero", "one", "p2", "no marks", "p4"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(w.panel(i), expected.at(i)) << i;
}

TEST_F(LanguageFiles, MalformedStatusBarKeyIsSkippedAndTheLoadGoesOn)
{
    Windows w;
    writeLanguage(QStringLiteral("en.lng"), QStringLiteral(
        "[fUcty]\n"
        "sbMain.Panels[x]=%letter%\n"
        "sbMain.Panels[]=%nothing%\n"
        "sbMain.Panels[25]=%beyond the panels%\n"
        "sbMain.Panels[99999999999]=%too long%\n"
        "sbMain.Panels[2]=%two%\n"
        "bitAddAccount=%after the bad keys%\n"
        "[-msg-]\n"
        "103=%still read%\n"));
    ApplyLanguageFile(programLanguages() + QStringLiteral("en.lng"), &w.main);
    EXPECT_EQ(w.panel(0), QStringLiteral("p0"));
    EXPECT_EQ(w.panel(2), QStringLiteral("two"));
    EXPECT_EQ(w.panel(10), QStringLiteral("p10"));
    EXPECT_EQ(w.text("fUcty", "bitAddAccount"), QStringLiteral("after the bad keys"));
    EXPECT_EQ(MessageText(103), QStringLiteral("still read"));
}

// The template writes "Panels[10]": reading it back must reach panel 10,
// not panel 1 (the first digit only).
TEST_F(LanguageFiles, StatusBarKeyWithTwoDigitIndexNamesThatPanel)
{
    Windows w;
    writeLanguage(QStringLiteral("en.lng"),
                  QStringLiteral("[fUcty]\nsbMain.Panels[10]=%ten%\n"));
    ApplyLanguageFile(programLanguages() + QStringLiteral("en.lng"), &w.main);
    EXPECT_EQ(w.panel(10), QStringLiteral("ten"));
    EXPECT_EQ(w.panel(1), QStringLiteral("p1"));
}

TEST_F(LanguageFiles, MessageSectionFillsTheTableWithMarks)
{
    writeLanguage(QStringLiteral("en.lng"), QStringLiteral(
        "[-msg-]\n"
        "103=%Exit now?%\n"
        "007=%seven%\n"
        "400=%far away%\n"
        "-1=%negative%\n"
        "50=plain\n"
        "315=%last%\n"));
    ApplyLanguageFile(programLanguages() + QStringLiteral("en.lng"), nullptr);
    EXPECT_EQ(UiTextTable().at(103), QStringLiteral("%Exit now?%"));
    EXPECT_EQ(MessageText(103), QStringLiteral("Exit now?"));
    EXPECT_EQ(MessageText(7), QString::fromUtf8("Prosím skúste to neskôr a ubezpečte sa, že ste "
                                                "pripojený na internet."));
    EXPECT_EQ(MessageText(50), QStringLiteral("plain"));
    EXPECT_EQ(MessageText(315), QStringLiteral("last"));
    EXPECT_EQ(UiTextTable().size(), UiTextCount);
}

TEST_F(LanguageFiles, SwitchingLanguagesKeepsTextsTheNewFileLacks)
{
    writeLanguage(QStringLiteral("en.lng"), QStringLiteral("[-msg-]\n103=%Exit?%\n105=%Users%\n"));
    writeLanguage(QStringLiteral("de.lng"), QStringLiteral("[-msg-]\n105=%Benutzer%\n"));
    ApplyLanguageFile(programLanguages() + QStringLiteral("en.lng"), nullptr);
    ApplyLanguageFile(programLanguages() + QStringLiteral("de.lng"), nullptr);
    EXPECT_EQ(MessageText(103), QStringLiteral("Exit?"));
    EXPECT_EQ(MessageText(105), QStringLiteral("Benutzer"));
}

TEST_F(LanguageFiles, MissingFileChangesNothing)
{
    Windows w;
    ApplyLanguageFile(programLanguages() + QStringLiteral("none.lng"), &w.main);
    EXPECT_EQ(w.text("fUcty", "bitAddAccount"), QStringLiteral("Add"));
    EXPECT_EQ(MessageText(103), QStringLiteral("Do you really want to exit?"));
}

TEST_F(LanguageFiles, WindowsCodePageFileStillReads)
{
    QStringEncoder encoder("windows-1250");
    const QByteArray bytes = encoder.encode(QString::fromUtf8("[-msg-]\n103=%Naozaj skončiť?%\n"));
    writeFileContent(programLanguages() + QStringLiteral("Bralvo - SK.lng"), bytes);
    LoadLanguage(QStringLiteral("SK"), nullptr);
    EXPECT_EQ(MessageText(103), QString::fromUtf8("Naozaj skončiť?"));
}

TEST_F(LanguageFiles, LoadLanguageChoosesTheTag)
{
    struct Case {
        const char *settings;
        const char *expectedTag;
        const char *expectedText;
    };
    const Case cases[] = {
        {"[Language]\ntag=EN\n", "EN", "Exit (EN)?"},
        {"[language]\nTAG=EN\n", "EN", "Exit (EN)?"},
        {"[Language]\ntag=DE\n", "SK", "Exit (SK)?"},  // no DE file: the default
        {"[Language]\ntag=\n", "SK", "Exit (SK)?"},
        {"", "SK", "Exit (SK)?"},
    };
    writeLanguage(QStringLiteral("Bralvo - EN.lng"), QStringLiteral("[-msg-]\n103=%Exit (EN)?%\n"));
    writeLanguage(QStringLiteral("Bralvo - SK.lng"), QStringLiteral("[-msg-]\n103=%Exit (SK)?%\n"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.settings);
        LoadDefaultTexts();
        writeSettings(QString::fromUtf8(c.settings));
        LoadLanguage(QStringLiteral("SK"), nullptr);
        EXPECT_EQ(CurrentLanguageTag(), QString::fromUtf8(c.expectedTag));
        EXPECT_EQ(MessageText(103), QString::fromUtf8(c.expectedText));
    }
}

TEST_F(LanguageFiles, DataRootLanguageComesBeforeTheProgramFolder)
{
    writeLanguage(QStringLiteral("Bralvo - EN.lng"), QStringLiteral("[-msg-]\n103=%program%\n"));
    writeFileContent(userLanguages() + QStringLiteral("Bralvo - EN.lng"), "[-msg-]\n103=%user%\n");
    writeSettings(QStringLiteral("[Language]\ntag=EN\n"));
    LoadLanguage(QStringLiteral("SK"), nullptr);
    EXPECT_EQ(MessageText(103), QStringLiteral("user"));
    EXPECT_EQ(FindLanguageFile(QStringLiteral("Bralvo - EN.lng")),
              userLanguages() + QStringLiteral("Bralvo - EN.lng"));
    EXPECT_EQ(FindLanguageFile(QStringLiteral("Bralvo - XX.lng")), QString());
}

TEST_F(LanguageFiles, ApplyLanguageToFormIgnoresLetterCaseAndLeavesMessages)
{
    Windows w;
    writeLanguage(QStringLiteral("Bralvo - EN.lng"), QStringLiteral(
        "[FUCTY]\n"
        "BITADDACCOUNT=%Add account%\n"
        "lblname=%Name%\n"
        "sbMain.Panels[0]=%status%\n"
        "sbMain=%status%\n"
        "[-msg-]\n"
        "103=%Exit?%\n"));
    writeSettings(QStringLiteral("[Language]\ntag=EN\n"));
    ApplyLanguageToForm(QStringLiteral("XX"), w.ucty);
    EXPECT_EQ(CurrentLanguageTag(), QStringLiteral("EN"));
    expectTexts(w, {{"fUcty", "bitAddAccount", "Add account"}, {"fUcty", "lblName", "Name"}});
    EXPECT_EQ(w.panel(0), QStringLiteral("p0"));
    EXPECT_EQ(MessageText(103), QStringLiteral("Do you really want to exit?"));
}

TEST_F(LanguageFiles, ApplyLanguageToFormFallsBackToSlovak)
{
    Windows w;
    writeLanguage(QStringLiteral("Bralvo - SK.lng"), QStringLiteral("[fUcty]\nbitAddAccount=%Pridať%\n"));
    for (const char *settings : {"[Language]\ntag=FR\n", ""}) {
        SCOPED_TRACE(settings);
        CurrentLanguageTag() = QStringLiteral("EN");
        writeSettings(QString::fromUtf8(settings));
        ApplyLanguageToForm(QStringLiteral("EN"), w.ucty);
        EXPECT_EQ(CurrentLanguageTag(), QStringLiteral("SK"));
        EXPECT_EQ(w.text("fUcty", "bitAddAccount"), QString::fromUtf8("Pridať"));
    }
}

TEST_F(LanguageFiles, LocalizeFormSetsEveryBackButton)
{
    Windows w;
    UiTextTable()[264] = QStringLiteral("%Back (ESC)%");
    writeLanguage(QStringLiteral("Bralvo - SK.lng"), QStringLiteral("[fPoznamky]\nlblNote=%Poznámka%\n"));
    LocalizeForm(w.notes);
    expectTexts(w, {{"fUcty", "btnBack", "Back (ESC)"},
                    {"fPoznamky", "btnBack", "Back (ESC)"},
                    {"fPoznamky", "lblNote", "Poznámka"}});
}

TEST_F(LanguageFiles, TemplateOfAFreshFile)
{
    Windows w;
    const QString path = userLanguages() + QStringLiteral("new.lng");
    WriteLanguageTemplate(path, &w.main);
    const IniFile ini(path);
    EXPECT_EQ(ini.sections(), (QStringList{"fMain", "fUcty", "fPoznamky", "fLogin", "-msg-"}));
    struct Case {
        const char *section, *key, *value;
    };
    const Case cases[] = {
        {"fMain", "menuAbout", "%About%"},
        {"fUcty", "bitAddAccount", "%Add%"},
        {"fUcty", "lblName", "%Name:%"},
        {"fUcty", "sbMain.Panels[0]", "%p0%"},
        {"fUcty", "sbMain.Panels[10]", "%p10%"},
        {"fLogin", "gbUser", "%User%"},
        {"fLogin", "tsJazyk", "%Jazyk%"},
        {"fLogin", "menuFile", "%File%"},
        {"fLogin", "dlgOpen", "%Open%"},
        {"-msg-", "103", "%Do you really want to exit?%"},
        {"-msg-", "168", "Cannot delete category because category is in use.%"},
        {"-msg-", "268", "-"},
        {"-msg-", "50", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ini.value(QLatin1String(c.section), QLatin1String(c.key)),
                  std::optional<QString>(QString::fromUtf8(c.value)));
    }
    EXPECT_FALSE(ini.valueExists(QStringLiteral("fUcty"), QStringLiteral("eName")));
    EXPECT_FALSE(ini.valueExists(QStringLiteral("fUcty"), QStringLiteral("sbMain")));
    EXPECT_EQ(ini.keys(QStringLiteral("-msg-")).size(), UiTextCount);
}

TEST_F(LanguageFiles, TemplateKeepsTranslationsAndAddsNothingTheSecondTime)
{
    Windows w;
    const QString path = userLanguages() + QStringLiteral("new.lng");
    writeFileContent(path, QByteArray(
        "[-main-]\ntag=EN\nname=English\n"
        "[fUcty]\nbitAddAccount=%Add account%\nlblName=\n"
        "[-report-]\n1=%INVOICE%\n"
        "[-msg-]\n103=%Exit?%\n"));
    WriteLanguageTemplate(path, &w.main);
    const QByteArray first = fileContent(path);
    WriteLanguageTemplate(path, &w.main);
    EXPECT_EQ(fileContent(path), first);

    const IniFile ini(path);
    EXPECT_EQ(ini.sections(), (QStringList{"-main-", "fUcty", "-report-", "-msg-", "fMain",
                                           "fPoznamky", "fLogin"}));
    EXPECT_EQ(ini.readString("fUcty", "bitAddAccount", {}), QStringLiteral("%Add account%"));
    EXPECT_EQ(ini.readString("fUcty", "lblName", {}), QStringLiteral("%Name:%"));
    EXPECT_EQ(ini.keys("fUcty").first(), QStringLiteral("bitAddAccount"));
    EXPECT_EQ(ini.readString("-msg-", "103", {}), QStringLiteral("%Exit?%"));
    EXPECT_EQ(ini.keys("-main-"), (QStringList{"tag", "name"}));
    EXPECT_EQ(ini.keys("-report-"), QStringList{"1"});
}

TEST_F(LanguageFiles, TemplateThatCannotBeWrittenThrows)
{
    Windows w;
    // A folder where the file should be: neither readable nor writable as a file.
    const QString path = userLanguages() + QStringLiteral("taken.lng");
    ASSERT_TRUE(QDir().mkpath(path));
    EXPECT_THROW(WriteLanguageTemplate(path, &w.main), bralvo::platform::FileError);
    // A parent that is a file.
    writeFileContent(userLanguages() + QStringLiteral("plain"), "x");
    EXPECT_THROW(WriteLanguageTemplate(userLanguages() + QStringLiteral("plain/new.lng"), &w.main),
                 bralvo::platform::FileError);
}

TEST_F(LanguageFiles, TemplateFolderIsCreated)
{
    Windows w;
    QDir(userLanguages()).removeRecursively();
    WriteLanguageTemplate(LanguageTemplatePath(), &w.main);
    EXPECT_TRUE(QFile::exists(userLanguages() + QStringLiteral("new.lng")));
}

TEST_F(LanguageFiles, TemplateReadsBackAsALanguageFile)
{
    Windows w;
    const QString path = userLanguages() + QStringLiteral("new.lng");
    WriteLanguageTemplate(path, &w.main);
    Windows fresh;  // the same windows, captions changed before the file is applied
    for (QWidget *form : applicationForms(&fresh.main))
        for (QObject *component : formComponents(form))
            setComponentText(component, QStringLiteral("changed"));
    for (int i = 0; i < 11; ++i)
        setStatusPanelText(fresh.bar, i, QStringLiteral("changed"));
    UiTextTable()[103] = QStringLiteral("%changed%");

    ApplyLanguageFile(path, &fresh.main);
    for (QWidget *form : applicationForms(&w.main)) {
        for (QObject *component : formComponents(form)) {
            const QString name = form->objectName() + QLatin1Char('/') + component->objectName();
            SCOPED_TRACE(name.toStdString());
            EXPECT_EQ(fresh.text(form->objectName().toLatin1().constData(),
                                 component->objectName().toLatin1().constData()),
                      componentText(component).value_or(QStringLiteral("<no text>")));
        }
    }
    EXPECT_EQ(statusPanelTexts(fresh.bar), statusPanelTexts(w.bar));
    EXPECT_EQ(MessageText(103), QStringLiteral("Do you really want to exit?"));
}
