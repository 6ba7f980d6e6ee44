// The items window: layout, handlers and the typing aids.
#include "app/tfpolozky.h"
#include "app/numberfields.h"
#include "services/numberinput.h"

#include "app/guardedcall.h"
#include "app/recordkeys.h"
#include "app/tfkategoriepoloziek.h"
#include "db/billhelpers.h"
#include "db/items.h"
#include "db/lookups.h"
#include "db/namelists.h"
#include "db/retiring.h"
#include "platform/formatfloat.h"
#include "platform/regionalsettings.h"
#include "platform/widgets/keypreview.h"
#include "platform/widgets/named.h"
#include "services/backup.h"
#include "services/globals.h"
#include "services/gridhelpers.h"
#include "services/listhelpers.h"
#include "services/messages.h"
#include "services/numbers.h"
#include "services/shellopen.h"
#include "services/uitexts.h"
#include "services/windowhelpers.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace bralvo::app {

using platform::named;

namespace {

constexpr int kColorSlot = 7;
const char kMemoHint[] = "(CTRL+ENTER = ďaľší riadok v poznámke)";

QLineEdit *edit(QWidget *parent, const char *name, int maxLength, const QRect &geometry)
{
    auto *field = named(new QLineEdit(parent), name);
    if (maxLength > 0)
        field->setMaxLength(maxLength);
    field->setGeometry(geometry);
    return field;
}

QLabel *label(QWidget *parent, const char *name, const char *text, const QRect &geometry)
{
    auto *caption = named(new QLabel(QString::fromUtf8(text), parent), name);
    caption->setGeometry(geometry);
    return caption;
}

} // namespace

void CentreOver(QWidget &dialog, const QWidget &over)
{
    const QRect frame = over.frameGeometry();
    dialog.move(frame.left() + (frame.width() - dialog.width()) / 2,
                frame.top() + (frame.height() - dialog.height()) / 2);
}

TfPolozky::TfPolozky(QWidget &main, TfKategoriePoloziek &categories)
    : QDialog(&main), m_main(main), m_categories(categories)
{
    setObjectName(QStringLiteral("fPolozky"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(760, 440);
    buildControls();
    connectHandlers();
    m_keys = new platform::KeyPreview(this);
    m_keys->setHelpHandler([] { services::ShowHelpTopic(QStringLiteral("sprava_poloziek")); });
    watchControls();  // after KeyPreview: the window's own keys come first
}

void TfPolozky::buildControls()
{
    GroupBox1 = named(new QGroupBox(QStringLiteral("Položka"), this), "GroupBox1");
    GroupBox1->setGeometry(8, 8, 440, 424);
    bitClearValues = named(new QPushButton(QString::fromUtf8("Vyčistiť políčka pre zadávanie novej položky"),
                                           GroupBox1), "bitClearValues");
    bitClearValues->setGeometry(12, 20, 416, 28);
    Label1 = label(GroupBox1, "Label1", "Názov", {12, 54, 200, 16});
    eNazov = edit(GroupBox1, "eNazov", 0, {12, 70, 416, 23});
    Label2 = label(GroupBox1, "Label2", "Kód", {12, 98, 200, 16});
    eKod = edit(GroupBox1, "eKod", 70, {12, 114, 200, 23});
    Label3 = label(GroupBox1, "Label3", "Kategória", {12, 142, 200, 16});
    cbKategoria = named(new QComboBox(GroupBox1), "cbKategoria");
    cbKategoria->setMaxVisibleItems(10);
    cbKategoria->setGeometry(12, 158, 270, 23);
    bitSpravaKategorii = named(new QPushButton(QString::fromUtf8("Správa kategórií"), GroupBox1),
                               "bitSpravaKategorii");
    bitSpravaKategorii->setGeometry(290, 156, 138, 27);
    Label4 = label(GroupBox1, "Label4", "Merná jednotka", {12, 188, 120, 16});
    eMernaJednotka = edit(GroupBox1, "eMernaJednotka", 15, {12, 204, 100, 23});
    Label5 = label(GroupBox1, "Label5", "DPH", {140, 188, 80, 16});
    eDPH = edit(GroupBox1, "eDPH", 15, {140, 204, 70, 23});
    Label6 = label(GroupBox1, "Label6", "%", {214, 208, 16, 16});
    Label7 = label(GroupBox1, "Label7", "Cena", {240, 188, 80, 16});
    eCena = edit(GroupBox1, "eCena", 15, {240, 204, 90, 23});
    Label8 = label(GroupBox1, "Label8", "za", {334, 208, 16, 16});
    eZaMJ = edit(GroupBox1, "eZaMJ", 15, {352, 204, 50, 23});
    eZaMJ->setText(QStringLiteral("1"));
    Label9 = label(GroupBox1, "Label9", "MJ", {406, 208, 24, 16});
    Label10 = label(GroupBox1, "Label10", "Interná poznámka", {12, 234, 200, 16});
    mInternaPoznamka = named(new QPlainTextEdit(GroupBox1), "mInternaPoznamka");
    mInternaPoznamka->setGeometry(12, 250, 416, 90);
    mInternaPoznamka->setToolTip(QString::fromUtf8(kMemoHint));
    Label11 = label(GroupBox1, "Label11", kMemoHint, {12, 342, 416, 16});
    bitAddItem = named(new QPushButton(QString::fromUtf8("Pridať / uložiť položku"), GroupBox1), "bitAddItem");
    bitAddItem->setGeometry(12, 364, 416, 28);
    bitDeleteItem = named(new QPushButton(QString::fromUtf8("Zmazať označenú položku"), this), "bitDeleteItem");
    bitDeleteItem->setGeometry(456, 404, 296, 28);
    lbPolozky = named(new QListWidget(this), "lbPolozky");
    lbPolozky->setGeometry(456, 14, 296, 384);
}

void TfPolozky::connectHandlers()
{
    connect(lbPolozky, &QListWidget::itemClicked, this, [this] { RunGuarded([this] { lbPolozkyClick(); }); });
    connect(bitAddItem, &QPushButton::clicked, this, [this] { RunGuarded([this] { bitAddItemClick(); }); });
    connect(bitClearValues, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { bitClearValuesClick(); }); });
    connect(bitDeleteItem, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { bitDeleteItemClick(); }); });
    connect(bitSpravaKategorii, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { bitSpravaKategoriiClick(); }); });
}

