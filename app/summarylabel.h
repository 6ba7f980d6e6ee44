// A label for the bill summary texts, whose lines are separated by CR as
// they are stored: text() gives the text as set, and it is shown with the
// CRs as line breaks.
#pragma once

#include <QLabel>

namespace bralvo::app {

class SummaryLabel : public QLabel {
public:
    using QLabel::QLabel;
    QString text() const { return m_text; }
    void setText(const QString &text)
    {
        m_text = text;
        QLabel::setText(QString(text).replace(QChar(13), QChar(10)));
    }
    void clear() { setText(QString()); }

private:
    QString m_text;
};

} // namespace bralvo::app
