// The INI-file module.
#include "script/bindings/tscinimodule.h"

#include "platform/daycount.h"
#include "platform/floattext.h"
#include "platform/formatdatetime.h"
#include "platform/parsedatetime.h"
#include "platform/regionalsettings.h"
#include "platform/textcodec.h"
#include "script/tscclassvariable.h"
#include "script/tscscript.h"

#include <QFileInfo>
#include <QSaveFile>

namespace bralvo::script {

namespace {

using platform::regionalSettings;

TscIniFile &iniOf(platform::HandleTarget *obj)
{
    return self<TscIniFile>(obj);
}

QString readText(platform::HandleTarget *obj, TscMethodHelper &h)
{
    return iniOf(obj).Ini().readString(textArg(h, 0), textArg(h, 1), QString());
}

void writeText(platform::HandleTarget *obj, TscMethodHelper &h, const QString &value)
{
    iniOf(obj).Ini().writeString(textArg(h, 0), textArg(h, 1), value);
    iniOf(obj).Changed();
}

// A date, time or date-and-time member: the text by the regional
// settings; a text that does not read gives the default.
template <class Parse>
Variant readDayCount(platform::HandleTarget *obj, TscMethodHelper &h, Parse parse)
{
    const std::optional<double> value = parse(readText(obj, h));
    return value ? Variant::fromDate(*value) : Variant::fromDate(arg(h, 2).toDouble());
}

void registerDates(TscClassVariable &cls)
{
    const auto date = [](const QString &t) -> std::optional<double> {
        const auto d = platform::TryStrToDate(t, regionalSettings());
        return d ? std::optional<double>(platform::dayCountFromDate(*d)) : std::nullopt;
    };
    const auto dateTime = [](const QString &t) -> std::optional<double> {
        const auto d = platform::TryStrToDateTime(t, regionalSettings());
        return d ? std::optional<double>(platform::dayCountFromDateTime(*d)) : std::nullopt;
    };
    const auto time = [](const QString &t) -> std::optional<double> {
        const auto d = platform::TryStrToTime(t, regionalSettings());
        return d ? std::optional<double>(d->msecsSinceStartOfDay() / 86400000.0) : std::nullopt;
    };
    const auto at = [](TscMethodHelper &h) { return platform::dateTimeFromDayCount(arg(h, 2).toDouble()); };
    cls.AddMethod(QStringLiteral("function ReadDate(const Section, Name: String; Default: TDateTime): TDateTime"),
                  member([date](auto *obj, TscMethodHelper &h) { return readDayCount(obj, h, date); }));
    cls.AddMethod(QStringLiteral("procedure WriteDate(const Section, Name: String; Value: TDateTime)"),
                  member([at](auto *obj, TscMethodHelper &h) {
                      writeText(obj, h, platform::DateToStr(at(h).date(), regionalSettings()));
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("function ReadDateTime(const Section, Name: String; Default: TDateTime): TDateTime"),
                  member([dateTime](auto *obj, TscMethodHelper &h) { return readDayCount(obj, h, dateTime); }));
    cls.AddMethod(QStringLiteral("procedure WriteDateTime(const Section, Name: String; Value: TDateTime)"),
                  member([at](auto *obj, TscMethodHelper &h) {
                      writeText(obj, h, platform::DateTimeToStr(at(h), regionalSettings()));
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("function ReadTime(const Section, Name: String; Default: TDateTime): TDateTime"),
                  member([time](auto *obj, TscMethodHelper &h) { return readDayCount(obj, h, time); }));
    cls.AddMethod(QStringLiteral("procedure WriteTime(const Section, Name: String; Value: TDateTime);"),
                  member([at](auto *obj, TscMethodHelper &h) {
                      writeText(obj, h, platform::TimeToStr(at(h).time(), regionalSettings()));
                      return Variant::null();
                  }));
}

void registerNumbers(TscClassVariable &cls)
{
    cls.AddMethod(QStringLiteral("function ReadInteger(const Section, Ident: String; Default: LongInt): LongInt"),
                  member([](auto *obj, TscMethodHelper &h) {
                      return Variant(iniOf(obj).Ini().readInteger(textArg(h, 0), textArg(h, 1), intArg(h, 2)));
                  }));
    cls.AddMethod(QStringLiteral("procedure WriteInteger(const Section, Ident: String; Value: LongInt)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      writeText(obj, h, QString::number(intArg(h, 2)));
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("function ReadBool(const Section, Ident: String; Default: Boolean): Boolean"),
                  member([](auto *obj, TscMethodHelper &h) {
                      return Variant(iniOf(obj).Ini().readBool(textArg(h, 0), textArg(h, 1), arg(h, 2).toBool()));
                  }));
    cls.AddMethod(QStringLiteral("procedure WriteBool(const Section, Ident: String; Value: Boolean)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      writeText(obj, h, arg(h, 2).toBool() ? QStringLiteral("1") : QStringLiteral("0"));
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("function ReadFloat(const Section, Name: String; Default: Double): Double"),
                  member([](auto *obj, TscMethodHelper &h) {
                      const auto value = platform::TryStrToFloat(readText(obj, h), regionalSettings());
                      return Variant(value ? *value : arg(h, 2).toDouble());
                  }));
    cls.AddMethod(QStringLiteral("procedure WriteFloat(const Section, Name: String; Value: Double)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      writeText(obj, h, platform::FloatToStr(arg(h, 2).toDouble(), regionalSettings()));
                      return Variant::null();
                  }));
}

// Binary values are written as hexadecimal digits, two per byte.
void registerBinary(TscClassVariable &cls)
{
    cls.AddMethod(QStringLiteral("function ReadBinaryStream(const Section, Name: String; Value: TStream): Integer"),
                  member([](auto *obj, TscMethodHelper &h) {
                      const QByteArray bytes = QByteArray::fromHex(readText(obj, h).toLatin1());
                      streamArg(arg(h, 2)).write(bytes);
                      return Variant(int(bytes.size()));
                  }));
    cls.AddMethod(QStringLiteral("procedure WriteBinaryStream(const Section, Name: String; Value: TStream)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      platform::Stream &stream = streamArg(arg(h, 2));
                      stream.seek(0);
                      writeText(obj, h, QString::fromLatin1(stream.readAll().toHex().toUpper()));
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("function SectionExists(const Section: String): Boolean"),
                  member([](auto *obj, TscMethodHelper &h) {
                      return Variant(iniOf(obj).Ini().sectionExists(textArg(h, 0)));
                  }));
    cls.AddMethod(QStringLiteral("function ValueExists(const Section, Ident: String): Boolean"),
                  member([](auto *obj, TscMethodHelper &h) {
                      return Variant(iniOf(obj).Ini().valueExists(textArg(h, 0), textArg(h, 1)));
                  }));
    cls.AddProperty(QStringLiteral("FileName"), QStringLiteral("String"),
                    getter([](auto *obj) { return Variant(iniOf(obj).FileName()); }));
}

void fill(platform::StringList *list, const QStringList &lines)
{
    if (!list)
        throw platform::InvalidHandleError();
    list->clear();
    list->addStrings(lines);
}

void registerSectionMembers(TscClassVariable &cls)
{
    cls.AddMethod(QStringLiteral("procedure WriteString(const Section, Ident, Value: String)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      writeText(obj, h, textArg(h, 2));
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("function ReadString(const Section, Ident, Default: String): String;"),
                  member([](auto *obj, TscMethodHelper &h) {
                      return Variant(iniOf(obj).Ini().readString(textArg(h, 0), textArg(h, 1), textArg(h, 2)));
                  }));
    cls.AddMethod(QStringLiteral("procedure ReadSectionValuesEx(const Section: String; Strings: TStrings)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      QStringList values;
                      for (const QString &line : iniOf(obj).Ini().sectionLines(textArg(h, 0)))
                          values.append(line.section(u'=', 1));
                      fill(stringsArg(arg(h, 1)), values);
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("procedure DeleteKey(const Section, Ident: String)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      iniOf(obj).Ini().deleteKey(textArg(h, 0), textArg(h, 1));
                      iniOf(obj).Changed();
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("procedure ReadSection(const Section: String; Strings: TStrings)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      fill(stringsArg(arg(h, 1)), iniOf(obj).Ini().keys(textArg(h, 0)));
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("procedure ReadSections(Strings: TStrings)"), member([](auto *obj, TscMethodHelper &h) {
        fill(stringsArg(arg(h, 0)), iniOf(obj).Ini().sections());
        return Variant::null();
    }));
    cls.AddMethod(QStringLiteral("procedure ReadSectionValues(const Section: String; Strings: TStrings)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      fill(stringsArg(arg(h, 1)), iniOf(obj).Ini().sectionLines(textArg(h, 0)));
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("procedure EraseSection(const Section: String)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      iniOf(obj).Ini().eraseSection(textArg(h, 0));
                      iniOf(obj).Changed();
                      return Variant::null();
                  }));
}

// SaveIniFileToStream / LoadIniFileFromStream: the whole INI text as lines.
void registerStreamMembers(TscClassVariable &cls)
{
    cls.AddMethod(QStringLiteral("procedure SaveIniFileToStream(oStream: TStream)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      if (!obj || arg(h, 0).isNull() || arg(h, 0).toInt64() == 0)
                          return Variant::null();
                      TscIniFile &ini = iniOf(obj);
                      const QString text = ini.InMemory() ? ini.Ini().toText()
                                                          : platform::IniFile(ini.FileName()).toText();
                      streamArg(arg(h, 0)).write(text.toUtf8());
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("procedure LoadIniFileFromStream(oStream: TStream)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      if (!obj || arg(h, 0).isNull() || arg(h, 0).toInt64() == 0)
                          return Variant::null();
                      iniOf(obj).LoadFromBytes(streamArg(arg(h, 0)).readAll());
                      return Variant::null();
                  }));
}

void registerMemoryOnly(TscClassVariable &cls)
{
    cls.AddMethod(QStringLiteral("procedure Clear"), member([](auto *obj, TscMethodHelper &) {
        iniOf(obj).Ini().clear();
        return Variant::null();
    }));
    cls.AddMethod(QStringLiteral("procedure GetStrings(List: TStrings)"), member([](auto *obj, TscMethodHelper &h) {
        platform::StringList *list = stringsArg(arg(h, 0));
        if (!list)
            throw platform::InvalidHandleError();
        list->setText(iniOf(obj).Ini().toText());
        return Variant::null();
    }));
    cls.AddMethod(QStringLiteral("procedure SetStrings(List: TStrings)"), member([](auto *obj, TscMethodHelper &h) {
        platform::StringList *list = stringsArg(arg(h, 0));
        if (!list)
            throw platform::InvalidHandleError();
        iniOf(obj).Ini() = platform::IniFile::fromText(list->text());
        return Variant::null();
    }));
}

} // namespace

TscIniFile::TscIniFile(const QString &className, const QString &fileName, bool inMemory)
    : TscHostObject(className), m_ini(fileName), m_fileName(fileName), m_inMemory(inMemory)
{
}

void TscIniFile::LoadFromBytes(const QByteArray &bytes)
{
    if (m_inMemory) {
        platform::IniFile loaded = platform::IniFile::fromText(platform::decodeText(bytes));
        m_ini.clear();
        for (const QString &section : loaded.sections())
            for (const QString &key : loaded.keys(section))
                m_ini.writeString(section, key, loaded.readString(section, key, QString()));
        return;
    }
    // The file takes the lines exactly as the stream holds them.
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw platform::StreamError(QStringLiteral("Cannot create file \"%1\"").arg(m_fileName));
    m_ini = platform::IniFile(m_fileName);
}

void TscIniFile::Changed()
{
    if (!m_inMemory && !m_ini.save())
        throw platform::StreamError(QStringLiteral("Cannot create file \"%1\"").arg(m_fileName));
}

TscIniModule::TscIniModule(TscScript &script) : TscBindingModule(script)
{
    if (TscClassVariable *cls = script.AddClass(QStringLiteral("TCustomIniFile"), QStringLiteral("TObject"))) {
        cls->AddConstructor(QStringLiteral("constructor Create(const FileName: String)"),
                            member([this](auto *, TscMethodHelper &h) {
                                const QString name = constructedClass(h, QStringLiteral("TCustomIniFile"));
                                const bool memory = name.compare(QLatin1String("TMemIniFile"), Qt::CaseInsensitive) == 0;
                                return Variant(adopt(std::make_unique<TscIniFile>(name, textArg(h, 0), memory)));
                            }));
        registerNumbers(*cls);
        registerDates(*cls);
        registerBinary(*cls);
    }
    if (TscClassVariable *cls = script.AddClass(QStringLiteral("TMemIniFile"), QStringLiteral("TCustomIniFile"))) {
        cls->AddConstructor(QStringLiteral("constructor Create(const FileName: String)"),
                            member([this](auto *, TscMethodHelper &h) {
                                return Variant(adopt(
                                    std::make_unique<TscIniFile>(QStringLiteral("TMemIniFile"), textArg(h, 0), true)));
                            }));
        registerSectionMembers(*cls);
        registerMemoryOnly(*cls);
        registerStreamMembers(*cls);
    }
    if (TscClassVariable *cls = script.AddClass(QStringLiteral("TIniFile"), QStringLiteral("TCustomIniFile"))) {
        registerSectionMembers(*cls);
        registerStreamMembers(*cls);
    }
}

} // namespace bralvo::script