void TfPolozky::watchControls()
{
    for (QWidget *control : findChildren<QWidget *>())
        if (qobject_cast<QLineEdit *>(control) || qobject_cast<QPushButton *>(control) ||
            control == lbPolozky || control == mInternaPoznamka || control == cbKategoria)
            control->installEventFilter(this);
}

int TfPolozky::OpenModal(QWidget &opener)
{
    CentreOver(*this, opener);
    setWindowTitle(services::ProgramTitle + QStringLiteral(" - ") + services::MessageText(151));
    FillItemList();
    bitClearValuesClick();
    return exec();
}

void TfPolozky::FillItemList()
{
    QStringList names;
    db::FillItemNameList(names, QString());
    lbPolozky->clear();
    lbPolozky->addItems(names);
}

QString TfPolozky::selectedName() const
{
    const QListWidgetItem *item = lbPolozky->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void TfPolozky::lbPolozkyClick()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    const std::optional<db::ItemFormValues> item = db::LoadItemForm(name);
    if (!item)
        return;
    eNazov->setText(item->name);
    eKod->setText(item->code);
    cbKategoriaEnter();
    const int category = item->category.isEmpty() ? -1 : cbKategoria->findText(item->category);
    cbKategoria->setCurrentIndex(category < 0 ? 0 : category);
    eMernaJednotka->setText(item->unit);
    eDPH->setText(item->vatRate);
    eCena->setText(item->price);
    eZaMJ->setText(item->perUnit);
    mInternaPoznamka->setPlainText(item->internalNote);
}

void TfPolozky::bitAddItemClick()
{
    // A pasted "abc" used to be stored as 0.
    if (!NumberFieldInRange(*eDPH, QStringLiteral("DPH"), 0, 100, true)
        || !NumberFieldInRange(*eCena, QStringLiteral("Cena"), -999999999, 999999999, true)
        || !NumberFieldInRange(*eZaMJ, QStringLiteral("Za MJ"), -999999999, 999999999, true))
        return;
    if (!(services::ParseNumber(eZaMJ->text()) > 0))
        eZaMJ->setText(QStringLiteral("1"));
    services::TrimMemoTail(*mInternaPoznamka);
    const QString name = eNazov->text();
    const bool existed = db::ItemExists(name);
    db::ItemFormValues form;
    form.name = name;
    form.code = eKod->text();
    // The first entry is "- without category -", not a category.
    form.category = cbKategoria->currentIndex() > 0 ? cbKategoria->currentText() : QString();
    form.unit = eMernaJednotka->text();
    form.vatRate = eDPH->text();
    form.price = eCena->text();
    form.perUnit = eZaMJ->text();
    form.internalNote = mInternaPoznamka->toPlainText();
    if (!db::SaveItem(form, *this))
        return;
    FillItemList();
    services::ShowMessageBox(MessageWithName(existed ? 153 : 152, name), services::kMbInformation);
    bitClearValuesClick();
}

void TfPolozky::bitClearValuesClick()
{
    eNazov->clear();
    eKod->clear();
    cbKategoriaEnter();
    cbKategoria->setCurrentIndex(0);
    eMernaJednotka->clear();
    eDPH->clear();
    eCena->clear();
    eZaMJ->setText(services::FormatMoney(1));
    mInternaPoznamka->clear();
    eNazov->setFocus();
}

