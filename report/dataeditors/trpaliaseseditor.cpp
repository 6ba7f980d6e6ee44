// The field-aliases editor.
#include "report/dataeditors/trpaliaseseditor.h"

#include "report/dataeditors/dataeditortargets.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace bralvo::report {

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

TrpAliasesEditorForm::TrpAliasesEditorForm(TrpAliasesTarget &dataset, QWidget *parent)
    : QDialog(parent), m_dataset(dataset)
{
    setObjectName(QStringLiteral("TrpAliasesEditorForm"));
    setWindowTitle(EditorText(QStringLiteral("3600"), QStringLiteral("Edit Aliases")));
    resize(349, 386);
    auto *grid = new QGridLayout(this);
    auto *hint = new QLabel(EditorText(QStringLiteral("3601"), QStringLiteral("Press Enter to edit item")), this);
    hint->setObjectName(QStringLiteral("HintL"));
    grid->addWidget(hint, 0, 0, 1, 4);
    grid->addWidget(new QLabel(EditorText(QStringLiteral("3602"), QStringLiteral("Dataset alias")), this), 1, 0);
    m_alias = new QLineEdit(m_dataset.UserName(), this);
    m_alias->setObjectName(QStringLiteral("DSAliasE"));
    grid->addWidget(m_alias, 1, 1, 1, 3);
    grid->addWidget(new QLabel(EditorText(QStringLiteral("3603"), QStringLiteral("Field aliases")), this), 2, 0, 1, 4);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("AliasesLV"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({EditorText(QStringLiteral("alUserName"), QStringLiteral("User name")),
                             EditorText(QStringLiteral("alOriginal"), QStringLiteral("Original name"))});
    m_list->setEditTriggers(QAbstractItemView::EditKeyPressed);
    grid->addWidget(m_list, 3, 0, 1, 4);
    QPushButton *reset = button(this, "ResetB", EditorText(QStringLiteral("3604"), QStringLiteral("Reset")));
    QPushButton *update = button(this, "UpdateB", EditorText(QStringLiteral("3605"), QStringLiteral("Update")));
    QPushButton *ok = button(this, "OkB", EditorText(QStringLiteral("1"), QStringLiteral("OK")));
    QPushButton *cancel = button(this, "CancelB", EditorText(QStringLiteral("2"), QStringLiteral("Cancel")));
    grid->addWidget(reset, 4, 0);
    grid->addWidget(update, 4, 1);
    grid->addWidget(ok, 4, 2);
    grid->addWidget(cancel, 4, 3);
    connect(reset, &QPushButton::clicked, this, &TrpAliasesEditorForm::Reset);
    connect(update, &QPushButton::clicked, this, &TrpAliasesEditorForm::Update);
    connect(ok, &QPushButton::clicked, this, &TrpAliasesEditorForm::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // An alias edited to nothing takes the field's name again.
    connect(m_list, &QTreeWidget::itemChanged, this, [](QTreeWidgetItem *item, int column) {
        if (column == 0 && item->text(0).isEmpty())
            item->setText(0, item->text(1));
    });
    if (m_dataset.FieldAliases().isEmpty())
        Reset();
    else
        SetRows(AliasRowsFromLines(m_dataset.FieldAliases()));
}

QStringList TrpAliasesEditorForm::plainFieldNames()
{
    const QStringList saved = m_dataset.FieldAliases();
    m_dataset.SetFieldAliases({});
    QStringList names;
    try {
        names = m_dataset.FieldNames();
    } catch (...) {
        m_dataset.SetFieldAliases(saved);
        throw;
    }
    m_dataset.SetFieldAliases(saved);
    return names;
}

void TrpAliasesEditorForm::Reset()
{
    SetRows(ResetAliasRows(plainFieldNames()));
}

void TrpAliasesEditorForm::Update()
{
    SetRows(UpdateAliasRows(plainFieldNames(), AliasRowsToLines(Rows())));
}

void TrpAliasesEditorForm::SetRows(const QList<AliasRow> &rows)
{
    const QSignalBlocker block(m_list);
    m_list->clear();
    for (const AliasRow &r : rows) {
        auto *item = new QTreeWidgetItem(m_list, {r.alias, r.field});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsEditable);
        item->setCheckState(0, r.checked ? Qt::Checked : Qt::Unchecked);
    }
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
}

QList<AliasRow> TrpAliasesEditorForm::Rows() const
{
    QList<AliasRow> rows;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_list->topLevelItem(i);
        rows.append({item->text(0), item->text(1), item->checkState(0) == Qt::Checked});
    }
    return rows;
}

void TrpAliasesEditorForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F5)
        return Update();
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_F2) && m_list->hasFocus()
        && m_list->currentItem())
        return m_list->editItem(m_list->currentItem(), 0);
    QDialog::keyPressEvent(event);
}

void TrpAliasesEditorForm::accept()
{
    m_dataset.SetUserName(m_alias->text());
    m_dataset.SetFieldAliases(AliasRowsToLines(Rows()));
    QDialog::accept();
}

} // namespace bralvo::report
