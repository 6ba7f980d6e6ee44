// Speed samples and the progress panel's text.
#include "services/downloadmeter.h"

#include "services/numbers.h"
#include "services/ticks.h"

#include <cmath>
#include <numeric>

namespace bralvo::services {

TDownload::TDownload(std::uint32_t startTick) : m_lastUpdateTick(startTick - 400) {}

std::optional<QString> TDownload::progress(qint64 received, qint64 total, const QString &status,
                                           std::uint32_t now)
{
    if (TickSpan(m_lastUpdateTick, now) <= UpdateIntervalMs)
        return std::nullopt;
    m_samples.push_back(m_samples.empty() ? received : received - m_lastBytes);
    if (m_samples.size() > static_cast<size_t>(MaxSamples))
        m_samples.pop_front();
    m_lastBytes = received;
    m_lastUpdateTick = now;
    return panelText(status, received, total);
}

double TDownload::speedKBs() const
{
    if (m_samples.empty())
        return 0.0;
    const double sum = std::accumulate(m_samples.begin(), m_samples.end(), 0.0);
    return sum / 1024.0 / static_cast<double>(m_samples.size()) * (1000.0 / UpdateIntervalMs);
}

QString TDownload::panelText(const QString &status, qint64 received, qint64 total) const
{
    QString text = status + QStringLiteral("\n\n");
    if (total != 0 && received != 0) {
        text += QStringLiteral("Stav: ") + FormatMoney(received / 1024.0) + QStringLiteral(" KB  /  ")
                + FormatMoney(total / 1024.0) + QStringLiteral(" KB    (")
                + FormatMoney(static_cast<double>(received) / static_cast<double>(total) * 100.0)
                + QStringLiteral("%)");
    }
    const double speed = speedKBs();
    text += QStringLiteral("\nRýchlosť: ") + FormatMoney(speed) + QStringLiteral(" KB/s");
    if (speed > 0 && total != 0 && total >= received) {
        const double seconds = static_cast<double>(total - received) / 1024.0 / speed;
        text += QStringLiteral("    (zostáva ") + RemainingTimeText(seconds) + u')';
    }
    return text;
}

QString RemainingTimeText(double seconds)
{
    // nearbyint under the default rounding mode: halves to even.
    if (seconds > 120)
        return QString::number(static_cast<qint64>(std::nearbyint(seconds / 60.0))) + QStringLiteral(" m");
    return QString::number(static_cast<qint64>(std::nearbyint(seconds))) + QStringLiteral(" s");
}

} // namespace bralvo::services
