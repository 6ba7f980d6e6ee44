// Type compatibility, method declarations and literal conversions.
#include "script/typerules.h"

#include "script/runtimeerror.h"
#include "script/tscclassvariable.h"
#include "script/tscscript.h"

#include <optional>

namespace bralvo::script {

int TypeCodeOfName(const QString &typeName, const TscScript *script)
{
    if (const TscCustomVariable *item = script ? script->Find(typeName) : nullptr)
        return item->TypeCode;
    return tcClass;
}

bool ClassInheritsFrom(const QString &targetName, const QString &sourceName, const TscScript *script)
{
    if (!script)
        return false;
    const TscClassVariable *target = script->FindClass(targetName);
    const TscClassVariable *source = script->FindClass(sourceName);
    // Walk the source's ancestors; the depth cap guards a cyclic registration.
    for (int depth = 0; target && source && depth < 256; ++depth) {
        if (source == target)
            return true;
        source = source->HomeScript ? source->HomeScript->FindClass(source->AncestorName) : nullptr;
    }
    return false;
}

bool TypesCompatible(int targetCode, const QString &targetName, int sourceCode, const QString &sourceName,
                     const TscScript *script)
{
    switch (targetCode) {
    case tcInteger:
        return sourceCode == tcInteger || sourceCode == tcFloat || sourceCode == tcVariant || sourceCode == tcEnum;
    case tcBoolean:
        return sourceCode == tcBoolean || sourceCode == tcVariant;
    case tcFloat:
        return sourceCode == tcInteger || sourceCode == tcFloat || sourceCode == tcVariant;
    case tcChar:
    case tcString:
        return sourceCode == tcChar || sourceCode == tcString || sourceCode == tcVariant;
    case tcClass:
        return sourceCode == tcVariant
            || (sourceCode == tcClass && ClassInheritsFrom(targetName, sourceName, script));
    case tcArray:
        return sourceCode == tcArray || sourceCode == tcVariant;
    case tcVariant:
        return true;
    case tcEnum:
        return sourceCode == tcInteger || sourceCode == tcVariant
            || (sourceCode == tcEnum && targetName.compare(sourceName, Qt::CaseInsensitive) == 0);
    default:
        return false;
    }
}

bool AssignCompatible(const TscCustomVariable &variable, const TscCustomVariable &expression,
                      const TscScript *script)
{
    if (variable.TypeCode == tcInteger && expression.TypeCode == tcFloat)
        return false;
    return TypesCompatible(variable.TypeCode, variable.TypeName, expression.TypeCode, expression.TypeName, script);
}

namespace {

// The few tokens a declaration holds: words, numbers, quoted texts and
// single punctuation characters.
class DeclReader {
public:
    explicit DeclReader(const QString &text) : m_text(text) {}

    QString next()
    {
        skipBlanks();
        if (m_pos >= m_text.size())
            return QString();
        const int start = m_pos;
        const QChar c = m_text[m_pos];
        if (c.isLetter() || c == QLatin1Char('_')) {
            while (m_pos < m_text.size() && (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == QLatin1Char('_')))
                ++m_pos;
        } else if (c.isDigit() || c == QLatin1Char('$')) {
            ++m_pos;
            while (m_pos < m_text.size() && (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == QLatin1Char('.')))
                ++m_pos;
        } else if (c == QLatin1Char('\'')) {
            return quoted();
        } else {
            ++m_pos;
        }
        return m_text.mid(start, m_pos - start);
    }
    QString peek()
    {
        const int saved = m_pos;
        const QString token = next();
        m_pos = saved;
        return token;
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }
    QString quoted()
    {
        QString value;
        ++m_pos;
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos++];
            if (c != QLatin1Char('\'')) {
                value += c;
            } else if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('\'')) {
                value += c;
                ++m_pos;
            } else {
                break;
            }
        }
        return QLatin1Char('\'') + value + QLatin1Char('\'');
    }

    QString m_text;
    int m_pos = 0;
};

[[noreturn]] void invalidDeclaration(const QString &syntax)
{
    throw ScriptBuildError(QStringLiteral("Invalid declaration: ") + syntax);
}

bool isIdentifier(const QString &token)
{
    return !token.isEmpty() && (token[0].isLetter() || token[0] == QLatin1Char('_'));
}

