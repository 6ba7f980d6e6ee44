// Printer command sets of the dot-matrix export: one set per printer
// family, held in one process-wide list filled from a built-in XML text
// and then from "printers.xml" beside the executable. The export's
// EscModel is an index into that list.
#pragma once

#include "platform/collection.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace bralvo::report {

class TrpXMLDocument;
class TrpXMLItem;

// The 23 fields in file order; field 0 is Name, the rest are raw bytes.
enum class DMPField {
    Name, Reset, FormFeed, Landscape, Portrait, BoldOn, BoldOff, ItalicOn, ItalicOff,
    UnderlineOn, UnderlineOff, SuperscriptOn, SuperscriptOff, SubscriptOn, SubscriptOff,
    CondensedOn, CondensedOff, WideOn, WideOff, cpi12On, cpi12Off, cpi15On, cpi15Off
};
inline constexpr int DMPFieldCount = 23;

// The XML attribute name of a field ("Name", "Reset", ... "cpi15Off").
QString DMPFieldName(DMPField field);

class TrpDMPrinter : public platform::CollectionItem {
    BRALVO_CLASS(TrpDMPrinter)
public:
    explicit TrpDMPrinter(platform::Collection *collection = nullptr)
        : platform::CollectionItem(collection) {}

    QString Name() const { return m_name; }
    void SetName(const QString &name) { m_name = name; }
    // The bytes of a command field; Name gives its text as Latin-1.
    QByteArray Command(DMPField field) const;
    void SetCommand(DMPField field, const QByteArray &bytes);

    // From another TrpDMPrinter: all 23 fields; from anything else nothing.
    void assign(const platform::Persistent &source) override;

private:
    QString m_name;
    std::array<QByteArray, DMPFieldCount> m_commands;
};

class TrpDMPrinters : public platform::Collection {
    BRALVO_CLASS(TrpDMPrinters)
public:
    TrpDMPrinters();  // empty

    TrpDMPrinter *Add();
    // Throws platform::ListIndexError outside 0..Count-1.
    TrpDMPrinter *Items(int index) const;
    int Count() const { return count(); }

    // The built-in sets: "None", "Epson Generic", "HP Generic",
    // "IBM Generic". Never fails.
    void LoadDefault();
    // Replaces the list with the sets of Document: one set per child of
    // the root, by position. An "Inherit" index copies an earlier set (or
    // the set itself) first; present attributes then overwrite fields,
    // an empty one clearing an inherited command.
    // Throws (ConversionError for a bad code or Inherit, ReportError for
    // an Inherit index not yet loaded) and then leaves the list as it was:
    // a half-applied file would give sets that match no printer.
    void LoadFromXML(const TrpXMLDocument &document);
    // Applies the file "printers.xml" in Folder when it exists (a missing
    // file is no error and changes nothing). Throws ReportError "Error in
    // file printers.xml" for any failure, leaving the list as it was; the
    // caller shows the text and carries on.
    void LoadPrintersFile(const QString &folder);

private:
    void applyItem(TrpDMPrinter *printer, const TrpXMLItem *element) const;
};

// The process-wide list: on first use the built-in sets, then
// "printers.xml" from the program's folder; a broken file is reported in
// an error box then. DMPrintersFileError gives that text ("" when the
// file loaded or is missing).
TrpDMPrinters &DMPrinters();
QString DMPrintersFileError();

} // namespace bralvo::report
