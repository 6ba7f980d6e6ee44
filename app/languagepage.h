// The language page of the settings window: the language files found in
// the language folders, the details of the selected one, and the button
// that makes it the program's language. It is what the start-up check
// shows when no language has been chosen yet.
#pragma once

#include "services/languagechooser.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace bralvo::app {

class LanguagePage : public QDialog, public services::LanguageChooser {
    Q_OBJECT
public:
    explicit LanguagePage(QWidget *mainWindow);  // a child of the main window
    // The page as a plain widget inside host (the settings window's
    // "Jazyk" sub-page): no caption, no keys of its own; the texts still
    // go to mainWindow.
    LanguagePage(QWidget *mainWindow, QWidget *host);

    // Refills the list and shows the page modally.
    void ShowPage();
    // Refills the list and selects the current language.
    void Refresh();
    // services::LanguageChooser
    void chooseLanguage() override { ShowPage(); }

    // Shows the details of the selected language.
    void lbLanguagesClick();
    // Makes the selected language the program's: [Language] tag and name,
    // the texts applied at once; byClick adds the restart hint (UI text 5).
    // Without a selection: UI text 6.
    void bitLoadLngClick(bool byClick);

    QListWidget &languageList() const { return *lbLanguages; }

private:
    void FillLanguageList();
    QString selectedTag() const;

    QWidget *m_mainWindow;
    QListWidget *lbLanguages;
    QPushButton *bitLoadLng;
    QLabel *pSelectedLanguage;
    QLabel *lblName;
    QLabel *lblTag;
    QLabel *lblForVersionOfProgram;
    QLabel *lblTranslateVersion;
    QLabel *lblAutors;
};

// The language files of the language folders (data root first), one per
// file name, sorted by file name: their full paths.
QStringList LanguageFilePaths();

} // namespace bralvo::app
