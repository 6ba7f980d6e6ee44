// The database manager: the modal window in which the user lists, adds,
// renames, moves, selects and removes databases. The work itself is done
// by services/databaseactions.h; this window gathers the input, shows the
// list and switches between its short form (list only) and its full form
// (with the group for a new or changed database).
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bralvo::platform {
class StringGrid;
class KeyPreview;
}

namespace bralvo::app {

class TfDBmanager : public QDialog {
public:
    explicit TfDBmanager(QWidget *parent = nullptr);

    // The opener's sequence: caption ProgramTitle + " - " + UI text 289,
    // the list filled (tidied first), the full form when it holds at most
    // one database, else the short form; edits cleared, focus on the list;
    // then shown modally. Gives the dialog's result.
    int OpenModal();

    // Tidies the list (MaintainDatabaseList) and refills the grid: titles,
    // one row per database sorted by name, one empty row.
    void FillDatabaseGrid();
    void ShowCompact();   // height 289, list only
    void ShowExpanded();  // height 565, with the group box
    bool DbManagerCompact() const { return m_compact; }

    // Handlers, named as the window definition binds them. The window's
    // own keys (FormKeyDown: Esc closes, F1 opens help topic
    // "sprava_databaz") are the KeyPreview's.
    void Image1Click();
    void sgDatabazyClick();
    void sgDatabazyDblClick();
    // Enter (either key) selects the marked database; true when handled.
    bool sgDatabazyKeyDown(int key);
    void bitVyberDatabazuClick();
    void bitZmazatFakturuClick();
    void bitPridatDatabazuClick();
    void bitUlozitDatabazuClick();
    void bitSaveDatabaseClick();

    // Controls, named as in the window definition (objectName alike).
    QLabel *Label2;
    platform::StringGrid *sgDatabazy;
    QPushButton *bitVyberDatabazu;
    QPushButton *bitZmazatFakturu;
    QGroupBox *GroupBox1;
    QLabel *Label1;
    QLineEdit *eNazov;
    QLabel *Label8;
    QLineEdit *eDatabase;
    QPushButton *bitSaveDatabase;
    QLabel *Label10;
    QPushButton *bitPridatDatabazu;
    QPushButton *bitUlozitDatabazu;
    QLabel *Image1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    // The marked data row holding a name, or -1 (after UI text 292 when
    // warn is set).
    int markedRow(bool warn) const;
    void setHeight(int height, const QString &picture);
    void centreOnParent();

    platform::KeyPreview *m_keys = nullptr;
    bool m_compact = false;
};

} // namespace bralvo::app
