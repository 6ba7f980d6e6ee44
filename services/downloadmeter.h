// The progress text of a running download: bytes received, percentage,
// a running transfer speed and the time left. A plain class, fed with the
// progress reports and a millisecond tick, so the arithmetic is testable
// without a transfer.
#pragma once

#include <QString>
#include <cstdint>
#include <deque>
#include <optional>

namespace bralvo::services {

class TDownload {
public:
    static constexpr std::uint32_t UpdateIntervalMs = 500;
    static constexpr int MaxSamples = 19;

    // The first refresh comes more than 100 ms after startTick.
    explicit TDownload(std::uint32_t startTick);

    // One progress report. When more than UpdateIntervalMs have passed since
    // the last refresh, records a speed sample (all bytes so far for the
    // first one, else the bytes since the last refresh; the oldest sample
    // goes once there are 20) and gives the new panel text; otherwise
    // std::nullopt. total 0 means the length is unknown.
    std::optional<QString> progress(qint64 received, qint64 total, const QString &status,
                                    std::uint32_t now);

    // Mean of the samples in KB per second (samples are taken every
    // UpdateIntervalMs); 0 without samples.
    double speedKBs() const;
    const std::deque<qint64> &speedSamples() const { return m_samples; }

    // The panel text, lines separated by "\n": status, empty line,
    // "Stav: 5,00 KB  /  10,00 KB    (50,00%)" (only when total and
    // received are both known), then "Rýchlosť: 2,00 KB/s" and, when the
    // speed is above 0 and the total is known and not below received,
    // "    (zostáva 3 s)" (see RemainingTimeText).
    QString panelText(const QString &status, qint64 received, qint64 total) const;

private:
    std::uint32_t m_lastUpdateTick;
    qint64 m_lastBytes = 0;
    std::deque<qint64> m_samples;
};

// Seconds left as shown: above 120 the minutes, rounded, + " m"
// (121 gives "2 m"), else the seconds rounded + " s" (2.5 gives "2 s":
// halves go to the even neighbour).
QString RemainingTimeText(double seconds);

} // namespace bralvo::services
