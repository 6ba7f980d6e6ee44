// A restart seam for tests: records each restart's arguments instead of
// starting a second program. Installs itself; the destructor puts the
// previous seam back.
#pragma once

#include "platform/process.h"

#include <QStringList>
#include <vector>

namespace bralvo::test {

class RecordingRestart : public platform::RestartSeam {
public:
    RecordingRestart() : m_previous(platform::setRestartSeam(this)) {}
    ~RecordingRestart() override { platform::setRestartSeam(m_previous); }
    RecordingRestart(const RecordingRestart &) = delete;
    RecordingRestart &operator=(const RecordingRestart &) = delete;

    bool restartProgram(const QStringList &arguments) override
    {
        m_restarts.push_back(arguments);
        return m_succeeds;
    }

    // The arguments of every restart asked for, in order.
    const std::vector<QStringList> &restarts() const { return m_restarts; }
    // What restartProgram answers (true unless changed).
    void setSucceeds(bool succeeds) { m_succeeds = succeeds; }

private:
    std::vector<QStringList> m_restarts;
    bool m_succeeds = true;
    platform::RestartSeam *m_previous = nullptr;
};

} // namespace bralvo::test