Variant readDefault(DeclReader &reader, const TscScript *script)
{
    QString token = reader.next();
    if (token == QLatin1String("-"))
        return ParserStringToVariant(QLatin1Char('-') + reader.next());
    if (isIdentifier(token)) {
        const TscCustomVariable *item = script ? script->Find(token) : nullptr;
        return item ? item->Value : Variant::null();
    }
    return ParserStringToVariant(token);
}

// One group: [var|const] names ":" type ["=" default]. Returns false at ")".
bool readGroup(DeclReader &reader, const QString &syntax, const TscScript *script, TscCustomVariable &item)
{
    bool byRef = false;
    QStringList names;
    QString token = reader.next();
    for (; token != QLatin1String(":"); token = reader.next()) {
        if (token == QLatin1String(")") && names.isEmpty() && !byRef)
            return false; // "()" or a trailing ";" before ")"
        if (token.isEmpty() || token == QLatin1String(")"))
            invalidDeclaration(syntax);
        if (token.compare(QLatin1String("var"), Qt::CaseInsensitive) == 0)
            byRef = true;
        else if (token.compare(QLatin1String("const"), Qt::CaseInsensitive) == 0)
            continue;
        else if (isIdentifier(token))
            names.append(token);
        else if (token != QLatin1String(","))
            invalidDeclaration(syntax);
    }
    const QString typeName = reader.next();
    if (!isIdentifier(typeName) || names.isEmpty())
        invalidDeclaration(syntax);
    std::optional<Variant> defaultValue;
    if (reader.peek() == QLatin1String("=")) {
        reader.next();
        defaultValue = readDefault(reader, script);
    }
    for (int i = 0; i < names.size(); ++i) {
        auto param = std::make_unique<TscParamItem>(names[i], TypeCodeOfName(typeName, script), typeName);
        param->ByRef = byRef;
        if (defaultValue && i == names.size() - 1) {
            param->Optional = true;
            param->DefaultValue = *defaultValue;
        }
        item.AddParam(std::move(param));
    }
    const QString end = reader.next();
    if (end == QLatin1String(")"))
        return false;
    if (end != QLatin1String(";"))
        invalidDeclaration(syntax);
    return true;
}

} // namespace

void ParseMethodSyntaxInto(const QString &syntax, const TscScript *script, TscCustomVariable &item)
{
    DeclReader reader(syntax);
    QString kind = reader.next();
    if (kind.startsWith(QLatin1String("macro"), Qt::CaseInsensitive)) {
        kind = kind.mid(5);
        item.TakesSourceText = true;
    }
    const QString name = reader.next();
    if (!isIdentifier(kind) || !isIdentifier(name))
        invalidDeclaration(syntax);
    QString typeName;
    if (kind.compare(QLatin1String("function"), Qt::CaseInsensitive) == 0) {
        const int colon = syntax.lastIndexOf(QLatin1Char(':'));
        DeclReader tail(colon < 0 ? QString() : syntax.mid(colon + 1));
        typeName = tail.next();
        if (!isIdentifier(typeName))
            invalidDeclaration(syntax);
    }
    item.Name = name;
    item.UpperName = name.toUpper();
    item.TypeName = typeName;
    item.TypeCode = quint8(TypeCodeOfName(typeName, script));
    if (reader.next() == QLatin1String("(")) {
        while (readGroup(reader, syntax, script, item)) {
        }
    }
}

std::unique_ptr<TscCustomVariable> ParseMethodSyntax(const QString &syntax, const TscScript *script)
{
    auto item = std::make_unique<TscCustomVariable>(QString(), tcVariant, QString());
    ParseMethodSyntaxInto(syntax, script, *item);
    return item;
}

Variant ParserStringToVariant(const QString &text)
{
    if (text.startsWith(QLatin1Char('\'')))
        return Variant(text.mid(1, text.size() - 2));
    return ParserStringToVariant(QStringView(text));
}

