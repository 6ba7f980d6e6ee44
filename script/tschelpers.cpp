// Array, string, property and method helpers, and set expressions.
#include "script/tschelpers.h"

#include "platform/handleregistry.h"
#include "script/runtimeerror.h"
#include "script/tscpropertytable.h"
#include "script/tscscript.h"
#include "script/typerules.h"

#include <typeinfo>

namespace bralvo::script {

namespace {

// The host object a value stands for: nullptr for Null, Empty and 0; a
// dead or unknown handle raises "Invalid object reference".
platform::HandleTarget *objectOf(const Variant &value)
{
    if (value.isNull() || value.isEmpty())
        return nullptr;
    if (!value.isIntegral() && value.kind() != platform::varDispatch)
        throw platform::InvalidHandleError();
    return platform::HandleRegistry::lookup(value.toInt64());
}

// The array an array helper indexes: the variable's or parameter's own
// storage, so that assignments land in place (a by-reference parameter
// then hands the changed array back to the caller).
Variant *arrayStorage(TscCustomVariable *leftItem)
{
    if (!leftItem)
        return nullptr;
    if (HoldsPlainValue(*leftItem))
        return &leftItem->Value; // the common case, without a cast
    const bool stored = dynamic_cast<TscVariable *>(leftItem) || dynamic_cast<TscParamItem *>(leftItem);
    if (!stored || dynamic_cast<TscStringVariable *>(leftItem))
        return nullptr;
    return &leftItem->Value;
}

void checkIndices(const Variant &array, const QList<qint64> &index)
{
    for (int d = 0; d < index.size(); ++d)
        if (index[d] < array.lowBound(d + 1) || index[d] > array.highBound(d + 1))
            throw rangeError();
}

} // namespace

TscArrayHelper::TscArrayHelper(const QString &name, int typeCode, const QString &typeName, int dimensions)
    : TscCustomHelper(name, typeCode, typeName)
{
    const int count = dimensions < 0 ? 3 : dimensions;
    for (int i = 0; i < count; ++i) {
        auto param = std::make_unique<TscParamItem>(QStringLiteral("Index%1").arg(i), tcInteger, QString());
        param->Optional = dimensions < 0 && i > 0;
        AddParam(std::move(param));
    }
}

const QList<qint64> &TscArrayHelper::indices(int dims)
{
    const qsizetype count = std::min(dims, Count());
    if (m_index.size() != count)
        m_index.resize(count);
    qint64 *index = m_index.data();
    for (qsizetype i = 0; i < count; ++i)
        index[i] = GetParam(int(i))->Value.toInt64();
    return m_index;
}

Variant TscArrayHelper::GetValue()
{
    Variant *storage = arrayStorage(LeftItem);
    const Variant &array = storage ? *storage : LeftValue;
    const int dims = array.dimCount();
    if (dims < 1 || dims > 3 || dims > Count())
        return Variant::null();
    const QList<qint64> &index = indices(dims);
    checkIndices(array, index);
    return array.element(index);
}

void TscArrayHelper::SetValue(const Variant &value)
{
    Variant *storage = arrayStorage(LeftItem);
    if (!storage)
        return;
    const int dims = storage->dimCount();
    if (dims < 1 || dims > 3 || dims > Count())
        return;
    const QList<qint64> &index = indices(dims);
    checkIndices(*storage, index);
    storage->setElement(index, value);
}

TscStringHelper::TscStringHelper() : TscCustomHelper(QStringLiteral("__StringHelper"), tcChar, QString())
{
    AddParam(std::make_unique<TscParamItem>(QStringLiteral("Index"), tcInteger, QString()));
}

Variant TscStringHelper::GetValue()
{
    const QString text = LeftValue.isNull() ? QString() : LeftValue.toString();
    const qint64 index = GetParam(0)->GetValue().toInt64();
    if (index < 1 || index > text.size())
        throw rangeError();
    return Variant(QString(text[qsizetype(index - 1)]));
}

void TscStringHelper::SetValue(const Variant &value)
{
    QString text = LeftValue.isNull() ? QString() : LeftValue.toString();
    const qint64 index = GetParam(0)->GetValue().toInt64();
    const QString replacement = value.isNull() ? QString() : value.toString();
    if (index < 1 || index > text.size() || replacement.isEmpty())
        throw rangeError();
    text[qsizetype(index - 1)] = replacement[0];
    if (LeftItem)
        LeftItem->SetValue(Variant(text));
}

Variant TscPropertyHelper::GetValue()
{
    Variant result = Variant::null();
    platform::HandleTarget *obj = objectOf(LeftValue);
    if (!obj && !HostClass.isEmpty())
        throw platform::InvalidHandleError();
    if (FromPropertyTable && obj)
        result = readTableProperty(obj, Name);
    else if (!FromPropertyTable && Getter)
        result = Getter(obj, HostClass, UpperName);
    if (TypeCode == tcBoolean && !result.isNull() && !result.isBoolean())
        result = Variant(!result.equals(Variant(0)));
    return result;
}

void TscPropertyHelper::SetValue(const Variant &value)
{
    if (ReadOnly)
        return;
    platform::HandleTarget *obj = objectOf(LeftValue);
    if (!obj && !HostClass.isEmpty())
        throw platform::InvalidHandleError();
    if (FromPropertyTable)
        writeTableProperty(obj, Name, TypeCode == tcBoolean, value);
    else if (Setter)
        Setter(obj, HostClass, UpperName, value);
}

TscMethodHelper::TscMethodHelper(const QString &declaration, TscScript *script)
    : TscCustomHelper(QString(), tcVariant, QString()), DeclText(declaration)
{
    ParseMethodSyntaxInto(declaration, script, *this);
    ReadOnly = true;
    ParamArray = Variant::createArray({platform::VarArrayBound{0, qint64(Count()) - 1}}, platform::varVariant);
}

platform::HandleTarget *TscMethodHelper::hostObject(bool assigning) const
{
    platform::HandleTarget *obj = objectOf(LeftValue);
    // An instance member needs its instance; constructors make theirs.
    if (!obj && !HostClass.isEmpty() && TypeCode != tcConstructor)
        throw platform::InvalidHandleError();
    return obj;
}

Variant TscMethodHelper::GetValue()
{
    if (!ArrayCallback && !DirectCallback)
        return Variant(0);
    platform::HandleTarget *obj = hostObject(false);
    const QString name = IsIndexProperty ? UpperName + QStringLiteral(".GET") : UpperName;
    if (!ArrayCallback)
        return DirectCallback(obj, HostClass, name, *this);
    for (int i = 0; i < Count(); ++i)
        ParamArray.setElement(i, GetParam(i)->GetValue());
    const Variant result = ArrayCallback(obj, HostClass, name, ParamArray);
    for (int i = 0; i < Count(); ++i)
        if (GetParam(i)->ByRef)
            GetParam(i)->SetValue(ParamArray.element(i));
    return result;
}

void TscMethodHelper::SetValue(const Variant &value)
{
    if (!IsIndexProperty)
        return;
    platform::HandleTarget *obj = hostObject(true);
    const QString name = UpperName + QStringLiteral(".SET");
    if (ArrayCallback) {
        Variant args = Variant::createArray({platform::VarArrayBound{0, Count()}}, platform::varVariant);
        for (int i = 0; i < Count(); ++i)
            args.setElement(i, GetParam(i)->GetValue());
        args.setElement(Count(), value);
        ArrayCallback(obj, HostClass, name, args);
    } else if (DirectCallback) {
        AssignedValue = value;
        try {
            DirectCallback(obj, HostClass, name, *this);
        } catch (...) {
            AssignedValue = Variant::null();
            throw;
        }
        AssignedValue = Variant::null();
    }
}

Variant TscMethodHelper::GetParamValue(int index) const
{
    if (index == Count())
        return AssignedValue;
    return GetParam(index)->GetValue();
}

void TscMethodHelper::SetParamValue(int index, const Variant &value)
{
    GetParam(index)->SetValue(value);
}

TscSetExpression::TscSetExpression() = default;

void TscSetExpression::AddElement(std::unique_ptr<TscCustomVariable> element)
{
    m_elements.push_back(std::move(element));
}

Variant TscSetExpression::GetValue()
{
    Variant result = Variant::createArray({platform::VarArrayBound{0, qint64(m_elements.size()) - 1}},
                                          platform::varVariant);
    for (size_t i = 0; i < m_elements.size(); ++i)
        result.setElement(qint64(i), m_elements[i] ? m_elements[i]->GetValue() : Variant::null());
    return result;
}

bool TscSetExpression::Contains(const Variant &value) const
{
    for (size_t i = 0; i < m_elements.size(); ++i) {
        if (!m_elements[i])
            continue;
        const Variant low = m_elements[i]->GetValue();
        if (i + 2 < m_elements.size() && !m_elements[i + 1] && m_elements[i + 2]) {
            const Variant high = m_elements[i + 2]->GetValue();
            if (value.greaterOrEqual(low) && value.lessOrEqual(high))
                return true;
            i += 2;
        } else if (value.equals(low)) {
            return true;
        }
    }
    return false;
}

} // namespace bralvo::script
