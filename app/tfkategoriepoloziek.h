// The item categories window: all categories on the right, one
// category's name and internal note on the left, and "rename the
// selected category". A modal dialog created once at start (a child of
// the main window named "fKategoriePoloziek"), opened from the items
// window. Saving, loading and deleting are the data layer's
// (db/categories.h, db/retiring.h).
#pragma once

#include "db/formfocus.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace bralvo::platform { class KeyPreview; }

namespace bralvo::app {

class TfKategoriePoloziek : public QDialog, public db::FormFocus {
public:
    explicit TfKategoriePoloziek(QWidget &main);

    // Centred over `over`, caption ProgramTitle + " - " + UI text 166,
    // list filled, fields emptied, shown modally. Database errors reach
    // the caller.
    int OpenModal(QWidget &over);

    // lbKategorie = every category name.
    void FillCategoryList();

    // Handlers, named as the window definition binds them.
    void lbKategorieClick();
    void bitAddNoteClick();
    void bitClearValuesClick();
    void bitDeleteNoteClick();

    // db::FormFocus
    void focusControl(const QString &controlName) override;

    QListWidget *lbKategorie;
    QPushButton *bitClearValues;
    QGroupBox *GroupBox1;
    QCheckBox *chbPremenovat;
    QLabel *Label1;
    QLineEdit *eNazov;
    QLabel *Label2;
    QPlainTextEdit *mInternaPoznamka;
    QLabel *Label3;
    QPushButton *bitAddNote;
    QPushButton *bitDeleteNote;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    QString selectedName() const;

    platform::KeyPreview *m_keys = nullptr;
};

} // namespace bralvo::app
