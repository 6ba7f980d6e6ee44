// TStream, TFileStream and TMemoryStream for scripts. A script's text
// buffer holds one byte per character (Latin-1); a text with characters
// beyond U+00FF is written as UTF-8.
#include "script/bindings/tscclassesmodule.h"
#include "script/tscclassvariable.h"
#include "script/tscscript.h"

#include <QSaveFile>
#include <algorithm>

namespace bralvo::script {

namespace {

platform::Stream &streamOf(platform::HandleTarget *obj)
{
    return self<TscStream>(obj).Stream();
}

QByteArray bytesOf(const QString &text)
{
    const bool narrow = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
    return narrow ? text.toLatin1() : text.toUtf8();
}

qint64 remaining(const platform::Stream &stream)
{
    return std::max<qint64>(0, stream.size() - stream.position());
}

// Count clamped to 0 .. what is left: a negative or huge count never
// allocates or reads past the end.
qint64 clampedCount(const platform::Stream &stream, const Variant &count)
{
    return std::clamp<qint64>(count.toInt64(), 0, remaining(stream));
}

void registerStreamMembers(TscClassVariable &cls)
{
    cls.AddMethod(QStringLiteral("function Read(var Buffer: string; Count: Longint): Longint"),
                  member([](auto *obj, TscMethodHelper &h) {
                      platform::Stream &stream = streamOf(obj);
                      const QByteArray bytes = stream.readBytes(clampedCount(stream, arg(h, 1)));
                      h.SetParamValue(0, Variant(QString::fromLatin1(bytes)));
                      return Variant(int(bytes.size()));
                  }));
    cls.AddMethod(QStringLiteral("function Write(Buffer: string; Count: Longint): Longint"),
                  member([](auto *obj, TscMethodHelper &h) {
                      const QByteArray bytes = bytesOf(textArg(h, 0));
                      const qint64 count = std::clamp<qint64>(arg(h, 1).toInt64(), 0, bytes.size());
                      streamOf(obj).write(bytes.constData(), count);
                      return Variant(int(count));
                  }));
    cls.AddMethod(QStringLiteral("function Seek(Offset: Longint; Origin: Word): Longint"),
                  member([](auto *obj, TscMethodHelper &h) {
                      platform::Stream &stream = streamOf(obj);
                      const qint64 base = intArg(h, 1) == 1 ? stream.position() : intArg(h, 1) == 2 ? stream.size() : 0;
                      stream.seek(std::max<qint64>(0, base + arg(h, 0).toInt64()));
                      return Variant(stream.position());
                  }));
    cls.AddMethod(QStringLiteral("function CopyFrom(Source: TStream; Count: Longint): Longint"),
                  member([](auto *obj, TscMethodHelper &h) {
                      platform::Stream &source = streamArg(arg(h, 0));
                      const qint64 count = arg(h, 1).toInt64();
                      if (count < 0)
                          return Variant(qint64(0));
                      if (count == 0)
                          return Variant(streamOf(obj).copyFrom(source, 0));
                      return Variant(streamOf(obj).copyFrom(source, std::min(count, remaining(source))));
                  }));
    cls.AddProperty(QStringLiteral("Position"), QStringLiteral("Longint"),
                    getter([](auto *obj) { return Variant(streamOf(obj).position()); }),
                    setter([](auto *obj, const Variant &v) { streamOf(obj).seek(std::max<qint64>(0, v.toInt64())); }));
    cls.AddProperty(QStringLiteral("Size"), QStringLiteral("Longint"),
                    getter([](auto *obj) { return Variant(streamOf(obj).size()); }));
}

platform::FileStream::Mode fileMode(int mode)
{
    if ((mode & 0xFFFF) == 0xFFFF)
        return platform::FileStream::Mode::Create;
    return (mode & 3) == 0 ? platform::FileStream::Mode::Read : platform::FileStream::Mode::ReadWrite;
}

platform::MemoryStream &memoryOf(platform::HandleTarget *obj)
{
    auto *memory = dynamic_cast<platform::MemoryStream *>(&streamOf(obj));
    if (!memory)
        throw platform::InvalidHandleError();
    return *memory;
}

void registerMemoryMembers(TscClassVariable &cls)
{
    cls.AddMethod(QStringLiteral("procedure Clear"), member([](auto *obj, TscMethodHelper &) {
        memoryOf(obj).clear();
        return Variant::null();
    }));
    cls.AddMethod(QStringLiteral("procedure LoadFromStream(Stream: TStream)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      platform::Stream &source = streamArg(arg(h, 0));
                      source.seek(0);
                      platform::MemoryStream &memory = memoryOf(obj);
                      memory.clear();
                      memory.write(source.readAll());
                      memory.seek(0);
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("procedure LoadFromFile(Filename: String)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      platform::FileStream file(textArg(h, 0), platform::FileStream::Mode::Read);
                      platform::MemoryStream &memory = memoryOf(obj);
                      memory.clear();
                      memory.write(file.readAll());
                      memory.seek(0);
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("procedure SaveToStream(Stream: TStream)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      streamArg(arg(h, 0)).write(memoryOf(obj).data());
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("procedure SaveToFile(Filename: String)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      QSaveFile file(textArg(h, 0));
                      if (!file.open(QIODevice::WriteOnly) || file.write(memoryOf(obj).data()) < 0 || !file.commit())
                          throw platform::StreamError(QStringLiteral("Cannot create file \"%1\"").arg(textArg(h, 0)));
                      return Variant::null();
                  }));
}

} // namespace

void registerStreamClasses(TscScript &script,
                           const std::function<qint64(std::unique_ptr<platform::HandleTarget>)> &adopt)
{
    if (TscClassVariable *cls = script.AddClass(QStringLiteral("TStream"), QStringLiteral("TObject")))
        registerStreamMembers(*cls);
    if (TscClassVariable *cls = script.AddClass(QStringLiteral("TFileStream"), QStringLiteral("TStream"))) {
        cls->AddConstructor(QStringLiteral("constructor Create(Filename: String; Mode: Word)"),
                            member([adopt](auto *, TscMethodHelper &h) {
                                auto file = std::make_unique<platform::FileStream>(textArg(h, 0), fileMode(intArg(h, 1)));
                                return Variant(adopt(std::make_unique<TscStream>(QStringLiteral("TFileStream"),
                                                                                 std::move(file))));
                            }));
    }
    if (TscClassVariable *cls = script.AddClass(QStringLiteral("TMemoryStream"), QStringLiteral("TStream")))
        registerMemoryMembers(*cls);
}

} // namespace bralvo::script
