// Dot-matrix printer command sets: the code texts, the built-in sets as
// worked examples, and command set files (good, malformed, unsafe codes).
#include "report/engine/trpdmprinters.h"

#include "platform/conversionerror.h"
#include "platform/persistent.h"
#include "platform/stream.h"
#include "report/model/trpdmpcodes.h"
#include "report/model/trpxml.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace bralvo::report;

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

struct CodeCase {
    const char *text;
    const char *bytes;
};

TEST(DecodeCommand, WorkedExamples)
{
    const CodeCase cases[] = {
        {"", ""},
        {"1B40", "1B 40"},
        {"1b2d01", "1B 2D 01"},
        {"#27#64", "1B 40"},
        {"#27#83#01", "1B 53 01"},
        {"#27", "1B"},
        {"1B4", "1B"},  // an odd last digit is ignored
        {"#0#255", "00 FF"},
    };
    for (const CodeCase &c : cases)
        EXPECT_EQ(DecodeCommand(QString::fromLatin1(c.text)), hex(c.bytes)) << c.text;
}

TEST(DecodeCommand, RejectsMalformedCodes)
{
    for (const char *text : {"#", "#27#", "#27#x", "#-1", "#+5", "#1 ", "1G", "1B 40", "+1"})
        EXPECT_THROW(DecodeCommand(QString::fromLatin1(text)), bralvo::platform::ConversionError) << text;
}

TEST(DecodeCommand, CodeAbove255IsRejectedNotTruncated)
{
    // 283 would otherwise become 0x1B, an escape nobody wrote.
    EXPECT_THROW(DecodeCommand(QStringLiteral("#283")), bralvo::platform::ConversionError);
    EXPECT_THROW(DecodeCommand(QStringLiteral("#27#99999999999")), bralvo::platform::ConversionError);
}

// The four built-in sets, bytes in hex ("" = none).
const char *const builtIn[DMPFieldCount - 1][4] = {
    {"", "1B40", "1B45", ""},                                  // Reset
    {"0C", "0C", "0C", "0C"},                                  // FormFeed
    {"", "", "1B266C314F", ""},                                // Landscape
    {"", "", "1B266C304F", ""},                                // Portrait
    {"", "1B45", "1B28733342", "1B45"},                        // BoldOn
    {"", "1B46", "1B28733042", "1B46"},                        // BoldOff
    {"", "1B34", "1B28733153", "1B34"},                        // ItalicOn
    {"", "1B35", "1B28733053", "1B35"},                        // ItalicOff
    {"", "1B2D01", "1B26643144", "1B2D01"},                    // UnderlineOn
    {"", "1B2D00", "1B266440", "1B2D00"},                      // UnderlineOff
    {"", "1B5301", "1B26612D2E3552", "1B5301"},                // SuperscriptOn
    {"", "1B54", "1B26612B2E3552", "1B54"},                    // SuperscriptOff
    {"", "1B5300", "1B26612B2E3552", "1B5300"},                // SubscriptOn
    {"", "1B54", "1B26612D2E3552", "1B54"},                    // SubscriptOff
    {"", "0F", "1B2873313648", "0F"},                          // CondensedOn
    {"", "12", "1B2873313048", "12"},                          // CondensedOff
    {"", "1B5701", "1B28733548", "1B5701"},                    // WideOn
    {"", "1B5700", "1B2873313048", "1B5700"},                  // WideOff
    {"", "1B4D", "1B266B313048", "1B3A"},                      // cpi12On
    {"", "1B50", "1B266B313248", "12"},                        // cpi12Off
    {"", "1B67", "", "1B67"},                                  // cpi15On
    {"", "1B50", "", "12"},                                    // cpi15Off
};

TEST(TrpDMPrinters, BuiltInSetsMatchTheTable)
{
    TrpDMPrinters printers;
    printers.LoadDefault();
    ASSERT_EQ(printers.Count(), 4);
    const char *names[] = {"None", "Epson Generic", "HP Generic", "IBM Generic"};
    for (int set = 0; set < 4; ++set) {
        EXPECT_EQ(printers.Items(set)->Name(), QString::fromLatin1(names[set]));
        for (int f = 1; f < DMPFieldCount; ++f)
            EXPECT_EQ(printers.Items(set)->Command(DMPField(f)), hex(builtIn[f - 1][set]))
                << names[set] << " " << DMPFieldName(DMPField(f)).toStdString();
    }
}

TEST(TrpDMPrinters, ItemsOutsideTheListRaise)
{
    TrpDMPrinters printers;
    printers.LoadDefault();
    EXPECT_THROW(printers.Items(4), bralvo::platform::ListIndexError);
    EXPECT_THROW(printers.Items(-1), bralvo::platform::ListIndexError);
}

