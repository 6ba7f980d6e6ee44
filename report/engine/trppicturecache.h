// The pictures of picture views on prepared pages. A view refers to its
// picture by ImageIndex, the 1-based position in the list (0: none), so a
// picture printed on every page is kept once. The bytes are the
// picture's own stored form; they come from files and are untrusted:
// a picture that cannot be decoded restores as an empty picture.
#pragma once

#include <QByteArray>
#include <QList>

namespace bralvo::report {

class TrpPictureView;
class TrpXMLItem;

class TrpPictureCache {
public:
    void Clear() { m_streams.clear(); }
    int Count() const { return int(m_streams.size()); }
    const QByteArray &Stream(int index) const { return m_streams.at(index); }
    // Appends an empty entry and returns its index.
    int AddStream();
    // ImageIndex := count + 1 with the view's picture appended, or 0 when
    // the view has no picture.
    void StoreGraphic(TrpPictureView &view);
    // The entry at ImageIndex into the view's picture; an index outside
    // the list or undecodable bytes empty the picture.
    void RestoreGraphic(TrpPictureView &view) const;
    // Children "item" with the attribute stream = the bytes in hex.
    void SaveToXML(TrpXMLItem &element) const;
    // Clear, then one entry per child; a malformed hex text gives an
    // empty entry.
    void LoadFromXML(const TrpXMLItem &element);

private:
    QList<QByteArray> m_streams;
};

} // namespace bralvo::report
