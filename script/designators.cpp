// Designator evaluation: the general chain walk and the three fast shapes.
#include "script/designators.h"

#include "platform/handleregistry.h"
#include "script/expressions.h"
#include "script/runtimeerror.h"
#include "script/tschelpers.h"
#include "script/tscscript.h"

#include <QVarLengthArray>

namespace bralvo::script {

void TscDesignatorItem::AddArg(std::unique_ptr<TscCustomExpression> arg)
{
    m_args.push_back(std::move(arg));
}

TscDesignatorItem::TargetKind TscDesignatorItem::kindOf(TscCustomVariable *target)
{
    if (ItemAs<TscDesignator>(target))
        return TargetKind::Designator;
    if (ItemAs<TscProcVariable>(target))
        return TargetKind::Procedure;
    if (ItemAs<TscCustomHelper>(target))
        return TargetKind::Helper;
    return TargetKind::Other;
}

TscDesignator::TscDesignator(TscScript *buildScript)
    : BuildScript(buildScript)
{
}

TscDesignator::~TscDesignator() = default;

TscDesignatorItem *TscDesignator::AddItem()
{
    m_items.push_back(std::make_unique<TscDesignatorItem>());
    return m_items.back().get();
}

void TscDesignator::InsertItem(int index, std::unique_ptr<TscDesignatorItem> item)
{
    m_items.insert(m_items.begin() + index, std::move(item));
}

void TscDesignator::RemoveItem(int index)
{
    m_items.erase(m_items.begin() + index);
}

std::unique_ptr<TscDesignatorItem> TscDesignator::TakeItem(int index)
{
    std::unique_ptr<TscDesignatorItem> item = std::move(m_items[size_t(index)]);
    m_items.erase(m_items.begin() + index);
    return item;
}

Variant TscDesignator::GetValue()
{
    LateBuild();
    return WalkChain(false, Variant::null());
}

void TscDesignator::SetValue(const Variant &value)
{
    LateBuild();
    WalkChain(true, value);
}

void TscDesignator::LateBuild()
{
    if (!LateSource)
        return;
    TscLateBuilder build = std::move(LateSource);
    LateSource = nullptr;
    std::unique_ptr<TscDesignator> built;
    try {
        built = build(BuildScript);
    } catch (...) {
        LateSource = std::move(build); // the chain stays unbuilt: try again next time
        throw;
    }
    // Still waiting at run time means the value on the left is no object:
    // walking the truncated chain would read or assign the wrong thing.
    if (built->LateSource) {
        LateSource = std::move(build);
        throw platform::InvalidHandleError();
    }
    TakeOver(*built);
}

void TscDesignator::TakeOver(TscDesignator &other)
{
    m_items = std::move(other.m_items);
    Shape = other.Shape;
    IndexSource = other.IndexSource;
    IndexItem = other.IndexItem;
    TypeCode = other.TypeCode;
    TypeName = other.TypeName;
    ReadOnly = other.ReadOnly;
    LinkedItem = other.LinkedItem;
    BuildScript = other.BuildScript;
    LateSource = std::move(other.LateSource);
}

void TscDesignator::Finish()
{
    if (m_items.empty())
        return;
    const TscCustomVariable *last = m_items.back()->Target;
    TypeCode = last->TypeCode;
    TypeName = last->TypeName;
    ReadOnly = last->ReadOnly;
    if (TypeCode == tcConstructor && m_items.size() > 1) {
        TypeCode = tcClass;
        TypeName = m_items[m_items.size() - 2]->Target->TypeName;
    }
    TscCustomVariable *first = m_items.front()->Target;
    auto *variable = ItemAs<TscVariable>(first);
    Shape = TscDesignatorShape::General;
    // A parameter reads and assigns like a variable of the procedure.
    auto *param = ItemAs<TscParamItem>(first);
    if (m_items.size() == 1 && (variable || param) && m_items.front()->Count() == 0) {
        Shape = TscDesignatorShape::Variable;
        LinkedItem = first;
    } else if (m_items.size() == 2 && ItemAs<TscStringVariable>(first) && m_items[1]->Count() > 0
               && ItemAs<TscStringHelper>(m_items[1]->Target)) {
        Shape = TscDesignatorShape::StringChar;
        LinkedItem = variable;
        IndexSource = m_items[1]->Arg(0);
    } else if (m_items.size() == 2 && variable && variable->TypeCode == tcArray
               && ItemAs<TscArrayHelper>(m_items[1]->Target) && m_items[1]->Target == variable->LinkedItem) {
        Shape = TscDesignatorShape::ArrayElement;
        LinkedItem = variable;
        IndexSource = variable->LinkedItem;
        IndexItem = m_items[1].get();
    }
}

std::unique_ptr<TscDesignator> TscDesignator::Specialize(TscDesignator &built)
{
    std::unique_ptr<TscDesignator> special;
    switch (built.Shape) {
    case TscDesignatorShape::Variable: special = std::make_unique<TscVariableDesignator>(built.BuildScript); break;
    case TscDesignatorShape::StringChar: special = std::make_unique<TscStringDesignator>(built.BuildScript); break;
    case TscDesignatorShape::ArrayElement: special = std::make_unique<TscArrayDesignator>(built.BuildScript); break;
    default:
        if (!TscProcCallDesignator::Fits(built))
            return TakeAsGeneral(built);
        special = std::make_unique<TscProcCallDesignator>(built.BuildScript);
        break;
    }
    special->TakeOver(built);
    special->SourcePos = built.SourcePos;
    return special;
}

std::unique_ptr<TscDesignator> TscDesignator::TakeAsGeneral(TscDesignator &built)
{
    auto general = std::make_unique<TscDesignator>(built.BuildScript);
    general->TakeOver(built);
    general->SourcePos = built.SourcePos;
    return general;
}

namespace {

// StoreValue for an item known to hold a plain value.
inline void storePlain(TscCustomVariable &item, Variant &&value)
{
    if (!item.ReadOnly)
        item.Value = std::move(value);
    else
        item.SetValue(value);
}

// Saves the locals of a procedure that is already running, so that a
// recursive call cannot clobber them; restores on every way out. A few
// plain locals wait in the saver itself; others on the procedure's own
// stack, which every call reuses. The call itself starts with the
// caller's values still in place.
class KeptLocals {
public:
    // Nothing to save unless proc is a procedure already running.
    explicit KeptLocals(TscProcVariable *proc)
    {
        if (!proc || !proc->InProgress)
            return;
        const std::vector<TscCustomVariable *> &locals = proc->LocalsToSave();
        if (proc->LocalsArePlain() && locals.size() <= InlineCount)
            saveInline(locals);
        else
            saveOnStack(proc->KeptValues, locals);
    }
    explicit KeptLocals(TscProcVariable &proc) : KeptLocals(&proc) {}
    KeptLocals(const KeptLocals &) = delete;
    KeptLocals &operator=(const KeptLocals &) = delete;
    ~KeptLocals() { restore(); }
    void restore()
    {
        if (m_inlineCount > 0)
            restoreInline();
        else if (m_stack)
            restoreFromStack();
    }

private:
    using Kept = std::pair<TscCustomVariable *, Variant>;
    static constexpr size_t InlineCount = 4;

