// Wide string list: lines, text splitting, streams and form streaming.
#include "report/model/twidestrings.h"

#include "platform/savetarget.h"
#include "platform/stream.h"
#include "platform/stringlist.h"
#include "platform/textcodec.h"
#include "platform/valuecodec.h"
#include "report/model/reporterror.h"

#include <QSaveFile>

namespace bralvo::report {

const platform::ClassInfo &TWideStrings::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TWideStrings", &platform::Persistent::staticClass(), [](platform::Component *) { return new TWideStrings; },
        [](platform::PropertyTable &) {});
    return info;
}

QString TWideStrings::Strings(int index) const
{
    return index >= 0 && index < m_lines.size() ? m_lines[index].text : QString();
}

void TWideStrings::SetStrings(int index, const QString &text)
{
    if (index >= 0 && index < m_lines.size())
        m_lines[index].text = text;
    else if (index == m_lines.size())
        Add(text);
    else
        throw ReportError(QStringLiteral("Wide String Out of Bounds"));
}

void *TWideStrings::Objects(int index) const
{
    return index >= 0 && index < m_lines.size() ? m_lines[index].object : nullptr;
}

void TWideStrings::SetObjects(int index, void *object)
{
    if (index >= 0 && index < m_lines.size())
        m_lines[index].object = object;
}

int TWideStrings::Add(const QString &text)
{
    m_lines.append(Line{text, nullptr});
    return int(m_lines.size()) - 1;
}

int TWideStrings::AddObject(const QString &text, void *object)
{
    const int i = Add(text);
    SetObjects(i, object);
    return i;
}

void TWideStrings::Insert(int index, const QString &text)
{
    if (index < 0 || index > Count())
        throw platform::ListIndexError(QStringLiteral("List index out of bounds (%1)").arg(index));
    Line line;
    line.text = text;
    m_lines.insert(index, line);
}

void TWideStrings::AddStrings(const TWideStrings &source)
{
    const QList<Line> lines = source.m_lines; // source may be this list
    m_lines.append(lines);
}

void TWideStrings::Delete(int index)
{
    if (index < 0 || index >= m_lines.size())
        throw platform::ListIndexError(QStringLiteral("List index out of bounds (%1)").arg(index));
    m_lines.removeAt(index);
}

int TWideStrings::IndexOf(const QString &text) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].text == text)
            return i;
    }
    return -1;
}

QString TWideStrings::Text() const
{
    QString out;
    for (const Line &l : m_lines)
        out += l.text + QStringLiteral("\r\n");
    return out;
}

void TWideStrings::SetText(const QString &text)
{
    Clear();
    const QChar ls(0x2028);
    qsizetype n = text.indexOf(QChar(0));
    if (n < 0)
        n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype start = i;
        while (i < n && text[i] != u'\r' && text[i] != u'\n' && text[i] != ls)
            ++i;
        Add(text.mid(start, i - start));
        if (i < n && text[i] == u'\r')
            ++i;
        if (i < n && text[i] == u'\n')
            ++i;
        if (i < n && text[i] == ls)
            ++i;
    }
}

namespace {

QString fromUtf16Le(const QByteArray &bytes)
{
    const qsizetype n = bytes.size() / 2;
    QString text(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        text[i] = QChar(ushort(quint8(bytes[2 * i]) | (quint8(bytes[2 * i + 1]) << 8)));
    return text;
}

QByteArray toUtf16Le(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() * 2 + 2);
    for (const QChar c : text) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

// A byte-order mark that survived decoding is no part of the text.
QString withoutMark(QString text)
{
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

} // namespace

void TWideStrings::LoadFromStream(platform::Stream &stream)
{
    const qint64 n = stream.size() - stream.position();
    // Two bytes FF FE are what SaveToStream writes for an empty list.
    if (n >= 2) {
        const QByteArray mark = stream.readBytes(2);
        if (quint8(mark[0]) == 0xFF && quint8(mark[1]) == 0xFE) {
            SetText(fromUtf16Le(stream.readAll()));
            return;
        }
        stream.seek(stream.position() - 2);
    }
    SetText(withoutMark(platform::decodeText(stream.readAll())));
}

void TWideStrings::LoadFromWideStream(platform::Stream &stream)
{
    SetText(withoutMark(fromUtf16Le(stream.readAll())));
}

void TWideStrings::SaveToStream(platform::Stream &stream) const
{
    stream.write(QByteArray("\xFF\xFE", 2) + toUtf16Le(Text()));
}

void TWideStrings::LoadFromFile(const QString &fileName)
{
    platform::FileStream stream(fileName, platform::FileStream::Mode::Read);
    LoadFromStream(stream);
}

void TWideStrings::SaveToFile(const QString &fileName) const
{
    platform::checkSaveTarget(fileName);
    platform::MemoryStream bytes;
    SaveToStream(bytes);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data()) != bytes.size() || !file.commit())
        throw platform::StreamError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
}

void TWideStrings::assign(const platform::Persistent &source)
{
    if (const auto *w = dynamic_cast<const TWideStrings *>(&source)) {
        if (w == this)
            return;
        Clear();
        AddStrings(*w);
        return;
    }
    if (const auto *s = dynamic_cast<const platform::StringList *>(&source)) {
        Clear();
        for (int i = 0; i < s->count(); ++i)
            AddObject(s->at(i), s->object(i));
        return;
    }
    platform::Persistent::assign(source);
}

void TWideStrings::assignTo(platform::Persistent &dest) const
{
    if (auto *s = dynamic_cast<platform::StringList *>(&dest)) {
        s->clear();
        for (const Line &l : m_lines)
            s->add(l.text, l.object);
        return;
    }
    platform::Persistent::assignTo(dest);
}

void TWideStrings::defineProperties(platform::PropertyFiler &filer)
{
    filer.defineProperty(
        QStringLiteral("Strings"),
        [this](platform::ValueReader &r) {
            Clear();
            r.readListBegin();
            while (!r.endOfList())
                Add(r.readString());
            r.readListEnd();
        },
        nullptr, false);
    filer.defineProperty(
        QStringLiteral("UTF8"),
        [this](platform::ValueReader &r) {
            Clear();
            r.readListBegin();
            while (!r.endOfList()) {
                const platform::ValueType t = r.nextValue();
                if (t == platform::ValueType::String || t == platform::ValueType::LString)
                    Add(QString::fromUtf8(r.readString8Bytes()));
                else
                    Add(r.readString());
            }
            r.readListEnd();
        },
        [this](platform::ValueWriter &w) {
            w.writeListBegin();
            for (const Line &l : m_lines)
                w.writeString8(l.text.toUtf8());
            w.writeListEnd();
        },
        Count() > 0);
}

} // namespace bralvo::report
