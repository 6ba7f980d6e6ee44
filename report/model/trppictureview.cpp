// Picture views: property table, loading from files, fields and streams,
// drawing and the prepared pages' picture cache hand-over.
#include "report/model/trppictureview.h"

#include "platform/stream.h"
#include "report/model/trpdataset.h"
#include "report/model/trpenginebases.h"
#include "report/model/trpnumberbounds.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/trputils.h"

#include <QFileInfo>
#include <QPainter>
#include <QtEndian>
#include <cmath>

namespace bralvo::report {

namespace {

int roundEven(double v)
{
    return RoundToInt(v);
}

} // namespace

const platform::ClassInfo &TrpPictureView::staticClass()
{
    using T = TrpPictureView;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpPictureView", &TrpView::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.integer("Cursor", &T::Cursor, &T::SetCursor, 0);
            b.boolean("AutoSize", &T::AutoSize, &T::SetAutoSize, false);
            b.boolean("Center", &T::Center, &T::SetCenter, false);
            b.string("DataField", &T::DataField, &T::SetDataField);
            b.reference<TrpDataSet>("DataSet", &T::DataSet, &T::SetDataSet);
            b.string("DataSetName", &T::DataSetName, &T::SetDataSetName);
            b.object<TrpFrame>("Frame", &T::Frame, &T::SetFrame);
            b.string("FileLink", &T::FileLink, &T::SetFileLink);
            b.integer("ImageIndex", &T::ImageIndex, &T::SetImageIndex).storedIf([](const T &v) {
                return v.m_pictureChanged;
            });
            b.boolean("KeepAspectRatio", &T::KeepAspectRatio, &T::SetKeepAspectRatio, true);
            b.object<TrpPicture>("Picture", &T::Picture, &T::SetPicture).storedIf([](const T &v) {
                return v.m_pictureStored;
            });
            b.boolean("Stretched", &T::Stretched, &T::SetStretched, true);
            b.string("TagStr", &T::TagStr, &T::SetTagStr);
            b.string("URL", &T::URL, &T::SetURL);
        });
    return info;
}

TrpPictureView::TrpPictureView(platform::Component *owner)
    : TrpView(owner), m_picture(std::make_unique<TrpPicture>())
{
    SetComponentStyle(ComponentStyle() & ~FullTextDiff);
    SetColor(16777215);
    m_picture->OnChange = [this] { pictureChanged(); };
}

QString TrpPictureView::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obPicture"));
}

void TrpPictureView::pictureChanged()
{
    SetAutoSize(m_autoSize);
    m_pictureChanged = true;
}

void TrpPictureView::SetAutoSize(bool v)
{
    m_autoSize = v;
    const QSize size = m_picture->GraphicSize();
    if (v && !size.isEmpty()) {
        TrpComponent::SetWidth(size.width());
        TrpComponent::SetHeight(size.height());
    }
}

void TrpPictureView::SetPicture(const TrpPicture *value)
{
    if (!value)
        m_picture->Clear();
    else if (value != m_picture.get())
        m_picture->assign(*value);
}

int TrpPictureView::LoadPictureFromStream(platform::Stream &stream)
{
    const qint64 size = stream.size();
    if (size == 0) {
        m_picture->Clear();
        return kPictureLoaded;
    }
    if (size >= 8) {
        const qint64 start = stream.position();
        const QByteArray head = stream.readBytes(8);
        const auto *p = reinterpret_cast<const uchar *>(head.constData());
        const bool header = head.size() == 8 && qFromLittleEndian<quint16>(p) == 1
                            && qFromLittleEndian<quint16>(p + 2) == 256
                            && qint64(qFromLittleEndian<quint32>(p + 4)) == size - 8;
        if (!header)
            stream.seek(0);
        Q_UNUSED(start);
    }
    const QByteArray bytes = stream.readAll();
    const GraphicKind kind = DetectGraphicKind(bytes);
    const bool metafile = kind == GraphicKind::Metafile || kind == GraphicKind::EnhancedMetafile;
    // Data of a known class that still cannot be decoded is refused too,
    // rather than reported as loaded.
    if (kind == GraphicKind::None || (!metafile && QImage::fromData(bytes).isNull())) {
        m_picture->Clear();
        return kPictureInvalidArg;
    }
    m_picture->SetData(bytes);
    return kPictureLoaded;
}

void TrpPictureView::GetData()
{
    TrpView::GetData();
    if (!m_fileLink.isEmpty()) {
        const QString path = m_fileLink.contains(u'[') ? ExpandExpressions(m_fileLink) : m_fileLink;
        // A file that is missing or holds no picture must not leave the
        // previous record's picture behind.
        if (!QFileInfo::exists(path) || !m_picture->LoadFromFile(path))
            m_picture->Clear();
        return;
    }
    if (IsDataField() && DataSet()->IsBlobField(DataField())) {
        TrpPicture blob;
        DataSet()->CopyBlobTo(DataField(), &blob);
        platform::MemoryStream stream(blob.Data());
        LoadPictureFromStream(stream);
    }
}

QRect TrpPictureView::StretchedTarget(const QRect &rect, QSize g, bool keepAspectRatio, bool center)
{
    QRect r = rect;
    if (!keepAspectRatio || g.isEmpty())
        return r;
    const double kx = double(rect.width()) / g.width();
    const double ky = double(rect.height()) / g.height();
    if (ky > kx)
        r.setHeight(roundEven(g.height() * kx));
    else
        r.setWidth(roundEven(g.width() * ky));
    if (center)
        r.translate((rect.width() - r.width()) / 2, (rect.height() - r.height()) / 2);
    return r;
}

void TrpPictureView::Draw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    BeginDraw(canvas, scaleX, scaleY, offsetX, offsetY);
    DrawBackground();
    const QImage image = m_picture->Image();
    if (!image.isNull()) {
        const QRect rect(m_x, m_y, m_dx, m_dy);
        if (m_stretched) {
            DrawGraphic(canvas, StretchedTarget(rect, image.size(), m_keepAspectRatio, m_center), image, false);
        } else {
            const bool hadClip = canvas.hasClipping();
            const QRegion oldClip = canvas.clipRegion();
            canvas.setClipRect(rect, hadClip ? Qt::IntersectClip : Qt::ReplaceClip);
            QRect target(m_x, m_y, roundEven(scaleX * image.width()), roundEven(scaleY * image.height()));
            if (m_center)
                target.moveTo(m_x + (m_dx - target.width()) / 2, m_y + (m_dy - target.height()) / 2);
            DrawGraphic(canvas, target, image, false);
            canvas.setClipRegion(oldClip);
            canvas.setClipping(hadClip);
        }
    }
    DrawFrame();
}

QString TrpPictureView::Diff(const TrpComponent &def) const
{
    if (m_pictureChanged) {
        TrpReport *report = Report();
        if (report && report->PreparedPages())
            report->PreparedPages()->AddPictureObject(const_cast<TrpPictureView *>(this));
        m_pictureChanged = false;
    }
    return TrpView::Diff(def) + QStringLiteral(" ImageIndex=\"") + QString::number(m_imageIndex) + u'"';
}

} // namespace bralvo::report
