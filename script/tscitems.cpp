// Plain items: variables, text variables, parameters and script procedures.
#include "script/tscitems.h"

#include "script/recenttexts.h"
#include "script/runtimeerror.h"
#include "script/statements.h"
#include "script/tscscript.h"

#include <algorithm>
#include <array>

#if defined(__GLIBC__)
#include <pthread.h>
#endif

namespace bralvo::script {

namespace {

// Every procedure repeats the same few names ("Result", "i", "s"): the
// upper-case texts of recent names are shared instead of made anew.
QString upperNameOf(const QString &name)
{
    thread_local RecentByText<QString, 64> recent;
    return recent.answer(name, [&name] { return name.toUpper(); });
}

} // namespace

TscCustomVariable::TscCustomVariable(const QString &name, int typeCode, const QString &typeName)
    : TypeCode(quint8(typeCode)), Name(name), TypeName(typeName),
      // Expression nodes, by far the most numerous, have no name.
      UpperName(name.isNull() ? QString() : upperNameOf(name))
{
}

TscCustomVariable::~TscCustomVariable() = default;

void TscCustomVariable::Clear()
{
    m_params.reset();
}

void TscCustomVariable::SetValue(const Variant &value)
{
    if (!ReadOnly)
        Value = value;
}

Variant TscCustomVariable::GetValue()
{
    return Value;
}

void TscCustomVariable::AddParam(std::unique_ptr<TscParamItem> param)
{
    if (!m_params)
        m_params = std::make_unique<ParamList>();
    m_params->push_back(std::move(param));
}

int TscCustomVariable::RequiredParamCount() const
{
    int count = 0;
    for (int i = 0; i < Count(); ++i)
        if (!GetParam(i)->Optional)
            ++count;
    return count;
}

QString TscCustomVariable::ReportedTypeName() const
{
    switch (TypeCode) {
    case tcInteger: return QStringLiteral("Integer");
    case tcBoolean: return QStringLiteral("Boolean");
    case tcFloat: return QStringLiteral("Extended");
    case tcChar: return QStringLiteral("Char");
    case tcString: return QStringLiteral("String");
    case tcClass: return TypeName;
    case tcArray: return QStringLiteral("Array");
    case tcEnum: return TypeName;
    default: return QStringLiteral("Variant");
    }
}

void TscStringVariable::SetValue(const Variant &value)
{
    Text = value.isNull() ? QString() : value.toString();
}

namespace {

// Depth of nested script calls on this thread; C++ recursion underneath a
// script call is deep, so the cap keeps a runaway script off the stack end.
thread_local int callDepth = 0;

// The lowest usable stack address of this thread, and how much stack one
// more call must find free: room for the deepest expression a call may
// evaluate (and build late) before it reaches the next call. Nothing when
// the thread's stack cannot be asked for.
struct StackLimit {
    bool known = false;
    quintptr low = 0;
    quintptr reserve = 0;
};

// AddressSanitizer's redzones make every frame larger, so the deepest
// expression needs more room below a call (run such builds with a larger
// stack: tools/sanitize does).
#if defined(__SANITIZE_ADDRESS__)
constexpr quintptr kFrameGrowth = 2;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr quintptr kFrameGrowth = 2;
#else
constexpr quintptr kFrameGrowth = 1;
#endif
#else
constexpr quintptr kFrameGrowth = 1;
#endif

StackLimit stackLimitOfThisThread()
{
    StackLimit limit;
    limit.known = true;
#if defined(__GLIBC__)
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) == 0) {
        void *base = nullptr;
        size_t size = 0;
        if (pthread_attr_getstack(&attr, &base, &size) == 0 && base && size > 0) {
            limit.low = quintptr(base);
            limit.reserve = std::min<quintptr>((quintptr(4) << 20) * kFrameGrowth, quintptr(size) / 2);
        }
        pthread_attr_destroy(&attr);
    }
#endif
    return limit;
}

