// TqbLinkForm: "Link Options": the two ends of a link, its join operator
// and its join type.
#pragma once

#include <QDialog>

class QButtonGroup;
class QLineEdit;

namespace bralvo::report {

class TqbLinkForm : public QDialog {
    Q_OBJECT
public:
    explicit TqbLinkForm(QWidget *parent = nullptr);

    void SetLink(const QString &table1, const QString &column1, const QString &table2,
                 const QString &column2, int joinOperator, int joinType);
    int JOperator() const;
    int JType() const;
    void SetJOperator(int index);
    void SetJType(int index);

private:
    QLineEdit *m_texts[4];
    QButtonGroup *m_operators;
    QButtonGroup *m_types;
};

} // namespace bralvo::report
