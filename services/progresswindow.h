// The progress panel shown while a file downloads, and the two download
// calls that show it: DownloadFile on a window the caller has, and
// DownloadWithWindow in a small window of its own. Both block the GUI
// thread but process pending window events at every progress report, so
// windows keep painting; a download cannot be cancelled. GUI thread only.
#pragma once

#include "services/download.h"

#include <QString>

class QFrame;
class QLabel;
class QProgressBar;
class QWidget;

namespace bralvo::services {

class TDownload;

// A 400 x 100 panel centred on its parent control: an indicator bar
// (objectName "IndicatorBar", or "IndicatorGauge" in navy) and a status
// label. At most one exists at a time; CurrentProgress points at it.
class TProgress {
public:
    // The caption "" shows "prosím čakajte...". parent must outlive the
    // panel; nullptr makes the panel a window of its own.
    TProgress(int maximum, QWidget *parent, const QString &caption, bool useGauge);
    ~TProgress();  // removes the panel and clears CurrentProgress
    TProgress(const TProgress &) = delete;
    TProgress &operator=(const TProgress &) = delete;

    static constexpr int PanelWidth = 400;
    static constexpr int PanelHeight = 100;

    // A value other than 0 moves the indicator; gives its position.
    int Position(int value);
    void setMaximum(int maximum);
    void setStatusText(const QString &text);

    QFrame *ProgressPanel() const { return m_panel; }
    QProgressBar *Indicator() const { return m_indicator; }
    QLabel *StatusLabel() const { return m_label; }

private:
    QFrame *m_panel = nullptr;  // owned: deleted by the destructor
    QProgressBar *m_indicator = nullptr;
    QLabel *m_label = nullptr;
};

// The panel of the running download, nullptr when none.
extern TProgress *CurrentProgress;

// One progress report: moves the indicator (byte counts above 2^31 are
// scaled down to fit), refreshes the label when TDownload says so, brings
// the panel to the front and processes pending events other than user
// input.
void DownloadProgress(TDownload &state, qint64 received, qint64 total, const QString &statusText);

// Downloads url into DownloadTargetPath(url, folder, fileName) with a
// progress panel on parent; no click or key reaches any
// window meanwhile. Gives true. Throws DownloadError ("Error
// downloading URL: <url>") after the panel is gone; the target is then
// unchanged (see download.h).
bool DownloadFile(const QString &url, const QString &folder, const QString &fileName, QWidget *parent,
                  const DownloadLimits &limits = DownloadLimits());

// DownloadFile in a 400 x 100 window of its own, captioned ProgramTitle,
// centred on the screen; the window is freed afterwards, also on failure.
bool DownloadWithWindow(const QString &url, const QString &folder, const QString &fileName,
                        const DownloadLimits &limits = DownloadLimits());

} // namespace bralvo::services
