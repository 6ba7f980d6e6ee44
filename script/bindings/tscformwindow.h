// The window of a script's TForm: a dialog that asks its control object
// before it closes and tells it when it shows, hides, paints, is
// activated or left, and is resized.
#pragma once

#include <QDialog>
#include <functional>

namespace bralvo::script {

class TscFormWindow : public QDialog {
public:
    TscFormWindow();

    struct Hooks {
        // The user's close (or Close): true lets the window go.
        std::function<bool()> closeQuery;
        // Esc: true when a cancel button took it.
        std::function<bool()> escape;
        std::function<void()> show, hide, activate, deactivate, resize;
        // Paints the form's canvas picture (after the script's OnPaint).
        std::function<void(QPainter &painter)> paint;
    } hooks;

    void reject() override;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};

} // namespace bralvo::script
