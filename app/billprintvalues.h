// What a printed bill shows: its one-row query, the editor's data the
// layouts read, and the answer to every bracketed name of the two bill
// layouts (page and dot-matrix). Plain functions of the data handed in,
// so the editor only collects its controls into BillPrintData.
#pragma once

#include "platform/variant.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

namespace bralvo::db { class TSQLiteTable; }

namespace bralvo::app {

// The bill's header row: issuer firm, user, customer, account and note
// joined to the bill with that id (quotes doubled). The text ends ") ".
QString BillPrintQuery(const QString &billId);

// The query's first row as lower-case column name -> text (a null
// cell is ""); empty without a row.
QHash<QString, QString> FirstRowTexts(const db::TSQLiteTable &table);

// The bill editor's state at print time.
struct BillPrintData {
    bool advance = false;          // BillIsAdvance
    bool showsVat = true;          // BillShowsVat
    QString language;              // text of cbJazyk
    // Cell text of the lines grid (column, grid row); rows start at 1.
    std::function<QString(int column, int row)> lineCell;
    QString suma1Left, suma2Right, sumaCelkom, sumaKUhrade;  // the summary labels
    QString secondaryKUhrade;      // lblSecondaryKUhrade
    QString foreignIso;            // cbCudziaMenaIso
    QString rate;                  // eKurz as typed
    bool inForeignCurrency = false;  // chbFakturovatVCudzejMene
    bool inTwoCurrencies = false;    // chbFakturovatVDvochMenach
    QString homeIso;               // HomeCurrencyIso
    QHash<QString, QString> row;   // PrintedBillRow (FirstRowTexts)
};

// Answers name for the bill layouts: sets value and gives true, or
// leaves value untouched and gives false. recNo is the line dataset's
// current record (0-based). Names compare case-sensitively.
bool BillPrintValue(const BillPrintData &data, int recNo, const QString &name, platform::Variant &value);

} // namespace bralvo::app
