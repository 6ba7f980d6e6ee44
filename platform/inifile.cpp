// INI files in memory: parsing, lookups, edits and the atomic rewrite.
#include "platform/inifile.h"

#include "platform/textfile.h"

#include <QRegularExpression>
#include <utility>

namespace bralvo::platform {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The index key of a section or key name: names compare without regard
// to letter case.
QString folded(const QString &name)
{
    return name.toCaseFolded();
}

// Sign and decimal digits, or "0x"/"0X" and hexadecimal digits, as a
// 32-bit number; std::nullopt for anything else.
std::optional<int> parseWholeNumber(const QString &text)
{
    bool ok = false;
    int value = 0;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QString digits = text.mid(2);
        const qint64 wide = digits.toLongLong(&ok, 16);
        ok = ok && !digits.startsWith(QLatin1Char('-')) && !digits.startsWith(QLatin1Char('+'))
             && wide <= 0xFFFFFFFFLL;
        value = static_cast<int>(static_cast<quint32>(wide));
    } else {
        value = text.toInt(&ok, 10);
        ok = ok && !text.isEmpty() && !text.at(0).isSpace() && !text.back().isSpace();
    }
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

void IniFile::Section::indexLine(qsizetype at)
{
    const Line &line = lines[std::size_t(at)];
    if (line.bare)
        return;
    const QString key = folded(line.key);
    if (!keyIndex.contains(key))
        keyIndex.insert(key, at);  // the first one counts
}

void IniFile::Section::reindex()
{
    keyIndex.clear();
    for (qsizetype at = 0; at < qsizetype(lines.size()); ++at)
        indexLine(at);
}

void IniFile::reindexSections()
{
    m_sectionIndex.clear();
    for (qsizetype at = 0; at < qsizetype(m_sections.size()); ++at) {
        const QString name = folded(m_sections[std::size_t(at)].name);
        if (!m_sectionIndex.contains(name))
            m_sectionIndex.insert(name, at);
    }
}

QString IniFile::Line::text() const
{
    return bare ? value : key + QLatin1Char('=') + value;
}

IniFile::IniFile(const QString &path) : m_path(path)
{
    if (const std::optional<QString> text = readTextFileOrThrow(path))
        parse(*text);
}

IniFile IniFile::fromText(const QString &text)
{
    IniFile ini;
    ini.parse(text);
    return ini;
}

void IniFile::parse(const QString &text)
{
    Section *current = nullptr;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = &sectionForWrite(line.mid(1, line.size() - 2).trimmed());
            continue;
        }
        if (!current)
            continue;  // lines before the first section are dropped
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            current->lines.push_back(Line{QString(), line, true});
        else
            current->lines.push_back(
                Line{line.left(equals).trimmed(), line.mid(equals + 1).trimmed(), false});
        current->indexLine(qsizetype(current->lines.size()) - 1);
    }
}

const IniFile::Section *IniFile::findSection(const QString &name) const
{
    const auto found = m_sectionIndex.constFind(folded(name));
    return found == m_sectionIndex.constEnd() ? nullptr : &m_sections[std::size_t(*found)];
}

IniFile::Section *IniFile::findSection(const QString &name)
{
    return const_cast<Section *>(std::as_const(*this).findSection(name));
}

IniFile::Section &IniFile::sectionForWrite(const QString &name)
{
    if (Section *section = findSection(name))
        return *section;
    m_sections.push_back(Section{name, {}, {}});
    m_sectionIndex.insert(folded(name), qsizetype(m_sections.size()) - 1);
    return m_sections.back();
}

const IniFile::Line *IniFile::findLine(const Section &section, const QString &key)
{
    const auto found = section.keyIndex.constFind(folded(key));
    return found == section.keyIndex.constEnd() ? nullptr : &section.lines[std::size_t(*found)];
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const Section *found = findSection(section);
    const Line *line = found ? findLine(*found, key) : nullptr;
    if (!line)
        return std::nullopt;
    return line->value;
}

QString IniFile::readString(const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    return value(section, key).value_or(defaultValue);
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const std::optional<QString> text = value(section, key);
    if (!text)
        return defaultValue;
    return parseWholeNumber(*text).value_or(defaultValue);
}

bool IniFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    const std::optional<QString> text = value(section, key);
    if (!text)
        return defaultValue;
    const std::optional<int> number = parseWholeNumber(*text);
    return number ? *number != 0 : defaultValue;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    Section &target = sectionForWrite(section);
    if (Line *line = const_cast<Line *>(findLine(target, key)))
        line->value = value;
    else {
        target.lines.push_back(Line{key, value, false});
        target.indexLine(qsizetype(target.lines.size()) - 1);
    }
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::sectionExists(const QString &section) const
{
    return findSection(section) != nullptr;
}

bool IniFile::valueExists(const QString &section, const QString &key) const
{
    return value(section, key).has_value();
}

QStringList IniFile::sections() const
{
    QStringList names;
    for (const Section &section : m_sections)
        names << section.name;
    return names;
}

QStringList IniFile::keys(const QString &section) const
{
    QStringList names;
    if (const Section *found = findSection(section))
        for (const Line &line : found->lines)
            if (!line.bare)
                names << line.key;
    return names;
}

QStringList IniFile::sectionLines(const QString &section) const
{
    QStringList lines;
    if (const Section *found = findSection(section))
        for (const Line &line : found->lines)
            lines << line.text();
    return lines;
}

void IniFile::eraseSection(const QString &section)
{
    std::erase_if(m_sections, [&](const Section &s) { return sameName(s.name, section); });
    reindexSections();
}

void IniFile::deleteKey(const QString &section, const QString &key)
{
    if (Section *found = findSection(section)) {
        std::erase_if(found->lines,
                      [&](const Line &line) { return !line.bare && sameName(line.key, key); });
        found->reindex();
    }
}

void IniFile::clear()
{
    m_sections.clear();
    m_sectionIndex.clear();
}

QString IniFile::toText() const
{
    QString text;
    for (const Section &section : m_sections) {
        text += QLatin1Char('[') + section.name + QStringLiteral("]\n");
        for (const Line &line : section.lines)
            text += line.text() + QLatin1Char('\n');
        text += QLatin1Char('\n');
    }
    return text;
}

bool IniFile::save() const
{
    return saveAs(m_path);
}

bool IniFile::saveAs(const QString &path) const
{
    if (path.isEmpty())
        return false;
    return writeTextFileAtomic(path, toText());
}

} // namespace bralvo::platform
