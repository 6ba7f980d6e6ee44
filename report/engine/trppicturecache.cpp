// The picture list of prepared pages and its XML form.
#include "report/engine/trppicturecache.h"

#include "platform/error.h"
#include "platform/stream.h"
#include "report/model/trppicture.h"
#include "report/model/trppictureview.h"
#include "report/model/trputils.h"
#include "report/model/trpxml.h"

namespace bralvo::report {

int TrpPictureCache::AddStream()
{
    m_streams.append(QByteArray());
    return int(m_streams.size()) - 1;
}

void TrpPictureCache::StoreGraphic(TrpPictureView &view)
{
    if (view.Picture()->IsEmpty()) {
        view.SetImageIndex(0);
        return;
    }
    m_streams.append(view.Picture()->Data());
    view.SetImageIndex(int(m_streams.size()));
}

void TrpPictureCache::RestoreGraphic(TrpPictureView &view) const
{
    const int index = view.ImageIndex();
    if (index <= 0 || index > m_streams.size()) {
        view.Picture()->Clear();
        return;
    }
    platform::MemoryStream stream(m_streams.at(index - 1));
    stream.seek(0);
    // Refused bytes leave the picture empty (LoadPictureFromStream clears).
    view.LoadPictureFromStream(stream);
}

void TrpPictureCache::SaveToXML(TrpXMLItem &element) const
{
    element.Clear();
    for (const QByteArray &bytes : m_streams) {
        TrpXMLItem *item = element.Add();
        item->Name = QStringLiteral("item");
        item->Text = QStringLiteral("stream=\"") + QString::fromLatin1(bytes.toHex().toUpper()) + u'"';
    }
}

void TrpPictureCache::LoadFromXML(const TrpXMLItem &element)
{
    Clear();
    for (int i = 0; i < element.Count(); ++i) {
        QByteArray bytes;
        try {
            bytes = HexToBytes(element.Items(i)->Prop(QStringLiteral("stream")));
        } catch (const bralvo::Error &) {
            bytes.clear();
        }
        m_streams.append(bytes);
    }
}

} // namespace bralvo::report
