// The parameter editor.
#include "report/dataeditors/trpparamseditor.h"

#include "report/dataeditors/dataeditorlogic.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace bralvo::report {

std::function<QString(const QString &)> &TrpParamsEditorForm::ExpressionEditor()
{
    static std::function<QString(const QString &)> editor;
    return editor;
}

TrpParamsEditorForm::TrpParamsEditorForm(const QList<TrpParamRow> &params, QWidget *parent)
    : QDialog(parent), m_params(params)
{
    setObjectName(QStringLiteral("TrpParamsEditorForm"));
    setWindowTitle(EditorText(QStringLiteral("3700"), QStringLiteral("Parameters editor")));
    resize(392, 381);
    auto *grid = new QGridLayout(this);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("ParamsLV"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({EditorText(QStringLiteral("qpName"), QStringLiteral("Name")),
                             EditorText(QStringLiteral("qpDataType"), QStringLiteral("Data type")),
                             EditorText(QStringLiteral("qpValue"), QStringLiteral("Value"))});
    grid->addWidget(m_list, 0, 0, 1, 3);
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("TypeCB"));
    m_type->addItems(FieldTypeNames());
    m_value = new QLineEdit(this);
    m_value->setObjectName(QStringLiteral("ValueE"));
    auto *expression = new QPushButton(QStringLiteral("..."), this);
    expression->setObjectName(QStringLiteral("ExpressionB"));
    grid->addWidget(m_type, 1, 0);
    grid->addWidget(m_value, 1, 1);
    grid->addWidget(expression, 1, 2);
    auto *ok = new QPushButton(EditorText(QStringLiteral("1"), QStringLiteral("OK")), this);
    ok->setObjectName(QStringLiteral("OkB"));
    auto *cancel = new QPushButton(EditorText(QStringLiteral("2"), QStringLiteral("Cancel")), this);
    cancel->setObjectName(QStringLiteral("CancelB"));
    grid->addWidget(ok, 2, 1);
    grid->addWidget(cancel, 2, 2);
    for (const TrpParamRow &p : m_params)
        new QTreeWidgetItem(m_list, {p.name, FieldTypeNames().value(p.dataType, FieldTypeNames().first()),
                                     p.expression});
    connect(m_list, &QTreeWidget::currentItemChanged, this, &TrpParamsEditorForm::rowChanged);
    connect(expression, &QPushButton::clicked, this, [this] {
        if (!ExpressionEditor())
            return;
        const QString answer = ExpressionEditor()(m_value->text());
        if (!answer.isEmpty())
            m_value->setText(answer);
    });
    connect(ok, &QPushButton::clicked, this, &TrpParamsEditorForm::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
}

// Leaving a row writes the editors into it; the new row loads them.
void TrpParamsEditorForm::rowChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    if (previous) {
        previous->setText(1, m_type->currentText());
        previous->setText(2, m_value->text());
    }
    if (current) {
        m_type->setCurrentIndex(std::max(0, m_type->findText(current->text(1))));
        m_value->setText(current->text(2));
    }
}

void TrpParamsEditorForm::accept()
{
    if (QTreeWidgetItem *item = m_list->currentItem())
        rowChanged(nullptr, item);
    for (int i = 0; i < m_list->topLevelItemCount() && i < m_params.size(); ++i) {
        const QTreeWidgetItem *item = m_list->topLevelItem(i);
        const qsizetype type = FieldTypeNames().indexOf(item->text(1));
        if (type >= 0)
            m_params[i].dataType = int(type);
        m_params[i].expression = item->text(2);
    }
    QDialog::accept();
}

} // namespace bralvo::report
