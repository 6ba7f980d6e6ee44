// The notes window: notes (poznamky) a bill's footer can carry, a list of
// their internal names and the fields of one note. Created once with the
// main window and shown modally by every opener through OpenModal; the
// data layer reads, stores and deletes the records.
#pragma once

#include "db/formfocus.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace bralvo::app {

class TfPoznamky : public QDialog, public db::FormFocus {
    Q_OBJECT
public:
    explicit TfPoznamky(QWidget *parent);  // objectName "fPoznamky"

    // Centred on the parent, caption ProgramTitle + " - " + UI text 134,
    // list refilled, fields cleared, shown modally. Gives the result.
    int OpenModal();

    // Items of lbPoznamky = the live note names.
    void RefreshNoteList();

    // Handlers, named as the window binds them. Database errors reach the
    // caller (the buttons show them in an error box).
    void bitClearValuesClick();
    void bitAddNoteClick();
    void bitDeleteNoteClick();
    void lbPoznamkyClick();

    // db::FormFocus
    void focusControl(const QString &controlName) override;

    QPushButton *bitClearValues;
    QGroupBox *GroupBox1;
    QLabel *Label1;
    QLineEdit *eNazov;
    QLabel *Label2;
    QPlainTextEdit *mPoznamka;
    QLabel *Label3;
    QLabel *Label4;
    QPlainTextEdit *mInternaPoznamka;
    QLabel *Label5;
    QPushButton *bitAddNote;
    QPushButton *bitDeleteNote;
    QListWidget *lbPoznamky;

private:
    void buildControls();
    void connectHandlers();
};

// The main window's permanent notes window; nullptr before
// InstallUsersWindow created it.
TfPoznamky *NotesWindowOf(QWidget &mainWindow);

} // namespace bralvo::app
