// The items window: the live catalogue items on the right, one item's
// fields on the left (name, code, category, unit, VAT rate, price per a
// number of units, internal note). A modal dialog created once at start
// (a child of the main window named "fPolozky") and shown by OpenModal.
// Saving, loading and deleting are the data layer's (db/items.h,
// db/retiring.h); this window adds the buttons, the messages, the list
// refresh and the typing aids.
#pragma once

#include "db/formfocus.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace bralvo::platform { class KeyPreview; }

namespace bralvo::app {

class TfKategoriePoloziek;

class TfPolozky : public QDialog, public db::FormFocus {
public:
    // categories is the categories window this one opens (it outlives us);
    // main is what that window is centred over.
    TfPolozky(QWidget &main, TfKategoriePoloziek &categories);

    // The opener's sequence: centred over opener, caption ProgramTitle +
    // " - " + UI text 151, list filled, fields emptied, shown modally.
    // Database errors reach the caller (nothing is shown then).
    int OpenModal(QWidget &opener);

    // lbPolozky = the names of the live items.
    void FillItemList();

    // Handlers, named as the window definition binds them. The list's
    // click also runs when the keyboard moves its selection.
    void lbPolozkyClick();
    void bitAddItemClick();
    void bitClearValuesClick();
    void bitDeleteItemClick();
    // Opens the categories window; afterwards the category combo is
    // refilled and keeps the chosen category by id (renamed: its new
    // name; deleted: the first entry).
    void bitSpravaKategoriiClick();
    // UI text 156 and the category names; the chosen text stays chosen
    // when it is still listed, else the first entry.
    void cbKategoriaEnter();
    void eCenaExit(QLineEdit &field);  // eCena and eZaMJ: money
    void eDPHExit();                   // "##0.##"
    void eMernaJednotkaExit();         // digits removed

    // db::FormFocus
    void focusControl(const QString &controlName) override;

    QListWidget *lbPolozky;
    QPushButton *bitClearValues;
    QGroupBox *GroupBox1;
    QLabel *Label1;
    QLineEdit *eNazov;
    QLabel *Label2;
    QLineEdit *eKod;
    QLabel *Label3;
    QComboBox *cbKategoria;
    QPushButton *bitSpravaKategorii;
    QLabel *Label4;
    QLineEdit *eMernaJednotka;
    QLabel *Label5;
    QLineEdit *eDPH;
    QLabel *Label6;
    QLabel *Label7;
    QLineEdit *eCena;
    QLabel *Label8;
    QLineEdit *eZaMJ;
    QLabel *Label9;
    QLabel *Label10;
    QPlainTextEdit *mInternaPoznamka;
    QLabel *Label11;
    QPushButton *bitAddItem;
    QPushButton *bitDeleteItem;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    void watchControls();
    void focusLeft(QWidget &control);
    QString selectedName() const;

    QWidget &m_main;
    TfKategoriePoloziek &m_categories;
    platform::KeyPreview *m_keys = nullptr;
};

// Puts the dialog's top-left corner so that it sits centred over `over`:
// left = over's left + (over's width - its width) / 2, top likewise,
// halves rounded toward zero.
void CentreOver(QWidget &dialog, const QWidget &over);

} // namespace bralvo::app
