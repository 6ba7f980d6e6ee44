// TStrings and TStringList for scripts, over the class library's list.
#include "platform/stringlist.h"
#include "platform/textfile.h"
#include "script/bindings/tscclassesmodule.h"
#include "script/tscclassvariable.h"
#include "script/tscscript.h"

#include <QSaveFile>

namespace bralvo::script {

namespace {

using platform::StringList;

TscStrings &stringsOf(platform::HandleTarget *obj)
{
    return self<TscStrings>(obj);
}

StringList &listOf(platform::HandleTarget *obj)
{
    return stringsOf(obj).List;
}

// A change of the list: the owner hears of it at the end of the
// expression (editOf(obj).list.add(...)), so a control's Items show it.
struct Edit {
    TscStrings &strings;
    StringList &list;
    ~Edit() { strings.Changed(); }
};

Edit editOf(platform::HandleTarget *obj)
{
    TscStrings &strings = stringsOf(obj);
    return Edit{strings, strings.List};
}

qint64 objectArgHandle(TscMethodHelper &call, int index)
{
    const Variant v = call.GetParamValue(index);
    const qint64 handle = v.isNull() || v.isEmpty() ? 0 : v.toInt64();
    if (handle != 0)
        platform::HandleRegistry::lookup(handle);
    return handle;
}

void *asObject(qint64 handle)
{
    return reinterpret_cast<void *>(quintptr(handle));
}

// CommaText: lines separated by commas, a line with a blank, comma or
// quote written in double quotes (quotes doubled).
QString commaText(const StringList &list)
{
    QStringList parts;
    for (const QString &line : list.toStringList()) {
        const bool quote = line.isEmpty() || line.contains(u' ') || line.contains(u',') || line.contains(u'"');
        parts.append(quote ? u'"' + QString(line).replace(u'"', QLatin1String("\"\"")) + u'"' : line);
    }
    return parts.join(u',');
}

void setCommaText(StringList &list, const QString &text)
{
    list.clear();
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == u' ')
            ++i;
        QString item;
        if (i < text.size() && text[i] == u'"') {
            for (++i; i < text.size(); ++i) {
                if (text[i] == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                    item += text[++i];
                else if (text[i] == u'"')
                    break;
                else
                    item += text[i];
            }
            ++i;
        }
        while (i < text.size() && text[i] != u',' && text[i] != u' ')
            item += text[i++];
        list.add(item);
        while (i < text.size() && (text[i] == u' ' || text[i] == u','))
            ++i;
    }
}

void saveText(const QString &fileName, const QString &text)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        throw platform::StreamError(QStringLiteral("Cannot create file \"%1\"").arg(fileName));
}

