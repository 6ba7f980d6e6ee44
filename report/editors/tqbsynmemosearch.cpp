// The SQL memo's search dialog.
#include "report/editors/tqbsynmemosearch.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace bralvo::report {

TqbSynMemoSearch::TqbSynMemoSearch(QWidget *parent) : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("TqbSynMemoSearch"));
    setWindowTitle(QStringLiteral("Search"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    auto *label = new QLabel(QStringLiteral("Text to find"), this);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    auto *ok = new QPushButton(QStringLiteral("Search"), this);
    ok->setObjectName(QStringLiteral("OkB"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelB"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_edit, &QLineEdit::returnPressed, this, &QDialog::accept);
    auto *grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_edit, 0, 1, 1, 2);
    grid->addWidget(ok, 1, 1);
    grid->addWidget(cancel, 1, 2);
    resize(243, 50);
}

QString TqbSynMemoSearch::Text() const
{
    return m_edit->text();
}

void TqbSynMemoSearch::SetText(const QString &text)
{
    m_edit->setText(text);
}

} // namespace bralvo::report
