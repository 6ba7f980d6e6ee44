// Designators: the compiled form of a name chain such as a.b.c[i](x, y).
// Reading walks the chain left to right, handing each link the value of
// the link before it; assigning walks it the same way and assigns at the
// last link. The three common shapes (a plain variable, a character of a
// text variable, an element of an array variable) bypass the walk.
#pragma once

#include "script/tscitems.h"

#include <functional>

namespace bralvo::script {

// One link: the item it refers to and the argument expressions after it.
class TscDesignatorItem : public TscObject {
public:
    // What Target is, as the chain walk treats it.
    enum class TargetKind : quint8 { Unknown, Designator, Procedure, Helper, Other };

    TscCustomVariable *Target = nullptr; // not owned
    TscSourcePos SourcePos;

    // Worked out on the first walk; Target does not change once built.
    TargetKind Kind()
    {
        if (m_kind == TargetKind::Unknown)
            m_kind = kindOf(Target);
        return m_kind;
    }

    int Count() const { return int(m_args.size()); }
    TscCustomExpression *Arg(int index) const { return m_args[size_t(index)].get(); }
    void AddArg(std::unique_ptr<TscCustomExpression> arg);

private:
    static TargetKind kindOf(TscCustomVariable *target);

    // A program holds thousands of these small lists: from the block pool.
    std::vector<std::unique_ptr<TscCustomExpression>, blockpool::Allocator<std::unique_ptr<TscCustomExpression>>>
        m_args;
    TargetKind m_kind = TargetKind::Unknown;
};

enum class TscDesignatorShape : quint8 { General = 0, Variable = 1, StringChar = 2, ArrayElement = 3 };

// A designator that builds late keeps its intermediate-program element and
// a builder call-back that can rebuild it.
using TscLateBuilder = std::function<std::unique_ptr<class TscDesignator>(TscScript *script)>;

class TscDesignator : public TscCustomVariable {
public:
    static constexpr quint32 OwnKind = ikDesignator;
    quint32 Kinds() const override { return TscCustomVariable::Kinds() | OwnKind; }
    explicit TscDesignator(TscScript *buildScript);
    ~TscDesignator() override;

    // Both build a postponed designator first (ScriptError when it cannot
    // be built; platform::InvalidHandleError, "Invalid object reference",
    // while the value it waits for is still no object, and it is tried
    // again on the next use). An index outside a text or array raises
    // "Range check error"; errors of host call-backs pass through
    // unchanged, after the locals of a recursive call have been restored.
    Variant GetValue() override;
    void SetValue(const Variant &value) override;

    int ItemCount() const { return int(m_items.size()); }
    TscDesignatorItem *Item(int index) const { return m_items[size_t(index)].get(); }
    TscDesignatorItem *AddItem();
    void InsertItem(int index, std::unique_ptr<TscDesignatorItem> item);
    void RemoveItem(int index);
    std::unique_ptr<TscDesignatorItem> TakeItem(int index);

    // Copies type and read-only state from the last item and decides the
    // shape. A last item that is a constructor gives the class before it.
    void Finish();
    // Moves everything into a new designator of the class of its shape.
    // built may live anywhere (the builder keeps it on its stack): only
    // the designator handed out is allocated.
    static std::unique_ptr<TscDesignator> Specialize(TscDesignator &built);
    // Moves everything into a new designator of this general class.
    static std::unique_ptr<TscDesignator> TakeAsGeneral(TscDesignator &built);
    // Room for count links without growing.
    void ReserveItems(int count) { m_items.reserve(size_t(count)); }
    // Builds a postponed designator now (no-op when nothing is pending).
    void LateBuild();

    TscDesignatorShape Shape = TscDesignatorShape::General;
    TscScript *BuildScript = nullptr;
    TscCustomVariable *IndexSource = nullptr; // expression (shape 2) or array helper (3)
    TscDesignatorItem *IndexItem = nullptr;
    TscLateBuilder LateSource;                 // empty unless building waits

protected:
    Variant WalkChain(bool assigning, const Variant &value);
    void TakeOver(TscDesignator &other);

    std::vector<std::unique_ptr<TscDesignatorItem>, blockpool::Allocator<std::unique_ptr<TscDesignatorItem>>> m_items;
};

class TscVariableDesignator : public TscDesignator {
public:
    using TscDesignator::TscDesignator;
    Variant GetValue() override { return LinkedItem->GetValue(); }
    void SetValue(const Variant &value) override { LinkedItem->SetValue(value); }
};

// A call of a script procedure or function with nothing after it (F or
// F(a, b)), the commonest designator: the callee is bound when built, and
// a recursive call keeps the caller's locals on the callee's own stack.
// Assigning to it takes the general walk.
class TscProcCallDesignator : public TscDesignator {
public:
    using TscDesignator::TscDesignator;
    static bool Fits(TscDesignator &general);
    Variant GetValue() override;

private:
    // What the first call finds out about the callee's parameters, which
    // do not change once the program is built.
    void plan();

    bool m_planned = false;
    bool m_plainParams = false; // every parameter passed holds a plain value
    bool m_anyByRef = false;    // some parameter passed is by reference
};

class TscStringDesignator : public TscDesignator {
public:
    using TscDesignator::TscDesignator;
    Variant GetValue() override;
    void SetValue(const Variant &value) override;

private:
    int index() const;
};

// An element of an array variable. One index into a one-dimensional
// array held in the variable is checked and applied here; every other
// access is handed to the array helper.
class TscArrayDesignator : public TscDesignator {
public:
    using TscDesignator::TscDesignator;
    Variant GetValue() override;
    void SetValue(const Variant &value) override;

private:
    // Evaluates every index; true when m_oneIndex holds the index of a
    // direct access (checked against the bounds only where the variant's
    // own check cannot stand for it), else the helper has been set up.
    bool prepare(bool writing);
    void prepareHelper(int count);
    // The one-dimensional array the variable holds in its own Value.
    Variant *directArray() const;

    QList<qint64> m_oneIndex = QList<qint64>(1); // reused: no list per access
};

} // namespace bralvo::script
