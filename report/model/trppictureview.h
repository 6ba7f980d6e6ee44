// Picture objects: a picture from the report file, from a file named at
// output time (FileLink) or from a dataset's binary field, drawn
// stretched (optionally keeping its proportions and centred) or at its
// natural size clipped to the object. BMP, JPEG, PNG and icons are drawn;
// Windows metafiles are kept but not drawn on this platform.
#pragma once

#include "report/model/trppicture.h"
#include "report/model/trpview.h"

#include <memory>

namespace bralvo::platform {
class Stream;
}

namespace bralvo::report {

// LoadPictureFromStream's results.
inline constexpr int kPictureLoaded = 0;
inline constexpr int kPictureInvalidArg = int(0x80070057); // E_INVALIDARG

class TrpPictureView : public TrpView {
    BRALVO_CLASS(TrpPictureView)
public:
    // Colour white, stretched keeping the aspect ratio.
    explicit TrpPictureView(platform::Component *owner);

    bool AutoSize() const { return m_autoSize; }
    // When true and there is a graphic, Width and Height become its size.
    void SetAutoSize(bool v);
    bool Center() const { return m_center; }
    void SetCenter(bool v) { m_center = v; }
    QString FileLink() const { return m_fileLink; }
    void SetFileLink(const QString &v) { m_fileLink = v; }
    // Index in the prepared pages' picture cache.
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int v) { m_imageIndex = v; }
    bool KeepAspectRatio() const { return m_keepAspectRatio; }
    void SetKeepAspectRatio(bool v) { m_keepAspectRatio = v; }
    TrpPicture *Picture() const { return m_picture.get(); }
    // The picture takes Value's data; nullptr clears it.
    void SetPicture(const TrpPicture *value);
    bool Stretched() const { return m_stretched; }
    void SetStretched(bool v) { m_stretched = v; }

    // Set by every change of the picture; Diff hands the picture to the
    // prepared pages and clears it.
    bool PictureChanged() const { return m_pictureChanged; }
    void SetPictureChanged(bool v) { m_pictureChanged = v; }
    // Whether "Picture" is written (prepared pages clear it while they
    // copy the object, the picture then travels through their cache).
    bool PictureStored() const { return m_pictureStored; }
    void SetPictureStored(bool v) { m_pictureStored = v; }

    // Reads picture data from Stream's position, skipping the 8-byte
    // header of a binary field (1, 256, length = size - 8). Returns
    // kPictureLoaded, or kPictureInvalidArg with the picture cleared when
    // no known format is found or the data cannot be decoded. An empty
    // stream clears the picture and returns kPictureLoaded.
    int LoadPictureFromStream(platform::Stream &stream);

    // The view's expansion; then the picture from FileLink (expanded;
    // cleared when the file is missing or no picture) or from a binary
    // data field.
    void GetData() override;
    void Draw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY) override;
    // The view's diff and ImageIndex, always.
    QString Diff(const TrpComponent &def) const override;
    QString GetDescription() const override;

    // The rectangle a stretched graphic of GraphicSize is drawn into
    // inside Rect (KeepAspectRatio and Center applied).
    static QRect StretchedTarget(const QRect &rect, QSize graphicSize, bool keepAspectRatio, bool center);

private:
    void pictureChanged();

    bool m_autoSize = false;
    bool m_center = false;
    QString m_fileLink;
    int m_imageIndex = 0;
    mutable bool m_pictureChanged = false;
    bool m_pictureStored = true;
    bool m_keepAspectRatio = true;
    std::unique_ptr<TrpPicture> m_picture;
    bool m_stretched = true;
};

} // namespace bralvo::report