Variant ParserStringToVariant(QStringView text)
{
    if (text.isEmpty())
        return Variant::null();
    if (text.startsWith(QLatin1Char('\'')))
        return Variant(text.toString().mid(1, text.size() - 2));
    // Most numbers in a program are a few plain digits: nine of them
    // always fit an Integer, as toLongLong would find.
    if (text.size() <= 9) {
        int small = 0;
        qsizetype digits = 0;
        for (; digits < text.size() && text[digits] >= u'0' && text[digits] <= u'9'; ++digits)
            small = small * 10 + (text[digits].unicode() - u'0');
        if (digits == text.size())
            return Variant(small);
    }
    bool ok = false;
    qint64 number = 0;
    if (text.startsWith(QLatin1Char('$')))
        number = text.mid(1).toLongLong(&ok, 16);
    else if (text.startsWith(QLatin1String("-$")))
        number = -text.mid(2).toLongLong(&ok, 16);
    else
        number = text.toLongLong(&ok, 10);
    if (ok) {
        if (number >= 0 && number <= 2147483647)
            return Variant(int(number));
        if (number > 2147483647)
            return Variant(number);
        return Variant(int(qint32(quint32(quint64(number) & 0xffffffffu))));
    }
    const double real = text.toDouble(&ok); // "." whatever the locale
    if (!ok)
        throw ScriptBuildError(QStringLiteral("'%1' is not a valid number").arg(text));
    return Variant(real);
}

Variant VarRecToVariant(const VarRec &arg)
{
    switch (arg.tag) {
    case VarRec::Tag::Integer: return Variant(int(arg.integer));
    case VarRec::Tag::Int64: return Variant(arg.integer);
    case VarRec::Tag::Boolean: return Variant(arg.boolean);
    case VarRec::Tag::Extended: return Variant(arg.extended);
    case VarRec::Tag::String: return Variant(arg.string);
    case VarRec::Tag::Variant: return arg.variant;
    }
    return Variant::null();
}

namespace {

VarRec toVarRec(const Variant &value)
{
    using platform::VarType;
    VarRec rec;
    if (value.isArray()) {
        rec.tag = VarRec::Tag::Variant;
        rec.variant = value;
        return rec;
    }
    switch (value.kind()) {
    case platform::varSmallint: case platform::varInteger: case platform::varShortInt:
    case platform::varByte: case platform::varWord: case platform::varLongWord:
        rec.integer = value.toInt64();
        break;
    case platform::varSingle: case platform::varDouble: case platform::varCurrency: case platform::varDate:
        rec.tag = VarRec::Tag::Extended;
        rec.extended = value.toDouble();
        break;
    case platform::varString: case platform::varOleStr:
        rec.tag = VarRec::Tag::String;
        rec.string = value.toString(); // whole text: never cut to 255 characters
        break;
    case platform::varBoolean:
        rec.tag = VarRec::Tag::Boolean;
        rec.boolean = value.toBool();
        break;
    case platform::varInt64:
        rec.tag = VarRec::Tag::Int64;
        rec.integer = value.toInt64();
        break;
    default:
        break; // integer 0
    }
    return rec;
}

} // namespace

VarRecArray VariantToVarRecArray(const Variant &values)
{
    VarRecArray result;
    if (!values.isArray())
        return result;
    for (qint64 i = values.lowBound(1); i <= values.highBound(1); ++i)
        result.append(toVarRec(values.element(i)));
    return result;
}

void ClearVarRecArray(VarRecArray &array)
{
    array.clear();
}

namespace {

// toInt, with plain runs of digits read directly: every expression built
// asks for two positions.
int fieldToInt(QStringView field)
{
    if (field.isEmpty() || field.size() > 9)
        return field.toInt();
    int value = 0;
    for (const QChar c : field) {
        if (c.unicode() < '0' || c.unicode() > '9')
            return field.toInt();
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

// The first colon's index, or -1: searched by hand, as positions are a
// few characters long.
qsizetype colonIn(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u':')
            return i;
    return -1;
}

} // namespace

QPoint StrToXY(const QString &text)
{
    return StrToXY(QStringView(text));
}

QPoint StrToXY(QStringView view)
{
    if (view.isEmpty())
        return QPoint(0, 0);
    // Fields between colons, read in place: every expression built asks.
    const qsizetype first = colonIn(view);
    if (first < 0)
        return QPoint(0, fieldToInt(view));
    const QStringView rest = view.mid(first + 1);
    const qsizetype second = colonIn(rest);
    return QPoint(fieldToInt(second < 0 ? rest : rest.left(second)), fieldToInt(view.left(first)));
}

} // namespace bralvo::script