    // Copying a Variant cannot throw: nothing to undo.
    void saveInline(const std::vector<TscCustomVariable *> &locals)
    {
        for (TscCustomVariable *item : locals)
            new (&m_inline.at[m_inlineCount++]) Kept(item, item->Value);
    }
    void restoreInline()
    {
        const size_t count = m_inlineCount;
        m_inlineCount = 0;
        for (size_t i = 0; i < count; ++i) {
            Kept &kept = m_inline.at[i];
            storePlain(*kept.first, std::move(kept.second));
            kept.~Kept();
        }
    }
    // Out of line, so that the inline case stays small enough to be inlined.
    Q_NEVER_INLINE void saveOnStack(std::vector<Kept> &stack, const std::vector<TscCustomVariable *> &locals)
    {
        const size_t base = stack.size();
        try {
            for (TscCustomVariable *item : locals) {
                if (HoldsPlainValue(*item))
                    stack.emplace_back(item, item->Value);
                else
                    stack.emplace_back(item, item->GetValue());
            }
        } catch (...) {
            stack.resize(base); // nothing was changed yet: only drop the copies
            throw;
        }
        m_stack = &stack;
        m_base = base;
    }
    Q_NEVER_INLINE void restoreFromStack()
    {
        auto &stack = *m_stack;
        m_stack = nullptr;
        for (size_t i = m_base; i < stack.size(); ++i) {
            auto &[item, value] = stack[i];
            StoreValue(*item, std::move(value)); // the saved copy is dropped anyway
        }
        stack.resize(m_base);
    }

