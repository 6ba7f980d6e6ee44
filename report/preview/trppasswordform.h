// TrpPasswordForm: the prompt for the password of a protected report
// definition. Captions come from the library texts "5000" (window),
// "5001" (PasswordL), "1" (OkB) and "2" (CancelB); the typed text is
// masked with "*".
#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace bralvo::report {

class TrpPasswordForm : public QDialog {
    Q_OBJECT
public:
    explicit TrpPasswordForm(QWidget *parent = nullptr);

    // Shows a password form modally over the active window; the typed
    // text on OK, std::nullopt on Cancel.
    static std::optional<QString> Ask();

    QLabel *Image;
    QLabel *PasswordL;
    QLineEdit *PasswordE;
    QPushButton *OkB;
    QPushButton *CancelB;
};

} // namespace bralvo::report
