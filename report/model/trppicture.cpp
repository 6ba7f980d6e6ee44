// Pictures kept as file bytes.
#include "report/model/trppicture.h"

#include "platform/valuecodec.h"

namespace bralvo::report {

const platform::ClassInfo &TrpPicture::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TPicture", &platform::Persistent::staticClass(), [](platform::Component *) { return new TrpPicture; },
        [](platform::PropertyTable &) {});
    return info;
}

QImage TrpPicture::Image() const
{
    return QImage::fromData(m_data);
}

void TrpPicture::assign(const platform::Persistent &source)
{
    const auto *p = dynamic_cast<const TrpPicture *>(&source);
    if (!p) {
        platform::Persistent::assign(source);
        return;
    }
    m_data = p->m_data;
}

void TrpPicture::defineProperties(platform::PropertyFiler &filer)
{
    filer.defineProperty(
        QStringLiteral("Data"), [this](platform::ValueReader &r) { m_data = r.readBinary(); },
        [this](platform::ValueWriter &w) { w.writeBinary(m_data); }, !m_data.isEmpty());
}

} // namespace bralvo::report