void TfPolozky::bitDeleteItemClick()
{
    const int index = lbPolozky->currentRow();
    const QString name = selectedName();
    if (name.isEmpty()) {
        services::ShowMessageBox(services::MessageText(157), services::kMbWarning);
        return;
    }
    if (services::ShowMessageBox(services::MessageText(123), services::kMbQuestionYesNo) != services::kIdYes)
        return;
    if (db::DeleteItem(name)) {
        FillItemList();
        services::ShowMessageBox(MessageWithName(158, name), services::kMbInformation);
    }
    services::StepListBoxSelection(*lbPolozky, index, 0);
}

void TfPolozky::bitSpravaKategoriiClick()
{
    const QString chosenId =
        cbKategoria->currentIndex() > 0 ? db::GetCategoryId(cbKategoria->currentText()) : QString();
    m_categories.OpenModal(m_main);
    // The chosen category may have been renamed or deleted meanwhile: the
    // combo follows it by id, so a save never stores a name that is gone.
    cbKategoriaEnter();
    const QString name = chosenId.isEmpty() || chosenId == QLatin1String("NULL") ? QString()
                                                                                : db::GetCategoryName(chosenId);
    const int index = name.isEmpty() ? -1 : cbKategoria->findText(name);
    cbKategoria->setCurrentIndex(index < 0 ? 0 : index);
}

void TfPolozky::cbKategoriaEnter()
{
    const QString chosen = cbKategoria->currentText();
    QStringList names;
    db::FillCategoryNameList(names);
    names.prepend(services::MessageText(156));
    const QSignalBlocker quiet(cbKategoria);  // refilling is not choosing
    cbKategoria->clear();
    cbKategoria->addItems(names);
    const int index = cbKategoria->findText(chosen);
    cbKategoria->setCurrentIndex(index < 0 ? 0 : index);
    services::SetComboDropDownWidth(*cbKategoria);
}

void TfPolozky::eCenaExit(QLineEdit &field)
{
    // What is no number stays as typed, for the check at saving to name.
    if (services::IsTypedNumber(field.text()))
        RunGuarded([&field] { field.setText(services::FormatMoney(services::ParseNumber(field.text()))); });
    services::RestoreColorOnExit(field, kColorSlot);
}

void TfPolozky::eDPHExit()
{
    if (!services::IsTypedNumber(eDPH->text())) {
        services::RestoreColorOnExit(*eDPH, kColorSlot);
        return;
    }
    RunGuarded([this] {
        eDPH->setText(platform::FormatFloat(QStringLiteral("##0.##"), services::ParseNumber(eDPH->text()),
                                            platform::regionalSettings()));
    });
    services::RestoreColorOnExit(*eDPH, kColorSlot);
}

void TfPolozky::eMernaJednotkaExit()
{
    eMernaJednotka->setText(services::StripDigits(eMernaJednotka->text()));
    services::RestoreColorOnExit(*eMernaJednotka, kColorSlot);
}

void TfPolozky::focusControl(const QString &controlName)
{
    if (QWidget *control = findChild<QWidget *>(controlName))
        control->setFocus();
}

void TfPolozky::focusLeft(QWidget &control)
{
    if (&control == eCena || &control == eZaMJ)
        eCenaExit(static_cast<QLineEdit &>(control));
    else if (&control == eDPH)
        eDPHExit();
    else if (&control == eMernaJednotka)
        eMernaJednotkaExit();
    else if (&control != cbKategoria)
        services::RestoreColorOnExit(control, kColorSlot);
}

bool TfPolozky::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    if (!control || ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) &&
                     !IsOwnFocusMove(*event)))
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        if (control == cbKategoria)
            RunGuarded([this] { cbKategoriaEnter(); });
        else
            services::HighlightOnEnter(*control, 1, kColorSlot);
    } else if (event->type() == QEvent::FocusOut) {
        focusLeft(*control);
    } else if (event->type() == QEvent::KeyRelease && control == lbPolozky &&
               IsListMoveKey(*static_cast<QKeyEvent *>(event))) {
        RunGuarded([this] { lbPolozkyClick(); });
    } else if (event->type() == QEvent::KeyPress && control != lbPolozky && control != cbKategoria &&
               control != bitClearValues && control != bitDeleteItem) {
        const auto &key = *static_cast<QKeyEvent *>(event);
        if (control == mInternaPoznamka && (key.modifiers() & Qt::ControlModifier) &&
            (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)) {
            mInternaPoznamka->insertPlainText(QStringLiteral("\n"));
            return true;
        }
        if ((control == eDPH || control == eCena || control == eZaMJ) &&
            FilterNumberKey(*static_cast<QLineEdit *>(control), key))
            return true;
        if (MoveFocusByKey(*this, *control, key))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace bralvo::app
