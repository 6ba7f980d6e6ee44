// The bill list: the working window that lists the ordinary or the
// advance bills of a period, filtered by payment state, issuer and
// customer, and from which bills are created, opened, deleted, paid and
// printed. An MDI child of the main window named "fZoznamFaktur", made on
// demand by the menu and freed when closed.
#pragma once

#include "app/listreportvalues.h"
#include "db/overviews.h"

#include <QColor>
#include <QDate>
#include <optional>
#include <QSet>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace bralvo::platform {
class AllUpButtonGroup;
class KeyPreview;
class StringGrid;
}

namespace bralvo::app {

class TfFaktura;
class TfMain;

// The first and last day of a period: month 1-12, or 0 for the whole
// year. nullopt for a year outside 1900-2200.
std::optional<std::pair<QDate, QDate>> BillListPeriod(int year, int month);
// The free period's end moved into the start's year; 29.02 becomes 28.02
// in a year without it.
QDate MoveIntoYear(const QDate &date, int year);

// The amount columns of the listed bills: the total with the bill's
// currency, the amount left to pay with the home currency or "uhradené".
void FormatBillListAmounts(platform::StringGrid &grid);

// How one cell of the list is painted.
struct BillListCellLook {
    bool bold = false;
    QColor font;          // invalid: the grid's own colour
    QColor background;    // invalid: the grid's own background
};
// col 5 (left to pay) and 6 (total) of a bill row; freeAdvance: an
// advance bill not yet deducted on any bill.
BillListCellLook BillListCellStyle(int col, const QString &text, bool selected, bool freeAdvance);

class TfZoznamFaktur : public QWidget {
public:
    // What the payments button opens for a bill (id, number).
    using PaymentsOpener = std::function<void(const QString &billId, const QString &number)>;

    // The menu's opener: the window made, localized, captioned (UI text
    // 169), its filters filled and the first listing run.
    static TfZoznamFaktur *OpenInMdi(TfMain &main, TfFaktura &editor, PaymentsOpener payments);

    TfZoznamFaktur(TfMain &main, TfFaktura &editor, PaymentsOpener payments);

    // Handlers, named as the window binds them.
    void bitClearZoznamClick();    // refresh
    void rbZoznamFakturClick();    // the kind of bills listed
    void btnBackClick();           // the window's frame closed
    void sbJanuarClick();          // the period of the month buttons
    void bitOKClick();             // the free period
    void bitPridatFakturuClick();
    void sgFakturyDblClick();
    void bitZmazatFakturuClick();
    void bitUhradyFakturyClick();
    void bitTlacitZoznamFakturClick();
    // The bill list refreshed and the row of that number selected.
    void refreshAndSelect(const QString &number);

    // The last list SQL (BillListSql).
    QString billListSql() const { return m_billListSql; }
    // What the list report reads: the filters, the grid and the firm.
    ListReportData listReportData() const;

    QWidget *pnlMain;
    QTabWidget *pgTriedenie;
    QRadioButton *rbZoznamFaktur, *rbZoznamZalohovychFaktur;
    QToolButton *sbJanuar, *sbFebruar, *sbMarec, *sbApril, *sbMaj, *sbJun, *sbJul, *sbAugust, *sbSeptember,
        *sbOktober, *sbNovember, *sbDecember, *sbVsetkyMesiace;
    QSpinBox *eRok;
    QDateEdit *eDatumOD, *eDatumDO;
    QPushButton *bitOK;
    QRadioButton *rbVsetky, *rbNeuhradene, *rbPreuhradene, *rbUhradene;
    QComboBox *cbVystavil, *cbOdberatelovi;
    platform::StringGrid *sgFaktury;
    QPushButton *bitPridatFakturu, *bitZmazatFakturu, *bitUhradyFaktury, *bitTlacitZoznamFaktur, *btnBack,
        *bitClearZoznam;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;  // the grid scrolled to its end
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildFilters();
    void buildPeriod(QGroupBox *group);
    void buildGridAndButtons();
    void connectHandlers();
    void fillFilters();
    db::OverviewFilter filter() const;
    void markFreeAdvanceBills();
    bool paintCell(QPainter &painter, const QRect &rect, int col, int row, bool selected);
    QString yearText() const;
    int monthDown() const;
    void openEditor();

    TfMain &m_main;
    TfFaktura &m_editor;
    PaymentsOpener m_payments;
    platform::AllUpButtonGroup *m_months = nullptr;
    QList<QToolButton *> m_monthButtons;
    platform::KeyPreview *m_keys = nullptr;
    QString m_billListSql;
    QSet<int> m_freeAdvanceRows;   // rows of advance bills not yet deducted
    bool m_filling = false;
};

} // namespace bralvo::app
