// Pictures of the report model, kept as their file bytes (PNG, JPEG,
// BMP) and streamed as extra property data ("Data"). Drawing belongs to
// the picture view's own code.
#pragma once

#include "platform/persistent.h"

#include <QByteArray>
#include <QImage>

namespace bralvo::report {

// Empty by default; assign copies the bytes.
class TrpPicture : public platform::Persistent {
    BRALVO_CLASS(TrpPicture)
public:
    const QByteArray &Data() const { return m_data; }
    void SetData(const QByteArray &bytes) { m_data = bytes; }
    bool IsEmpty() const { return m_data.isEmpty(); }
    QImage Image() const;
    void assign(const platform::Persistent &source) override;
    // "Data": the bytes as a binary value, written when not empty.
    void defineProperties(platform::PropertyFiler &filer) override;

private:
    QByteArray m_data;
};

} // namespace bralvo::report
