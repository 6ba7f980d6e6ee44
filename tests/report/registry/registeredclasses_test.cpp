// The report reader creates every registered report class from a file,
// and an unknown class name costs only that element.
#include "platform/classregistry.h"
#include "platform/stream.h"
#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trpdialogpage.h"
#include "report/model/trpdotmatrix.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trpview.h"
#include "report/registry/trpobjectregistry.h"

#include <gtest/gtest.h>
#include <memory>

using namespace bralvo::report;
namespace platform = bralvo::platform;

namespace {

// Elements by where a class belongs: pages under the report, bands on a
// page, views in a band, data components on the data page, dialog
// objects on the dialog page, dot-matrix objects on the dot-matrix page.
struct Layout {
    QStringList pages, bands, views, data, dialog, dmp;
    QStringList all;
};

Layout layoutOfRegisteredClasses()
{
    Layout l;
    for (const platform::ClassInfo *c : platform::registeredClasses()) {
        if (!c->create || !c->inheritsFrom(TrpComponent::staticClass()) || c == &TrpReport::staticClass())
            continue;
        const TrpObjectItem *item = GetObjectRegistry().FindItem(c);
        QStringList *slot = &l.views;
        if (c->inheritsFrom(TrpPage::staticClass()))
            slot = &l.pages;
        else if (c->inheritsFrom(TrpBand::staticClass()))
            slot = &l.bands;
        else if (item && (item->Categories & ocDMP))
            slot = &l.dmp;
        else if (classDescendsFrom(*c, QStringLiteral("TrpDataSet")) ||
                 classDescendsFrom(*c, QStringLiteral("TrpCustomDatabase")))
            slot = &l.data;
        else if (classDescendsFrom(*c, QStringLiteral("TrpDialogControl")) ||
                 classDescendsFrom(*c, QStringLiteral("TrpDialogComponent")))
            slot = &l.dialog;
        slot->append(c->name);
        l.all.append(c->name);
    }
    return l;
}

QString elements(const QStringList &classes, const QString &prefix)
{
    QString xml;
    for (const QString &c : classes)
        xml += QStringLiteral("<%1 Name=\"%2%1\"/>").arg(c, prefix);
    return xml;
}

QByteArray reportXml(const Layout &l, const QString &extra)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\"?><TrpReport>");
    xml += QStringLiteral("<TrpDataPage Name=\"DataHost\">") + elements(l.data, QStringLiteral("O")) +
           QStringLiteral("</TrpDataPage>");
    xml += QStringLiteral("<TrpDialogPage Name=\"DialogHost\">") + elements(l.dialog, QStringLiteral("O")) +
           QStringLiteral("</TrpDialogPage>");
    xml += QStringLiteral("<TrpDMPPage Name=\"DMPHost\"><TrpMasterData Name=\"DMPBand\">") +
           elements(l.dmp, QStringLiteral("O")) + QStringLiteral("</TrpMasterData></TrpDMPPage>");
    xml += QStringLiteral("<TrpReportPage Name=\"PageHost\">") + elements(l.bands, QStringLiteral("O"));
    xml += QStringLiteral("<TrpMasterData Name=\"BandHost\">") + elements(l.views, QStringLiteral("O")) + extra +
           QStringLiteral("</TrpMasterData></TrpReportPage>");
    xml += elements(l.pages, QStringLiteral("O")) + QStringLiteral("</TrpReport>");
    return xml.toUtf8();
}

std::unique_ptr<TrpReport> loaded(const QByteArray &bytes)
{
    auto report = std::make_unique<TrpReport>(nullptr);
    report->EngineOptions()->SetNewSilentMode(simSilent);
    platform::MemoryStream stream(bytes);
    report->LoadFromStream(stream);
    return report;
}

void expectEveryObject(TrpReport &report, const Layout &l)
{
    for (const QString &c : l.all) {
        TrpComponent *obj = report.FindObject(QStringLiteral("O") + c);
        ASSERT_NE(obj, nullptr) << c.toStdString();
        EXPECT_EQ(obj->className(), c);
    }
}

} // namespace

TEST(RegisteredClasses, AReportNamingEveryRegisteredClassLoads)
{
    TrpReport startUp(nullptr); // registers the report classes
    const Layout l = layoutOfRegisteredClasses();
    for (const char *expected : {"TrpMemoView", "TrpMasterData", "TrpDMPMemoView", "TrpDMPCommand",
                                 "TrpDMPLineView", "TrpUserDataSet", "TrpDialogPage", "TrpShapeView"})
        EXPECT_TRUE(l.all.contains(QString::fromLatin1(expected))) << expected;
    auto report = loaded(reportXml(l, QString()));
    EXPECT_TRUE(report->ErrorList().isEmpty()) << report->ErrorList().text().toStdString();
    expectEveryObject(*report, l);
}

TEST(RegisteredClasses, AnUnknownClassIsReportedAndTheRestLoads)
{
    TrpReport startUp(nullptr);
    const Layout l = layoutOfRegisteredClasses();
    auto report = loaded(reportXml(l, QStringLiteral("<TrpNoSuchView Name=\"Lost\"/>")));
    EXPECT_EQ(report->ErrorList().toStringList(), QStringList{QStringLiteral("Cannot find class TrpNoSuchView")});
    EXPECT_EQ(report->FindObject(QStringLiteral("Lost")), nullptr);
    expectEveryObject(*report, l);
}