void registerListMethods(TscClassVariable &cls)
{
    cls.AddMethod(QStringLiteral("function Add(const S: string): Integer"),
                  member([](auto *obj, TscMethodHelper &h) { return Variant(editOf(obj).list.add(textArg(h, 0))); }));
    cls.AddMethod(QStringLiteral("function AddObject(const S: string; AObject: TObject): Integer"),
                  member([](auto *obj, TscMethodHelper &h) {
                      return Variant(editOf(obj).list.add(textArg(h, 0), asObject(objectArgHandle(h, 1))));
                  }));
    cls.AddMethod(QStringLiteral("procedure Clear"), member([](auto *obj, TscMethodHelper &) {
        editOf(obj).list.clear();
        return Variant::null();
    }));
    cls.AddMethod(QStringLiteral("procedure Delete(Index: Integer)"), member([](auto *obj, TscMethodHelper &h) {
        editOf(obj).list.remove(intArg(h, 0));
        return Variant::null();
    }));
    cls.AddMethod(QStringLiteral("function IndexOf(const S: string): Integer"),
                  member([](auto *obj, TscMethodHelper &h) { return Variant(listOf(obj).indexOf(textArg(h, 0))); }));
    cls.AddMethod(QStringLiteral("function IndexOfName(const Name: string): Integer"),
                  member([](auto *obj, TscMethodHelper &h) {
                      return Variant(listOf(obj).indexOfName(textArg(h, 0)));
                  }));
    cls.AddMethod(QStringLiteral("function IndexOfObject(AObject: TObject): Integer"),
                  member([](auto *obj, TscMethodHelper &h) {
                      const Variant v = arg(h, 0);
                      return Variant(listOf(obj).indexOfObject(asObject(v.isNull() ? 0 : v.toInt64())));
                  }));
    cls.AddMethod(QStringLiteral("procedure Insert(Index: Integer; const S: string)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      editOf(obj).list.insert(intArg(h, 0), textArg(h, 1));
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("procedure InsertObject(Index: Integer; const S: string; AObject: TObject)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      editOf(obj).list.insert(intArg(h, 0), textArg(h, 1), asObject(objectArgHandle(h, 2)));
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("procedure Move(CurIndex, NewIndex: Integer)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      editOf(obj).list.move(intArg(h, 0), intArg(h, 1));
                      return Variant::null();
                  }));
}

void registerFileMethods(TscClassVariable &cls)
{
    cls.AddMethod(QStringLiteral("procedure LoadFromFile(const FileName: string)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      const std::optional<QString> text = platform::readTextFile(textArg(h, 0));
                      if (!text)
                          throw platform::StreamError(QStringLiteral("Cannot open file \"%1\"").arg(textArg(h, 0)));
                      editOf(obj).list.setText(*text);
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("procedure LoadFromStream(Stream: TStream)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      editOf(obj).list.setText(QString::fromUtf8(streamArg(arg(h, 0)).readAll()));
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("procedure SaveToFile(const FileName: string)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      saveText(textArg(h, 0), listOf(obj).text());
                      return Variant::null();
                  }));
    cls.AddMethod(QStringLiteral("procedure SaveToStream(Stream: TStream)"),
                  member([](auto *obj, TscMethodHelper &h) {
                      streamArg(arg(h, 0)).write(listOf(obj).text().toUtf8());
                      return Variant::null();
                  }));
}

void registerListProperties(TscClassVariable &cls)
{
    cls.AddProperty(QStringLiteral("CommaText"), QStringLiteral("string"),
                    getter([](auto *obj) { return Variant(commaText(listOf(obj))); }),
                    setter([](auto *obj, const Variant &v) { setCommaText(editOf(obj).list, v.toString()); }));
    cls.AddProperty(QStringLiteral("Count"), QStringLiteral("Integer"),
                    getter([](auto *obj) { return Variant(listOf(obj).count()); }));
    cls.AddIndexProperty(QStringLiteral("Names"), QStringLiteral("Integer"), QStringLiteral("string"),
                         indexed([](auto *obj, TscMethodHelper &h) { return Variant(listOf(obj).name(intArg(h, 0))); }),
                         true);
    cls.AddIndexProperty(QStringLiteral("Objects"), QStringLiteral("Integer"), QStringLiteral("TObject"),
                         indexed(
                             [](auto *obj, TscMethodHelper &h) {
                                 listOf(obj).at(intArg(h, 0)); // index check
                                 return Variant(stringsOf(obj).objectAt(intArg(h, 0)));
                             },
                             [](auto *obj, TscMethodHelper &h) {
                                 listOf(obj).at(intArg(h, 0));
                                 stringsOf(obj).setObjectAt(intArg(h, 0), objectArgHandle(h, 1));
                             }));
    cls.AddIndexProperty(
        QStringLiteral("Values"), QStringLiteral("String"), QStringLiteral("string"),
        indexed([](auto *obj, TscMethodHelper &h) { return Variant(listOf(obj).value(textArg(h, 0))); },
                [](auto *obj, TscMethodHelper &h) { editOf(obj).list.setValue(textArg(h, 0), textArg(h, 1)); }));
    cls.AddDefaultProperty(
        QStringLiteral("Strings"), QStringLiteral("Integer"), QStringLiteral("string"),
        indexed([](auto *obj, TscMethodHelper &h) { return Variant(listOf(obj).at(intArg(h, 0))); },
                [](auto *obj, TscMethodHelper &h) { editOf(obj).list.set(intArg(h, 0), textArg(h, 1)); }));
    cls.AddProperty(QStringLiteral("Text"), QStringLiteral("string"),
                    getter([](auto *obj) { return Variant(listOf(obj).text()); }),
                    setter([](auto *obj, const Variant &v) { editOf(obj).list.setText(v.toString()); }));
}

StringList::Duplicates duplicatesOf(int ordinal)
{
    switch (ordinal) {
    case 0: return StringList::Duplicates::Ignore;
    case 2: return StringList::Duplicates::Error;
    default: return StringList::Duplicates::Accept;
    }
}

int ordinalOf(StringList::Duplicates d)
{
    return d == StringList::Duplicates::Ignore ? 0 : d == StringList::Duplicates::Error ? 2 : 1;
}

void registerStringList(TscClassVariable &cls)
{
    cls.AddMethod(QStringLiteral("function Find(s: String; var Index: Integer): Boolean"),
                  member([](auto *obj, TscMethodHelper &h) {
                      const StringList &list = listOf(obj);
                      const QString text = textArg(h, 0);
                      // A sorted list gives the insertion point when the
                      // text is missing; an unsorted one its position.
                      int index = list.indexOf(text);
                      const bool found = index >= 0;
                      if (!found) {
                          index = 0;
                          while (list.sorted() && index < list.count() && list.compareStrings(list.at(index), text) < 0)
                              ++index;
                      }
                      h.SetParamValue(1, Variant(index));
                      return Variant(found);
                  }));
    cls.AddMethod(QStringLiteral("procedure Sort"), member([](auto *obj, TscMethodHelper &) {
        editOf(obj).list.sort();
        return Variant::null();
    }));
    cls.AddProperty(QStringLiteral("Duplicates"), QStringLiteral("TDuplicates"),
                    getter([](auto *obj) { return Variant(ordinalOf(listOf(obj).duplicates())); }),
                    setter([](auto *obj, const Variant &v) { listOf(obj).setDuplicates(duplicatesOf(v.toInt())); }));
    cls.AddProperty(QStringLiteral("Sorted"), QStringLiteral("Boolean"),
                    getter([](auto *obj) { return Variant(listOf(obj).sorted()); }),
                    setter([](auto *obj, const Variant &v) { editOf(obj).list.setSorted(v.toBool()); }));
}

} // namespace

void registerStringsClasses(TscScript &script, const std::function<qint64(const QString &)> &create)
{
    Q_UNUSED(create);
    if (TscClassVariable *cls = script.AddClass(QStringLiteral("TStrings"), QStringLiteral("TPersistent"))) {
        registerListMethods(*cls);
        registerFileMethods(*cls);
        registerListProperties(*cls);
    }
    if (TscClassVariable *cls = script.AddClass(QStringLiteral("TStringList"), QStringLiteral("TStrings")))
        registerStringList(*cls);
}

} // namespace bralvo::script
