// The items of a script's name space: variables, constants, types,
// parameters and script procedures. Designators, helpers, expressions and
// statements build on TscCustomVariable (designators.h, tschelpers.h,
// expressions.h). Every value an item holds is a platform Variant; host
// objects travel as integer handles (platform/handleregistry.h).
#pragma once

#include "platform/variant.h"
#include "script/blockpool.h"
#include "script/sourcepos.h"

#include <QString>
#include <memory>
#include <typeinfo>
#include <vector>

namespace bralvo::script {

using platform::Variant;

class TscScript;
class TscParamItem;
class TscCustomVariable;

// The classes the builder and the chain walk ask an item for, one bit
// each. An item's Kinds() holds the bit of its class and of every base
// that has one, so ItemAs<T> answers as dynamic_cast<T *> does, without
// the type-name comparisons the library makes between unrelated classes.
enum TscItemKind : quint32 {
    ikVariable = 1u << 0,
    ikStringVariable = 1u << 1,
    ikParam = 1u << 2,
    ikProc = 1u << 3,
    ikDesignator = 1u << 4,
    ikHelper = 1u << 5,
    ikArrayHelper = 1u << 6,
    ikStringHelper = 1u << 7,
    ikMethodHelper = 1u << 8,
    ikOLEHelper = 1u << 9,
    ikClass = 1u << 10,
};

// Type codes every item carries.
enum TscTypeCode : quint8 {
    tcInteger = 0,
    tcBoolean = 1,
    tcFloat = 2,
    tcChar = 3,
    tcString = 4,
    tcClass = 5,
    tcArray = 6,
    tcVariant = 7,
    tcEnum = 8,
    tcConstructor = 9
};

// Anything a script's item list may own (items, module objects, helpers).
class TscObject {
public:
    virtual ~TscObject() = default;
    // A compiled program is a hundred thousand small objects, made and freed
    // together: they come from the block pool (script/blockpool.h).
    static void *operator new(std::size_t size) { return blockpool::take(size); }
    static void operator delete(void *block, std::size_t size) noexcept { blockpool::give(block, size); }

    // The object as a named item, or nullptr (every script entry is asked).
    virtual TscCustomVariable *AsVariable() { return nullptr; }
};

// Base of every named item. Its own list holds the item's parameters.
class TscCustomVariable : public TscObject {
public:
    TscCustomVariable(const QString &name, int typeCode, const QString &typeName);
    ~TscCustomVariable() override;
    TscCustomVariable(const TscCustomVariable &) = delete;
    TscCustomVariable &operator=(const TscCustomVariable &) = delete;

    TscCustomVariable *AsVariable() final { return this; }
    // The TscItemKind bits of the item's class and its bases.
    virtual quint32 Kinds() const { return 0; }

    // Frees the parameters.
    virtual void Clear();
    // Stores Value unless ReadOnly.
    virtual void SetValue(const Variant &value);
    // A copy of Value (descendants compute it).
    virtual Variant GetValue();

    int Count() const { return m_params ? int(m_params->size()) : 0; }
    TscParamItem *GetParam(int index) const { return (*m_params)[size_t(index)].get(); }
    void AddParam(std::unique_ptr<TscParamItem> param);
    // Parameters that are not optional.
    int RequiredParamCount() const;
    // The type name messages show: "Integer", "String", ... or TypeName
    // for classes and enumerations.
    QString ReportedTypeName() const;

    const void *OwnerTag = nullptr;
    // The flags, the type code and the unit share one word: a program is
    // tens of thousands of items, and the smaller each is, the fewer cache
    // lines making and freeing them touch.
    bool TakesSourceText = false;
    bool ReadOnly = false;
    bool ResultWanted = true;
    quint8 TypeCode = tcVariant;
    TscUnitRef DeclUnit;
    QString Name;
    TscCustomVariable *LinkedItem = nullptr; // not owned
    TscSourcePos SourcePos;
    QString TypeName;
    QString UpperName;
    Variant Value = Variant::null();

protected:
    // Unnamed and typed Variant, as (QString(), tcVariant, QString())
    // makes it: expressions, constants and designators, made by the ten
    // thousand, skip copying empty texts.
    TscCustomVariable() = default;