bool stackNearlyFull()
{
    // Constant-initialized, so that reading it needs no per-call guard.
    thread_local StackLimit limit;
    if (!limit.known)
        limit = stackLimitOfThisThread();
    if (limit.low == 0)
        return false;
    const char here = 0;
    const quintptr sp = quintptr(&here);
    return sp < limit.low + limit.reserve;
}

struct DepthGuard {
    DepthGuard()
    {
        // Deep recursion through long expressions fills the stack long
        // before the call count says so.
        if (callDepth >= TscProcVariable::MaxCallDepth || stackNearlyFull())
            throw ScriptRuntimeError(QStringLiteral("EStackOverflow"), QStringLiteral("Stack overflow"));
        ++callDepth;
    }
    ~DepthGuard()
    {
        // A stop request holds until the outermost call is left.
        if (--callDepth == 0)
            TscScript::EndStopRequest();
    }
};

TscScript *owningMainProgram(TscScript *script)
{
    for (; script; script = script->ParentScript)
        if (script->MainProgramMark)
            return script;
    return nullptr;
}

} // namespace

int TscProcVariable::CallDepth()
{
    return callDepth;
}

TscProcVariable::TscProcVariable(const QString &name, int typeCode, const QString &typeName, bool hasResult,
                                 TscScript *declaringScript)
    : TscCustomVariable(name, typeCode, typeName), HasResult(hasResult), LocalScript(std::make_unique<TscScript>())
{
    ReadOnly = true;
    LocalScript->ParentScript = declaringScript;
    if (hasResult) {
        m_result = new TscVariable(QStringLiteral("Result"), typeCode, typeName);
        LinkedItem = m_result;
        LocalScript->Add(QStringLiteral("Result"), m_result);
    }
}

TscProcVariable::~TscProcVariable()
{
    // The local script only borrows the parameters; they die with m_params.
    for (int i = 0; i < Count(); ++i)
        LocalScript->Remove(GetParam(i));
}

const std::vector<TscCustomVariable *> &TscProcVariable::LocalsToSave()
{
    if (m_localsGeneration != LocalScript->Generation())
        collectLocalsToSave();
    return m_localsToSave;
}

void TscProcVariable::collectLocalsToSave()
{
    const TscScript &local = *LocalScript;
    m_localsToSave.clear();
    m_localsArePlain = true;
    for (int i = 0; i < local.Count(); ++i) {
        auto *item = dynamic_cast<TscCustomVariable *>(local.ItemAt(i));
        if (dynamic_cast<TscVariable *>(item) || dynamic_cast<TscParamItem *>(item)) {
            m_localsToSave.push_back(item);
            m_localsArePlain = m_localsArePlain && HoldsPlainValue(*item);
        }
    }
    m_localsGeneration = local.Generation();
}

Variant TscProcVariable::GetValue()
{
    DepthGuard depth;
    // Recursion that never ends without a loop is stopped here.
    if (LocalScript->PollStop())
        return HasResult ? LinkedItem->Value : Variant::null();
    const bool wasInProgress = InProgress;
    InProgress = true;
    TscScript *main = owningMainProgram(LocalScript.get());
    TscScript *savedScope = main ? main->RunningScope : nullptr;
    if (main)
        main->RunningScope = LocalScript.get();
    auto restore = [&] {
        LocalScript->RunningFlag = false;
        if (main)
            main->RunningScope = savedScope;
        InProgress = wasInProgress;
    };
    try {
        TscRunGuard flags(*LocalScript);
        LocalScript->RunningFlag = true;
        LocalScript->MainBlock->Execute();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    if (!HasResult)
        return Variant::null();
    // The Result made here is a plain variable: no need to ask what it is.
    if (LinkedItem == m_result)
        return m_result->Value;
    return HoldsPlainValue(*LinkedItem) ? LinkedItem->Value : LinkedItem->GetValue();
}

} // namespace bralvo::script
