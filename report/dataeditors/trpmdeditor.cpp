// The master-detail editor.
#include "report/dataeditors/trpmdeditor.h"

#include "report/dataeditors/dataeditorlogic.h"
#include "report/dataeditors/dataeditortargets.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace bralvo::report {

namespace {

QListWidget *list(QWidget *parent, const char *name)
{
    auto *l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

TrpMDEditorForm::TrpMDEditorForm(TrpMasterDetailTarget &table, QWidget *parent)
    : QDialog(parent), m_table(table), m_links(table.MasterLinks())
{
    setObjectName(QStringLiteral("TrpMDEditorForm"));
    setWindowTitle(EditorText(QStringLiteral("3800"), QStringLiteral("Master-Detail link")));
    resize(324, 250);
    m_detailFields = table.DetailFields();
    m_masterFields = table.MasterFields();
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(EditorText(QStringLiteral("3801"), QStringLiteral("Detail fields")), this), 0, 0);
    grid->addWidget(new QLabel(EditorText(QStringLiteral("3802"), QStringLiteral("Master fields")), this), 0, 1);
    grid->addWidget(new QLabel(EditorText(QStringLiteral("3803"), QStringLiteral("Linked fields")), this), 0, 2);
    m_detail = list(this, "DetailLB");
    m_master = list(this, "MasterLB");
    m_linksList = list(this, "LinksLB");
    grid->addWidget(m_detail, 1, 0);
    grid->addWidget(m_master, 1, 1);
    grid->addWidget(m_linksList, 1, 2);
    m_add = new QPushButton(EditorText(QStringLiteral("3804"), QStringLiteral("Add")), this);
    m_add->setObjectName(QStringLiteral("AddB"));
    auto *clear = new QPushButton(EditorText(QStringLiteral("3805"), QStringLiteral("Clear")), this);
    clear->setObjectName(QStringLiteral("ClearB"));
    auto *ok = new QPushButton(EditorText(QStringLiteral("1"), QStringLiteral("OK")), this);
    ok->setObjectName(QStringLiteral("OkB"));
    auto *cancel = new QPushButton(EditorText(QStringLiteral("2"), QStringLiteral("Cancel")), this);
    cancel->setObjectName(QStringLiteral("CancelB"));
    grid->addWidget(m_add, 2, 0);
    grid->addWidget(clear, 2, 1);
    grid->addWidget(ok, 3, 1);
    grid->addWidget(cancel, 3, 2);
    connect(m_add, &QPushButton::clicked, this, &TrpMDEditorForm::AddLink);
    connect(clear, &QPushButton::clicked, this, &TrpMDEditorForm::ClearLinks);
    connect(ok, &QPushButton::clicked, this, &TrpMDEditorForm::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_detail, &QListWidget::itemSelectionChanged, this, &TrpMDEditorForm::updateAdd);
    connect(m_master, &QListWidget::itemSelectionChanged, this, &TrpMDEditorForm::updateAdd);
    refresh();
}

void TrpMDEditorForm::refresh()
{
    const MasterDetailLists lists = MasterDetailRefresh(m_detailFields, m_masterFields, m_links);
    m_detail->clear();
    m_detail->addItems(lists.detail);
    m_master->clear();
    m_master->addItems(lists.master);
    m_linksList->clear();
    m_linksList->addItems(lists.links);
    m_add->setEnabled(false);
}

void TrpMDEditorForm::updateAdd()
{
    m_add->setEnabled(m_detail->currentItem() && m_master->currentItem());
}

void TrpMDEditorForm::AddLink()
{
    if (!m_detail->currentItem() || !m_master->currentItem())
        return;
    m_links = MasterDetailAdd(m_links, m_detail->currentItem()->text(), m_master->currentItem()->text());
    refresh();
}

void TrpMDEditorForm::ClearLinks()
{
    m_links.clear();
    refresh();
}

void TrpMDEditorForm::accept()
{
    m_table.SetMasterLinks(m_links);
    QDialog::accept();
}

} // namespace bralvo::report
