// TqbSynMemoSearch: the SQL memo's search dialog: "Text to find", an edit
// box, "Search" (Enter anywhere confirms) and "Cancel".
#pragma once

#include <QDialog>

class QLineEdit;

namespace bralvo::report {

class TqbSynMemoSearch : public QDialog {
    Q_OBJECT
public:
    explicit TqbSynMemoSearch(QWidget *parent = nullptr);

    QString Text() const;
    void SetText(const QString &text);

private:
    QLineEdit *m_edit;
};

} // namespace bralvo::report