    // Raw room: only the first m_inlineCount entries are alive.
    union InlineSlots {
        InlineSlots() {}
        ~InlineSlots() {}
        Kept at[InlineCount];
    } m_inline;
    size_t m_inlineCount = 0;
    std::vector<Kept> *m_stack = nullptr;
    size_t m_base = 0;
};

// Evaluates the arguments and stores them into target's parameters through
// store. All arguments first: an argument may read a parameter it replaces.
template <class Store>
void passArgumentsThrough(TscDesignatorItem &item, TscCustomVariable &target, Store store)
{
    const int count = std::min(item.Count(), target.Count());
    if (count == 0)
        return;
    if (!target.TakesSourceText && count <= 2) {
        if (count == 1) {
            store(*target.GetParam(0), item.Arg(0)->GetValue());
            return;
        }
        Variant first = item.Arg(0)->GetValue();
        Variant second = item.Arg(1)->GetValue();
        store(*target.GetParam(0), std::move(first));
        store(*target.GetParam(1), std::move(second));
        return;
    }
    QVarLengthArray<Variant, 8> values;
    for (int i = 0; i < count; ++i) {
        auto *expr = target.TakesSourceText ? dynamic_cast<TscExpression *>(item.Arg(i)) : nullptr;
        values.append(expr ? Variant(expr->Source()) : item.Arg(i)->GetValue());
    }
    for (int i = 0; i < count; ++i)
        store(*target.GetParam(i), std::move(values[i]));
}

void passArguments(TscDesignatorItem &item, TscCustomVariable &target)
{
    passArgumentsThrough(item, target, [](TscCustomVariable &param, Variant &&value) {
        StoreValue(param, std::move(value));
    });
}

// passArguments for parameters that all hold plain values and take no
// source text: the same stores without asking each parameter what it is.
void passPlainArguments(TscDesignatorItem &item, TscCustomVariable &target)
{
    passArgumentsThrough(item, target, [](TscCustomVariable &param, Variant &&value) {
        storePlain(param, std::move(value));
    });
}

// By-reference results are taken before a recursive call's locals are
// restored and written after, so a caller's own local passed by reference
// keeps the result instead of getting its old value back.
void passBack(TscDesignatorItem &item, TscCustomVariable &target, KeptLocals &snapshot)
{
    const int count = std::min(item.Count(), target.Count());
    int byRef = 0;
    for (int i = 0; i < count; ++i)
        byRef += target.GetParam(i)->ByRef ? 1 : 0;
    if (byRef == 0)
        return snapshot.restore();
    QVarLengthArray<std::pair<int, Variant>, 4> results;
    for (int i = 0; i < count; ++i)
        if (target.GetParam(i)->ByRef)
            results.append({i, target.GetParam(i)->GetValue()});
    snapshot.restore();
    for (auto &[i, result] : results)
        item.Arg(i)->SetValue(result);
}

} // namespace

Variant TscDesignator::WalkChain(bool assigning, const Variant &value)
{
    Variant current = Variant::null();
    TscCustomVariable *last = nullptr;
    for (size_t i = 0; i < m_items.size(); ++i) {
        TscDesignatorItem &item = *m_items[i];
        TscCustomVariable *target = item.Target;
        const TscDesignatorItem::TargetKind kind = item.Kind();
        if (kind == TscDesignatorItem::TargetKind::Designator) {
            current = target->GetValue();
            last = target;
            continue;
        }
        KeptLocals snapshot(kind == TscDesignatorItem::TargetKind::Procedure ? static_cast<TscProcVariable *>(target)
                                                                              : nullptr);
        passArguments(item, *target);
        if (kind == TscDesignatorItem::TargetKind::Helper) {
            auto *helper = static_cast<TscCustomHelper *>(target);
            helper->LeftItem = last;
            helper->LeftValue = current;
            helper->CallScript = BuildScript;
        }
        last = target;
        const bool isLast = i + 1 == m_items.size();
        if (assigning && isLast) {
            target->SetValue(value);
        } else {
            target->ResultWanted = isLast ? ResultWanted : true;
            current = target->GetValue();
        }
        passBack(item, *target, snapshot);
    }
    return current;
}

bool TscProcCallDesignator::Fits(TscDesignator &general)
{
    return general.Shape == TscDesignatorShape::General && !general.LateSource && general.ItemCount() == 1
        && general.Item(0)->Kind() == TscDesignatorItem::TargetKind::Procedure;
}

void TscProcCallDesignator::plan()
{
    TscDesignatorItem &site = *m_items.front();
    auto &proc = *static_cast<TscProcVariable *>(site.Target);
    const int count = std::min(site.Count(), proc.Count());
    m_plainParams = !proc.TakesSourceText;
    m_anyByRef = false;
    for (int i = 0; i < count; ++i) {
        m_plainParams = m_plainParams && HoldsPlainValue(*proc.GetParam(i));
        m_anyByRef = m_anyByRef || proc.GetParam(i)->ByRef;
    }
    m_planned = true;
}

Variant TscProcCallDesignator::GetValue()
{
    if (!m_planned)
        plan();
    TscDesignatorItem &site = *m_items.front();
    auto &proc = *static_cast<TscProcVariable *>(site.Target);
    KeptLocals kept(proc);
    if (m_plainParams)
        passPlainArguments(site, proc);
    else
        passArguments(site, proc);
    proc.ResultWanted = ResultWanted;
    Variant result = proc.GetValue();
    if (m_anyByRef)
        passBack(site, proc, kept);
    else
        kept.restore();
    return result;
}

int TscStringDesignator::index() const
{
    const qint64 i = IndexSource->GetValue().toInt64();
    const auto &text = static_cast<TscStringVariable *>(LinkedItem)->Text;
    if (i < 1 || i > text.size())
        throw rangeError();
    return int(i - 1);
}

Variant TscStringDesignator::GetValue()
{
    const int i = index();
    return Variant(QString(static_cast<TscStringVariable *>(LinkedItem)->Text[i]));
}

void TscStringDesignator::SetValue(const Variant &value)
{
    const int i = index();
    const QString text = value.isNull() ? QString() : value.toString();
    if (text.isEmpty())
        throw rangeError();
    static_cast<TscStringVariable *>(LinkedItem)->Text[i] = text[0];
}

Variant *TscArrayDesignator::directArray() const
{
    if (!HoldsPlainValue(*LinkedItem))
        return nullptr;
    Variant &array = LinkedItem->Value;
    return array.dimCount() == 1 ? &array : nullptr;
}

bool TscArrayDesignator::prepare(bool writing)
{
    auto *helper = static_cast<TscArrayHelper *>(IndexSource);
    const int count = std::min(IndexItem->Count(), helper->Count());
    if (count != 1) {
        prepareHelper(count);
        return false;
    }
    Variant index = IndexItem->Arg(0)->GetValue();
    helper->LeftItem = LinkedItem;
    // Looked at only now: evaluating the index may have replaced the array.
    const Variant *array = directArray();
    if (!array) {
        StoreValue(*helper->GetParam(0), std::move(index));
        return false;
    }
    const qint64 i = index.toInt64();
    // Storing into a typed array also converts the value, and that error
    // must pass through as it is: the bounds are checked here first.
    // Elsewhere the variant's own bound check is the only one that fails.
    const bool converts = writing && array->arrayElementType() != platform::varVariant;
    if (converts && (i < array->lowBound(1) || i > array->highBound(1)))
        throw rangeError();
    m_oneIndex[0] = i;
    return true;
}

void TscArrayDesignator::prepareHelper(int count)
{
    // Every index before the helper is set: an index may read an array
    // through the same helper (m[1, m[0, 0]]) and refill it.
    auto *helper = static_cast<TscArrayHelper *>(IndexSource);
    QVarLengthArray<Variant, 3> indexes;
    for (int i = 0; i < count; ++i)
        indexes.append(IndexItem->Arg(i)->GetValue());
    helper->LeftItem = LinkedItem;
    for (int i = 0; i < count; ++i)
        StoreValue(*helper->GetParam(i), std::move(indexes[i]));
}

Variant TscArrayDesignator::GetValue()
{
    if (!prepare(false))
        return IndexSource->GetValue();
    try {
        return LinkedItem->Value.element(m_oneIndex);
    } catch (const platform::VariantError &) {
        throw rangeError();
    }
}

void TscArrayDesignator::SetValue(const Variant &value)
{
    if (!prepare(true))
        return IndexSource->SetValue(value);
    try {
        LinkedItem->Value.setElement(m_oneIndex, value);
    } catch (const platform::VariantError &) {
        // A failed conversion of a typed array was ruled out by prepare:
        // out of bounds is all that is left.
        if (LinkedItem->Value.arrayElementType() != platform::varVariant)
            throw;
        throw rangeError();
    }
}

} // namespace bralvo::script
