// The bill editor's own fields as a user meets them: the payment and
// constant-symbol lists of the language, drop-down widths, the ISO code
// list link, the currency code chosen from the list, Enter in the payment
// date, the typed rate followed at once and printed, and domestic bills
// without a made-up second currency.
#include "tests/app/billsfixture.h"

#include "platform/messageboxseam.h"
#include "platform/widgets/maskeddateedit.h"
#include "services/settings.h"
#include "services/uitexts.h"

#include <QAbstractItemView>
#include <QDateEdit>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QTest>
#include <QUrl>

namespace bralvo::test {
namespace {

const QString kCustomer = "O'Neil s.r.o. - 12345678";

// Stands in for the browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder() { QDesktopServices::setUrlHandler("https", this, "open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler("https"); }
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

// Keeps what the editor hands to the printer.
class KeepingBillPrinter : public app::BillPrinter {
public:
    explicit KeepingBillPrinter(std::vector<app::BillPrintData> &kept) : m_kept(kept) {}
    void printBill(const app::BillPrintout &bill) override { m_kept.push_back(bill.data); }
    void printBillList(const app::BillListPrintout &) override {}

private:
    std::vector<app::BillPrintData> &m_kept;
};

class BillEditorFields : public BillsFixture {
protected:
    // A new bill opened from the list; action runs while it is shown and
    // must leave it unchanged or close it.
    void withNewBill(const std::function<void(app::TfFaktura &)> &action)
    {
        app::TfZoznamFaktur &list = openList();
        bool ran = false;
        onModal("fFaktura", [&](QWidget &) {
            ran = true;
            app::TfFaktura &bill = editor();
            QApplication::setActiveWindow(&bill);
            action(bill);
            if (bill.isVisible()) {
                bill.setModified(false);
                bill.reject();
            }
        });
        list.bitPridatFakturuClick();
        EXPECT_TRUE(ran);
    }
    void chooseCustomer(app::TfFaktura &bill)
    {
        bill.cbOdberatel->setCurrentIndex(bill.cbOdberatel->findText(kCustomer));
        bill.cbOdberatelClick();
    }
    void addOneOffLine(app::TfFaktura &bill, const char *price)
    {
        onModal("fSimplePolozka", [&, price](QWidget &) {
            simpleLine().eNazov->setText("Servis");
            simpleLine().eCena->setText(price);
            simpleLine().bitAddItemClick();
        });
        bill.bitAddSimpleItemClick();
    }
    static QStringList items(const QComboBox &combo)
    {
        QStringList list;
        for (int i = 0; i < combo.count(); ++i)
            list << combo.itemText(i);
        return list;
    }
};

TEST_F(BillEditorFields, PaymentListsFollowTheLanguageOnEveryShowing)
{
    services::WriteSetting("Faktura", "LastKS", "0308 - Platby za služby");
    withNewBill([](app::TfFaktura &) {});
    // A language loaded later fills two of the "-" slots.
    services::UiTextTable()[268] = QString::fromUtf8("kartou");
    services::UiTextTable()[276] = QString::fromUtf8("0558 - Iné platby");
    withNewBill([&](app::TfFaktura &bill) {
        EXPECT_EQ(items(*bill.cbFormaUhrady),
                  (QStringList{services::MessageText(265), services::MessageText(266), services::MessageText(267),
                               "kartou"}));
        EXPECT_EQ(bill.cbKS->count(), 7);
        EXPECT_EQ(bill.cbKS->itemText(6), QString::fromUtf8("0558 - Iné platby"));
        EXPECT_EQ(bill.cbKS->currentText(), QString::fromUtf8("0308 - Platby za služby"));
        EXPECT_FALSE(bill.bitPrint->isEnabled());
    });
}

TEST_F(BillEditorFields, DropDownsFitTheirLongestEntryOnEntering)
{
    services::UiTextTable()[268] = QString(120, QLatin1Char('m'));
    withNewBill([&](app::TfFaktura &bill) {
        for (QComboBox *combo : {bill.cbFormaUhrady, bill.cbKS, bill.cbJazyk, bill.cbPoznamka, bill.cbUcet,
                                 bill.cbOdberatel}) {
            combo->setFocus();
            QTest::qWait(5);
            int widest = combo->width();
            for (const QString &text : items(*combo))
                widest = qMax(widest, QFontMetrics(combo->font()).horizontalAdvance(text) + 24);
            EXPECT_GE(combo->view()->minimumWidth(), widest) << combo->objectName().toStdString();
        }
        EXPECT_GT(bill.cbFormaUhrady->view()->minimumWidth(), bill.cbFormaUhrady->width());
    });
}

TEST_F(BillEditorFields, IsoLinkOpensTheCodeListAndShowsItIsALink)
{
    UrlRecorder browser;
    withNewBill([&](app::TfFaktura &bill) {
        bill.chbFakturovatVCudzejMene->setChecked(true);
        auto &link = child<QLabel>(bill, "Label12");
        EXPECT_TRUE(link.font().underline());
        EXPECT_FALSE(link.toolTip().isEmpty());
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&link, &enter);
        EXPECT_FALSE(link.font().underline());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&link, &leave);
        EXPECT_TRUE(link.font().underline());
        QTest::mousePress(&link, Qt::LeftButton);
        ASSERT_EQ(browser.opened.size(), 1);
        EXPECT_EQ(browser.opened[0], QUrl(link.toolTip()));
        EXPECT_TRUE(browser.opened[0].host().endsWith("iso.org"));
        bill.chbFakturovatVCudzejMene->setChecked(false);
    });
}