TEST(TrpDMPrinter, AssignCopiesAllFieldsFromAPrinterOnly)
{
    TrpDMPrinters printers;
    printers.LoadDefault();
    TrpDMPrinter copy;
    copy.assign(*printers.Items(2));
    EXPECT_EQ(copy.Name(), QStringLiteral("HP Generic"));
    EXPECT_EQ(copy.Command(DMPField::Landscape), hex("1B266C314F"));
    copy.assign(printers);  // not a printer: nothing happens
    EXPECT_EQ(copy.Name(), QStringLiteral("HP Generic"));
}

class PrintersFile : public ::testing::Test {
protected:
    void write(const QByteArray &content)
    {
        QFile f(m_dir.filePath(QStringLiteral("printers.xml")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QTemporaryDir m_dir;
    TrpDMPrinters m_printers;
};

TEST_F(PrintersFile, ReplacesTheBuiltInSetsByPosition)
{
    m_printers.LoadDefault();
    write("<?xml version=\"1.0\" encoding=\"utf-8\"?><printers>"
          "<printer id=\"7\" Name=\"Base\" Reset=\"#27#64\" FormFeed=\"0c\"/>"
          "<p id=\"3\" Inherit=\"0\"/>"
          "<printer id=\"1\" Name=\"Quiet\" Inherit=\"1\" Reset=\"\" BoldOn=\"1B45\"/>"
          "</printers>");
    m_printers.LoadPrintersFile(m_dir.path());
    ASSERT_EQ(m_printers.Count(), 3);
    EXPECT_EQ(m_printers.Items(1)->Name(), QStringLiteral("Base"));  // a copy, name included
    EXPECT_EQ(m_printers.Items(1)->Command(DMPField::Reset), hex("1B40"));
    EXPECT_EQ(m_printers.Items(2)->Command(DMPField::Reset), QByteArray());
    EXPECT_EQ(m_printers.Items(2)->Command(DMPField::FormFeed), hex("0C"));
    EXPECT_EQ(m_printers.Items(2)->Command(DMPField::BoldOn), hex("1B45"));
}

TEST_F(PrintersFile, MissingFileChangesNothing)
{
    m_printers.LoadDefault();
    EXPECT_NO_THROW(m_printers.LoadPrintersFile(m_dir.path()));
    EXPECT_EQ(m_printers.Count(), 4);
}

TEST_F(PrintersFile, FailedFileKeepsTheSetsItHad)
{
    const QByteArray bad[] = {
        "<printers><printer Name=\"A\"",                                      // cut off
        "<printers><printer Name=\"A\"/><printer Inherit=\"x\"/></printers>",  // Inherit not a number
        "<printers><printer Name=\"A\"/><printer Inherit=\"5\"/></printers>",  // Inherit not loaded yet
        "<printers><printer Name=\"A\" Reset=\"1X\"/></printers>",            // bad hex
        "<printers><printer Name=\"A\" Reset=\"#\"/></printers>",             // empty decimal code
        "<printers><printer Name=\"A\" Reset=\"#283\"/></printers>",          // code above 255
    };
    for (const QByteArray &content : bad) {
        m_printers.LoadDefault();
        write(content);
        try {
            m_printers.LoadPrintersFile(m_dir.path());
            ADD_FAILURE() << content.constData();
        } catch (const bralvo::Error &e) {
            EXPECT_EQ(e.userText(), QStringLiteral("Error in file printers.xml"));
        }
        // No half-applied file: the built-in sets stay whole.
        ASSERT_EQ(m_printers.Count(), 4) << content.constData();
        EXPECT_EQ(m_printers.Items(0)->Name(), QStringLiteral("None"));
        EXPECT_EQ(m_printers.Items(1)->Command(DMPField::Reset), hex("1B40"));
    }
}

TEST(TrpDMPrinters, LoadFromXMLInheritingItselfKeepsAnEmptySet)
{
    bralvo::platform::MemoryStream stream(QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?><printers><printer Inherit=\"0\" BoldOn=\"1B45\"/></printers>"));
    TrpXMLDocument document;
    document.LoadFromStream(stream);
    TrpDMPrinters printers;
    printers.LoadFromXML(document);
    ASSERT_EQ(printers.Count(), 1);
    EXPECT_EQ(printers.Items(0)->Name(), QString());
    EXPECT_EQ(printers.Items(0)->Command(DMPField::BoldOn), hex("1B45"));
    EXPECT_EQ(printers.Items(0)->Command(DMPField::FormFeed), QByteArray());
}

TEST(DMPrinters, GlobalListHoldsTheBuiltInSets)
{
    // The test program's folder has no printers.xml.
    EXPECT_EQ(DMPrinters().Count(), 4);
    EXPECT_EQ(DMPrinters().Items(3)->Name(), QStringLiteral("IBM Generic"));
    EXPECT_EQ(DMPrintersFileError(), QString());
}

} // namespace