    // Like the items themselves, drawn from the block pool; made with the
    // first parameter, since most items (expressions above all) have none.
    using ParamVector = std::vector<std::unique_ptr<TscParamItem>, blockpool::Allocator<std::unique_ptr<TscParamItem>>>;
    struct ParamList : ParamVector {
        static void *operator new(std::size_t size) { return blockpool::take(size); }
        static void operator delete(void *block, std::size_t size) noexcept { blockpool::give(block, size); }
    };
    std::unique_ptr<ParamList> m_params;
};

// A variable or constant.
class TscVariable : public TscCustomVariable {
public:
    using TscCustomVariable::TscCustomVariable;
    static constexpr quint32 OwnKind = ikVariable;
    quint32 Kinds() const override { return TscCustomVariable::Kinds() | OwnKind; }
};

// A registered type name.
class TscTypeVariable : public TscCustomVariable {
public:
    using TscCustomVariable::TscCustomVariable;
};

// A variable of type Char or String: keeps its value as text.
class TscStringVariable : public TscVariable {
public:
    using TscVariable::TscVariable;
    static constexpr quint32 OwnKind = ikStringVariable;
    quint32 Kinds() const override { return TscVariable::Kinds() | OwnKind; }
    // Stores the value's text (Null gives ""); no read-only test.
    void SetValue(const Variant &value) override;
    Variant GetValue() override { return Variant(Text); }

    QString Text;
};

// A formal parameter.
class TscParamItem : public TscCustomVariable {
public:
    using TscCustomVariable::TscCustomVariable;
    static constexpr quint32 OwnKind = ikParam;
    quint32 Kinds() const override { return TscCustomVariable::Kinds() | OwnKind; }

    Variant DefaultValue = Variant::null();
    bool Optional = false;
    bool ByRef = false;
};

// A script procedure or function. Reading it runs it.
class TscProcVariable : public TscCustomVariable {
public:
    // Calls nest at most this deep; the next raises "Stack overflow".
    static constexpr int MaxCallDepth = 1000;
    // Script calls in progress on this thread.
    static int CallDepth();

    TscProcVariable(const QString &name, int typeCode, const QString &typeName, bool hasResult,
                    TscScript *declaringScript);
    ~TscProcVariable() override;
    static constexpr quint32 OwnKind = ikProc;
    quint32 Kinds() const override { return TscCustomVariable::Kinds() | OwnKind; }

    // Runs the body; the Result for a function, Null for a procedure.
    // Throws whatever the body raises, after restoring the call state.
    Variant GetValue() override;

    // The variables and parameters of LocalScript that a recursive call
    // saves and restores, in item order; kept until LocalScript changes.
    const std::vector<TscCustomVariable *> &LocalsToSave();
    // Whether every item of the last LocalsToSave() holds a plain value
    // (HoldsPlainValue), so that saving and restoring may use Value alone.
    bool LocalsArePlain() const { return m_localsArePlain; }

    bool InProgress = false;
    bool HasResult = false;
    // The locals of the running calls below a recursive one, innermost
    // last (designators.cpp keeps and restores them).
    std::vector<std::pair<TscCustomVariable *, Variant>> KeptValues;
    std::unique_ptr<TscScript> LocalScript;

private:
    void collectLocalsToSave();

    std::vector<TscCustomVariable *> m_localsToSave;
    quint64 m_localsGeneration = ~quint64(0);
    bool m_localsArePlain = false;
    TscVariable *m_result = nullptr; // the Result made for a function, owned by LocalScript
};

// Whether item's dynamic type is exactly T. Compares the type records by
// address: for unequal records the library's own test compares names,
// which the hot paths cannot afford, and a wrong "no" only costs the
// general path.
template <class T, class Item>
bool IsExactly(const Item &item)
{
    return &typeid(item) == &typeid(T);
}

// Whether item is a variable or parameter whose value is its Value field,
// read and written by the base GetValue and SetValue: code bound to it may
// use the field directly.
inline bool HoldsPlainValue(const TscCustomVariable &item)
{
    return IsExactly<TscVariable>(item) || IsExactly<TscParamItem>(item);
}

// Stores value into item: moved into a plain variable or parameter, else
// through the item's own SetValue.
inline void StoreValue(TscCustomVariable &item, Variant &&value)
{
    if (HoldsPlainValue(item) && !item.ReadOnly)
        item.Value = std::move(value);
    else
        item.SetValue(value);
}

// item as a T when it is one (or derives from one), else nullptr: what
// dynamic_cast<T *> gives, for the classes with a TscItemKind bit.
template <class T>
T *ItemAs(TscCustomVariable *item)
{
    return item && (item->Kinds() & T::OwnKind) ? static_cast<T *>(item) : nullptr;
}

template <class T>
const T *ItemAs(const TscCustomVariable *item)
{
    return ItemAs<T>(const_cast<TscCustomVariable *>(item));
}

// Base of compiled expressions (expressions.h).
class TscCustomExpression : public TscCustomVariable {
public:
    using TscCustomVariable::TscCustomVariable;
};

} // namespace bralvo::script
