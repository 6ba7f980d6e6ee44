// Printer command sets: the built-in text, the command set document and
// the process-wide list.
#include "report/engine/trpdmprinters.h"

#include "platform/conversionerror.h"
#include "platform/folders.h"
#include "platform/stream.h"
#include "report/model/reporterror.h"
#include "report/model/trpdmpcodes.h"
#include "report/model/trputils.h"
#include "report/model/trpxml.h"

#include <QDir>
#include <QFile>

namespace bralvo::report {

namespace {

const char *const fieldNames[DMPFieldCount] = {
    "Name", "Reset", "FormFeed", "Landscape", "Portrait", "BoldOn", "BoldOff", "ItalicOn",
    "ItalicOff", "UnderlineOn", "UnderlineOff", "SuperscriptOn", "SuperscriptOff",
    "SubscriptOn", "SubscriptOff", "CondensedOn", "CondensedOff", "WideOn", "WideOff",
    "cpi12On", "cpi12Off", "cpi15On", "cpi15Off"};

const char builtInSets[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<printers>"
    "<printer id=\"0\" Name=\"None\" FormFeed=\"0C\"/>"
    "<printer id=\"1\" Name=\"Epson Generic\" Inherit=\"0\" Reset=\"1B40\" BoldOn=\"1B45\""
    " BoldOff=\"1B46\" ItalicOn=\"1B34\" ItalicOff=\"1B35\" UnderlineOn=\"1B2D01\""
    " UnderlineOff=\"1B2D00\" SuperscriptOn=\"#27#83#01\" SuperscriptOff=\"#27#84\""
    " SubscriptOn=\"#27#83#00\" SubscriptOff=\"#27#84\" CondensedOn=\"0F\" CondensedOff=\"12\""
    " WideOn=\"1B5701\" WideOff=\"1B5700\" cpi12On=\"1B4D\" cpi12Off=\"1B50\" cpi15On=\"1B67\""
    " cpi15Off=\"1B50\"/>"
    "<printer id=\"2\" Name=\"HP Generic\" Inherit=\"0\" Reset=\"1B45\" Portrait=\"1B266C304F\""
    " Landscape=\"1B266C314F\" BoldOn=\"1B28733342\" BoldOff=\"1B28733042\""
    " ItalicOn=\"1B28733153\" ItalicOff=\"1B28733053\" UnderlineOn=\"1B26643144\""
    " UnderlineOff=\"1B266440\" SuperscriptOn=\"#27#38#97#45#46#53#82\""
    " SuperscriptOff=\"#27#38#97#43#46#53#82\" SubscriptOn=\"#27#38#97#43#46#53#82\""
    " SubscriptOff=\"#27#38#97#45#46#53#82\" CondensedOn=\"1B2873313648\""
    " CondensedOff=\"1B2873313048\" WideOn=\"1B28733548\" WideOff=\"1B2873313048\""
    " cpi12On=\"1B266B313048\" cpi12Off=\"1B266B313248\" cpi15On=\"\" cpi15Off=\"\"/>"
    "<printer id=\"3\" Name=\"IBM Generic\" Inherit=\"1\" Reset=\"\" cpi12On=\"1B3A\""
    " cpi12Off=\"12\" cpi15On=\"1B67\" cpi15Off=\"12\"/>"
    "</printers>";

int inheritIndex(const QString &text)
{
    bool ok = false;
    const int index = text.trimmed().toInt(&ok);
    if (!ok)
        throw platform::ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return index;
}

} // namespace

QString DMPFieldName(DMPField field)
{
    return QString::fromLatin1(fieldNames[int(field)]);
}

const platform::ClassInfo &TrpDMPrinter::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDMPrinter", &platform::CollectionItem::staticClass(),
        [](platform::Component *) { return new TrpDMPrinter; }, [](platform::PropertyTable &) {});
    return info;
}

QByteArray TrpDMPrinter::Command(DMPField field) const
{
    return field == DMPField::Name ? m_name.toLatin1() : m_commands[size_t(field)];
}

void TrpDMPrinter::SetCommand(DMPField field, const QByteArray &bytes)
{
    if (field == DMPField::Name)
        m_name = QString::fromLatin1(bytes);
    else
        m_commands[size_t(field)] = bytes;
}

void TrpDMPrinter::assign(const platform::Persistent &source)
{
    if (const auto *s = dynamic_cast<const TrpDMPrinter *>(&source)) {
        m_name = s->m_name;
        m_commands = s->m_commands;
    }
}

const platform::ClassInfo &TrpDMPrinters::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDMPrinters", &platform::Collection::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

TrpDMPrinters::TrpDMPrinters()
    : platform::Collection([](platform::Collection *c) { return new TrpDMPrinter(c); })
{
}

TrpDMPrinter *TrpDMPrinters::Add()
{
    return static_cast<TrpDMPrinter *>(add());
}

TrpDMPrinter *TrpDMPrinters::Items(int index) const
{
    return static_cast<TrpDMPrinter *>(item(index));
}

void TrpDMPrinters::LoadDefault()
{
    platform::MemoryStream stream{QByteArray(builtInSets)};
    TrpXMLDocument document;
    document.LoadFromStream(stream);
    LoadFromXML(document);
}

void TrpDMPrinters::applyItem(TrpDMPrinter *printer, const TrpXMLItem *element) const
{
    for (int f = 0; f < DMPFieldCount; ++f) {
        const QString name = QString::fromLatin1(fieldNames[f]);
        if (!element->PropExists(name))
            continue;
        if (f == 0)
            printer->SetName(element->Prop(name));
        else
            printer->SetCommand(DMPField(f), DecodeCommand(element->Prop(name)));
    }
}

void TrpDMPrinters::LoadFromXML(const TrpXMLDocument &document)
{
    TrpDMPrinters loaded;
    const TrpXMLItem *root = document.Root();
    for (int i = 0; i < root->Count(); ++i) {
        const TrpXMLItem *element = root->Items(i);
        TrpDMPrinter *printer = loaded.Add();
        const QString inherit = element->Prop(QStringLiteral("Inherit"));
        if (!inherit.isEmpty())
            printer->assign(*loaded.Items(inheritIndex(inherit)));
        applyItem(printer, element);
    }
    assign(loaded);
}

void TrpDMPrinters::LoadPrintersFile(const QString &folder)
{
    QFile file(QDir(folder).filePath(QStringLiteral("printers.xml")));
    if (!file.exists())
        return;
    try {
        if (!file.open(QIODevice::ReadOnly))
            throw ReportError(file.errorString());
        platform::MemoryStream stream(file.readAll());
        TrpXMLDocument document;
        document.LoadFromStream(stream);
        // A cut-off file would silently lose its last sets.
        if (document.TruncatedRead())
            throw TrpInvalidXMLException();
        LoadFromXML(document);
    } catch (const bralvo::Error &) {
        throw ReportError(QStringLiteral("Error in file printers.xml"));
    }
}

namespace {
QString printersFileError;
}

TrpDMPrinters &DMPrinters()
{
    static TrpDMPrinters printers;
    static const bool loaded = [] {
        printers.LoadDefault();
        try {
            printers.LoadPrintersFile(platform::programFolder());
        } catch (const bralvo::Error &e) {
            // The user's own sets are gone: say so, and go on with what loaded.
            printersFileError = e.userText();
            ShowLibraryErrorBox(printersFileError);
        }
        return true;
    }();
    (void)loaded;
    return printers;
}

QString DMPrintersFileError()
{
    DMPrinters();
    return printersFileError;
}

} // namespace bralvo::report
