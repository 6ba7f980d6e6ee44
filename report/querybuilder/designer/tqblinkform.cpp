// The link options dialog.
#include "report/querybuilder/designer/tqblinkform.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace bralvo::report {

namespace {

QGroupBox *radioGroup(QWidget *parent, const QString &title, const QStringList &items, QButtonGroup *group,
                      const QString &name)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(name);
    auto *layout = new QVBoxLayout(box);
    for (int i = 0; i < items.size(); ++i) {
        auto *radio = new QRadioButton(items.at(i), box);
        radio->setObjectName(name + QString::number(i));
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    return box;
}

} // namespace

TqbLinkForm::TqbLinkForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TqbLinkForm"));
    setWindowTitle(QStringLiteral("Link Options"));
    auto *grid = new QGridLayout(this);
    const char *const labels[4] = {"Table 1", "Column 1", "Table 2", "Column 2"};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(QString::fromLatin1(labels[i]), this), i % 2, (i / 2) * 2);
        m_texts[i] = new QLineEdit(this);
        m_texts[i]->setReadOnly(true);
        m_texts[i]->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        grid->addWidget(m_texts[i], i % 2, (i / 2) * 2 + 1);
    }
    m_operators = new QButtonGroup(this);
    m_types = new QButtonGroup(this);
    grid->addWidget(radioGroup(this, QStringLiteral("Join Operator"), {"=", "<", ">", "<=", ">=", "<>"},
                               m_operators, QStringLiteral("JOperator")), 2, 0, 1, 2);
    grid->addWidget(radioGroup(this, QStringLiteral("Join Type"),
                               {"Inner", "Left Outer", "Right Outer", "Full Outer"}, m_types,
                               QStringLiteral("JType")), 2, 2, 1, 2);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OkB"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelB"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 3, 0, 1, 4);
    SetJOperator(0);
    SetJType(0);
}

void TqbLinkForm::SetLink(const QString &table1, const QString &column1, const QString &table2,
                          const QString &column2, int joinOperator, int joinType)
{
    const QString texts[4] = {table1, column1, table2, column2};
    for (int i = 0; i < 4; ++i)
        m_texts[i]->setText(texts[i]);
    SetJOperator(joinOperator);
    SetJType(joinType);
}

int TqbLinkForm::JOperator() const
{
    return std::max(0, m_operators->checkedId());
}

int TqbLinkForm::JType() const
{
    return std::max(0, m_types->checkedId());
}

void TqbLinkForm::SetJOperator(int index)
{
    if (QAbstractButton *b = m_operators->button(index))
        b->setChecked(true);
}

void TqbLinkForm::SetJType(int index)
{
    if (QAbstractButton *b = m_types->button(index))
        b->setChecked(true);
}

} // namespace bralvo::report
