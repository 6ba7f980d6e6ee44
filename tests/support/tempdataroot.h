// A throw-away home for a test: a QTemporaryDir with XDG_DATA_HOME and
// XDG_CONFIG_HOME pointed into it, so nothing touches the real home
// folders. The destructor restores both variables and removes the folder.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace bralvo::test {

class TempDataRoot {
public:
    TempDataRoot();
    ~TempDataRoot();
    TempDataRoot(const TempDataRoot &) = delete;
    TempDataRoot &operator=(const TempDataRoot &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const;        // the temporary folder, trailing "/"
    QString dataHome() const;    // path() + "data/", XDG_DATA_HOME
    QString configHome() const;  // path() + "config/", XDG_CONFIG_HOME
    QString dataRoot() const;    // dataHome() + "Tamrex/Bralvo/" (not created)

private:
    QTemporaryDir m_dir;
    QByteArray m_oldDataHome;
    QByteArray m_oldConfigHome;
    bool m_hadDataHome = false;
    bool m_hadConfigHome = false;
};

} // namespace bralvo::test
