// The printer's settings window. The library texts hold no words for
// paper, source and resolution; the window uses its own.
#include "report/preview/trpprinterproperties.h"

#include "platform/widgets/named.h"
#include "report/engine/trpprinters.h"
#include "report/model/trpresources.h"
#include "report/preview/mirroredgeometry.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace bralvo::report {

using platform::named;

namespace {
QString text(const char *key) { return GetResources().Get(QString::fromLatin1(key)); }
}

TrpPrinterProperties::TrpPrinterProperties(TrpCustomPrinter &printer, QWidget *parent)
    : QDialog(parent), m_printer(printer)
{
    setObjectName(QStringLiteral("TrpPrinterProperties"));
    setFixedSize(320, 154);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setWindowTitle(printer.Name());
    PaperL = named(new QLabel(QStringLiteral("Paper"), this), "PaperL");
    placeMirrored(PaperL, QRect(8, 12, 100, 16));
    PaperCB = named(new QComboBox(this), "PaperCB");
    placeMirrored(PaperCB, QRect(112, 8, 200, 21));
    SourceL = named(new QLabel(QStringLiteral("Paper source"), this), "SourceL");
    placeMirrored(SourceL, QRect(8, 38, 100, 16));
    SourceCB = named(new QComboBox(this), "SourceCB");
    placeMirrored(SourceCB, QRect(112, 34, 200, 21));
    DuplexL = named(new QLabel(text("216"), this), "DuplexL");
    placeMirrored(DuplexL, QRect(8, 64, 100, 16));
    DuplexCB = named(new QComboBox(this), "DuplexCB");
    placeMirrored(DuplexCB, QRect(112, 60, 200, 21));
    ResolutionL = named(new QLabel(QStringLiteral("Resolution"), this), "ResolutionL");
    placeMirrored(ResolutionL, QRect(8, 90, 100, 16));
    ResolutionV = named(new QLabel(this), "ResolutionV");
    placeMirrored(ResolutionV, QRect(112, 90, 200, 16));
    OkB = named(new QPushButton(text("1"), this), "OkB");
    OkB->setDefault(true);
    placeMirrored(OkB, QRect(156, 122, 75, 25));
    CancelB = named(new QPushButton(text("2"), this), "CancelB");
    placeMirrored(CancelB, QRect(237, 122, 75, 25));
    connect(OkB, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);

    // Paper and duplex follow each page of the report: shown, not chosen.
    for (const TrpCodeItem &paper : printer.PaperList())
        if (paper.Code != 256)
            PaperCB->addItem(paper.Name, paper.Code);
    PaperCB->setCurrentIndex(PaperCB->findData(printer.PaperCode()));
    PaperCB->setEnabled(false);
    DuplexCB->addItems({text("dupDefault"), text("dupVert"), text("dupHorz"), text("dupSimpl")});
    DuplexCB->setEnabled(false);
    ResolutionV->setText(QStringLiteral("%1 x %2 dpi").arg(printer.DPI().x()).arg(printer.DPI().y()));
    for (const TrpCodeItem &bin : printer.BinList())
        SourceCB->addItem(bin.Name, bin.Code);
    const int chosen = SourceCB->findData(printer.ChosenBin());
    SourceCB->setCurrentIndex(chosen >= 0 ? chosen : 0);
}

int TrpPrinterProperties::ChosenBin() const
{
    return SourceCB->currentData().toInt();
}

std::optional<int> ShowPrinterProperties(TrpCustomPrinter &printer)
{
    TrpPrinterProperties dialog(printer, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.ChosenBin();
}

} // namespace bralvo::report
