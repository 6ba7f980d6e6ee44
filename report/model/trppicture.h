// Pictures of the report model, kept as their file bytes (BMP, JPEG,
// PNG, icons; Windows metafiles are kept but cannot be drawn on this
// platform) and streamed as extra property data ("Data"). The decoded
// graphic is cached; every change of the bytes calls OnChange.
#pragma once

#include "platform/persistent.h"

#include <QByteArray>
#include <QImage>
#include <functional>

namespace bralvo::report {

// The graphic classes a picture can hold, found from the first bytes.
enum class GraphicKind { None, Bitmap, Jpeg, Metafile, EnhancedMetafile, Icon, Other };

// Format detection of picture data at its start: "BM" in 14 bytes:
// bitmap; FF D8: JPEG; 9AC6CDD7 (little-endian) in 22 bytes: placeable
// metafile; " EMF" at offset 40 of 100 bytes: enhanced metafile; a
// 16-bit value below 2 at offset 2 of 6 bytes: icon; else None.
GraphicKind DetectGraphicKind(const QByteArray &bytes);

// Empty by default; assign copies the bytes.
class TrpPicture : public platform::Persistent {
    BRALVO_CLASS(TrpPicture)
public:
    const QByteArray &Data() const { return m_data; }
    void SetData(const QByteArray &bytes);
    bool IsEmpty() const { return m_data.isEmpty(); }
    void Clear() { SetData(QByteArray()); }
    // The decoded graphic; a null image when the bytes cannot be drawn
    // here (metafiles, damaged data).
    QImage Image() const;
    // The graphic's size in pixels; (0, 0) when there is none.
    QSize GraphicSize() const;
    GraphicKind Kind() const;
    // Reads a picture file; false (picture unchanged) when it cannot be
    // read or holds no known picture format.
    bool LoadFromFile(const QString &path);
    void assign(const platform::Persistent &source) override;
    // "Data": the bytes as a binary value, written when not empty.
    void defineProperties(platform::PropertyFiler &filer) override;

    std::function<void()> OnChange;

private:
    QByteArray m_data;
    mutable QImage m_image;
    mutable bool m_decoded = false;
};

} // namespace bralvo::report
