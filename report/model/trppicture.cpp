// Pictures kept as file bytes, their format detection and decoding.
#include "report/model/trppicture.h"

#include "platform/valuecodec.h"

#include <QFile>
#include <QtEndian>

namespace bralvo::report {

GraphicKind DetectGraphicKind(const QByteArray &b)
{
    const auto *p = reinterpret_cast<const uchar *>(b.constData());
    const qsizetype n = b.size();
    if (n >= 14 && qFromLittleEndian<quint16>(p) == 19778)
        return GraphicKind::Bitmap;
    if (n >= 2 && p[0] == 0xFF && p[1] == 0xD8)
        return GraphicKind::Jpeg;
    if (n >= 22 && qFromLittleEndian<quint32>(p) == 0x9AC6CDD7u)
        return GraphicKind::Metafile;
    if (n >= 100 && b.mid(40, 4) == " EMF")
        return GraphicKind::EnhancedMetafile;
    if (n >= 6 && qFromLittleEndian<quint16>(p + 2) < 2)
        return GraphicKind::Icon;
    return GraphicKind::None;
}

const platform::ClassInfo &TrpPicture::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TPicture", &platform::Persistent::staticClass(), [](platform::Component *) { return new TrpPicture; },
        [](platform::PropertyTable &) {});
    return info;
}

void TrpPicture::SetData(const QByteArray &bytes)
{
    m_data = bytes;
    m_image = QImage();
    m_decoded = false;
    if (OnChange)
        OnChange();
}

QImage TrpPicture::Image() const
{
    if (!m_decoded) {
        m_decoded = true;
        const GraphicKind k = Kind();
        // Metafiles have no reader on this platform.
        if (!m_data.isEmpty() && k != GraphicKind::Metafile && k != GraphicKind::EnhancedMetafile)
            m_image = QImage::fromData(m_data);
    }
    return m_image;
}

QSize TrpPicture::GraphicSize() const
{
    const QImage img = Image();
    return img.isNull() ? QSize(0, 0) : img.size();
}

GraphicKind TrpPicture::Kind() const
{
    if (m_data.isEmpty())
        return GraphicKind::None;
    const GraphicKind k = DetectGraphicKind(m_data);
    return k == GraphicKind::None ? GraphicKind::Other : k;
}

bool TrpPicture::LoadFromFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    if (bytes.isEmpty() || QImage::fromData(bytes).isNull())
        return false;
    SetData(bytes);
    return true;
}

void TrpPicture::assign(const platform::Persistent &source)
{
    const auto *p = dynamic_cast<const TrpPicture *>(&source);
    if (!p) {
        platform::Persistent::assign(source);
        return;
    }
    if (p != this)
        SetData(p->m_data);
}

void TrpPicture::defineProperties(platform::PropertyFiler &filer)
{
    filer.defineProperty(
        QStringLiteral("Data"), [this](platform::ValueReader &r) { SetData(r.readBinary()); },
        [this](platform::ValueWriter &w) { w.writeBinary(m_data); }, !m_data.isEmpty());
}

} // namespace bralvo::report
