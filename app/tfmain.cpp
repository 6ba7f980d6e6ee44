#include "app/tfmain.h"

#include "services/appversion.h"

#include <QMdiArea>

namespace bralvo::app {

TfMain::TfMain(QWidget *parent)
    : QMainWindow(parent), m_mdiArea(new QMdiArea(this))
{
    setObjectName("fMain");
    setCentralWidget(m_mdiArea);
    const QString version = QString("v %1.%2%3 (build %4)")
                                .arg(services::kVersionMajor)
                                .arg(services::kVersionMinor)
                                .arg(services::kVersionRelease)
                                .arg(services::kVersionBuild);
    setWindowTitle(QString("Bralvo [%1]").arg(version));
    resize(1024, 700);
}

} // namespace bralvo::app
