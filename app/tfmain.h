// The main window: an MDI frame that holds every working window.
#pragma once

#include <QMainWindow>

class QMdiArea;

namespace bralvo::app {

class TfMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfMain(QWidget *parent = nullptr);

    QMdiArea *mdiArea() const { return m_mdiArea; }

private:
    QMdiArea *m_mdiArea;
};

} // namespace bralvo::app