TEST_F(BillEditorFields, CodeChosenFromTheListOffersItsRate)
{
    withNewBill([&](app::TfFaktura &bill) {
        bill.chbFakturovatVCudzejMene->setChecked(true);
        m_boxes.answerBox(platform::kIdNo);
        bill.cbCudziaMenaIso->setCurrentIndex(3);
        emit bill.cbCudziaMenaIso->activated(3);
        ASSERT_EQ(m_boxes.boxes().size(), 1u);
        EXPECT_EQ(m_boxes.boxes()[0].flags, 36);
        EXPECT_EQ(m_boxes.boxes()[0].text,
                  services::FillPlaceholders(services::MessageText(174),
                                             {"USD", bill.eDatumVystavenia->date().toString("dd.MM.yyyy")}));
    });
}

TEST_F(BillEditorFields, EnterInPaymentDateDropsTheCustomerListDown)
{
    withNewBill([&](app::TfFaktura &bill) {
        bill.eDatumPlatby->setFocus();
        QTest::keyClick(bill.eDatumPlatby, Qt::Key_Return);
        EXPECT_TRUE(bill.cbOdberatel->view()->isVisible());
        EXPECT_EQ(bill.focusWidget(), bill.cbOdberatel);
        EXPECT_EQ(bill.cbOdberatel->currentText(), kCustomer);
        bill.cbOdberatel->hidePopup();
    });
}

// Typing a rate recomputes at once, so saving and printing straight away
// prints the rate line and the second amount of that rate.
TEST_F(BillEditorFields, TypedRateIsFollowedAtOnceAndPrinted)
{
    std::vector<app::BillPrintData> printed;
    app::setBillPrinter(std::make_unique<KeepingBillPrinter>(printed));
    QString before, typed, recomputed;
    withNewBill([&](app::TfFaktura &bill) {
        chooseCustomer(bill);
        addOneOffLine(bill, "1000");
        before = bill.lblSecondaryKUhrade->text();
        bill.eKurzCudzia->setText("1,0000");
        bill.eKurzDomaca->setText("40,0000");
        typed = bill.lblSecondaryKUhrade->text();
        bill.PrepocitajFakturu();
        recomputed = bill.lblSecondaryKUhrade->text();
        bill.bitSaveAndPrintClick();
    });
    EXPECT_FALSE(before.isEmpty());
    EXPECT_NE(typed, before);
    EXPECT_EQ(typed, recomputed);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].rate, "40,00000000");
    EXPECT_EQ(printed[0].secondaryKUhrade, recomputed);
    EXPECT_EQ(value("SELECT printf('%.2f', kurz) FROM faktury"), "40.00");
}

TEST_F(BillEditorFields, DomesticBillGetsNoSecondCurrencyEqualToTheHomeOne)
{
    const struct {
        const char *homeIso, *secondIso;
        bool twoCurrencies;
    } cases[] = {{"EUR", "EUR", false}, {"EUR", "eur", false}, {"SKK", "EUR", true}, {"CZK", "EUR", true}};
    for (const auto &c : cases) {
        services::WriteSetting("Mena", "DomacaMenaIso", c.homeIso);
        services::WriteSetting("Mena", "CudziaMenaIso", c.secondIso);
        withNewBill([&](app::TfFaktura &bill) {
            chooseCustomer(bill);
            addOneOffLine(bill, "100");
            const std::string name = std::string(c.homeIso) + "/" + c.secondIso;
            EXPECT_EQ(bill.chbFakturovatVCudzejMene->isChecked(), c.twoCurrencies) << name;
            EXPECT_EQ(bill.chbFakturovatVDvochMenach->isChecked(), c.twoCurrencies) << name;
            EXPECT_EQ(bill.lblSecondaryKUhrade->text().isEmpty(), !c.twoCurrencies) << name;
            EXPECT_EQ(bill.eKurz->text().isEmpty(), !c.twoCurrencies) << name;
        });
    }
}

} // namespace
} // namespace bralvo::test

#include "billeditorfields_test.moc"
