// TscScript: one compiled program with its name space. A host registers
// names (AddMethod, AddConst, AddVariable, AddType, ...), sets Lines and
// SyntaxType, calls Compile, then Execute and CallFunction.
//
// Names are looked up ignoring case: this script's items (the newest of
// equal names first), then ParentScript's, and so on.
//
// Compile never throws for errors in the script text: it returns false
// and leaves ErrorText, ErrorPosition ("line:col") and ErrorUnitName.
// An unknown SyntaxType or an unreadable unit file throws. Run-time errors
// (ScriptRuntimeError, VariantError, InvalidHandleError, ...) pass out of
// Execute and CallFunction unchanged; the flags are reset either way.
#pragma once

#include "script/tschelpers.h"
#include "script/tscitems.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <functional>

namespace bralvo::platform {
class Component;
class HandleTarget;
struct ClassInfo;
}

namespace bralvo::script {

class TscStatement;
class TscClassVariable;

using TscGetUnitEvent = std::function<void(TscScript *sender, const QString &unitName, QString &unitText)>;
using TscRunLineEvent = std::function<void(TscScript *sender, const QString &unitName, const QString &sourcePos)>;
// Asked now and then while a program runs; true stops it.
using TscStopCheck = std::function<bool()>;

class TscScript : public TscObject {
public:
    TscScript();
    ~TscScript() override;
    TscScript(const TscScript &) = delete;
    TscScript &operator=(const TscScript &) = delete;

    // Items. Add takes ownership unless owned is false (a procedure's
    // parameters live in its own list and are only entered here by name).
    void Add(const QString &name, TscObject *item, bool owned = true);
    // Takes item out without freeing it.
    void Remove(TscObject *item);
    int Count() const { return int(m_entries.size()); }
    // Changes whenever an item enters or leaves, so that what is derived
    // from the item list can be kept until it changes.
    quint64 Generation() const { return m_generation; }
    TscObject *ItemAt(int index) const { return m_entries[size_t(index)].item; }
    QString NameAt(int index) const { return m_entries[size_t(index)].name; }

    // Frees every item except those tagged 1 (registered by RTTI modules);
    // clears MainBlock, CodeLines and the error fields.
    void Clear();
    void ClearItems(const void *owner);
    void RemoveItems(const void *owner);

    TscCustomVariable *Find(const QString &name) const;
    TscCustomVariable *FindLocal(const QString &name) const;
    // The same for a name that is no string of its own (looked up in place).
    TscCustomVariable *Find(QStringView name) const;
    TscCustomVariable *FindLocal(QStringView name) const;
    TscClassVariable *FindClass(const QString &name) const;

    bool Compile();
    void Execute();
    // Runs a procedure of this script (not of a parent). Null when name is
    // no procedure here. More arguments than parameters raise "Too many
    // actual parameters".
    Variant CallFunction(const QString &name, const Variant &args = Variant::null());
    Variant CallFunctionVarParams(const QString &name, Variant &args);
    void SetVariable(const QString &name, const Variant &value);
    void RunLine(const QString &unitName, const QString &sourcePos);
    void AddCodeLine(const QString &unitName, const QString &sourcePos);
    // Stops this script and its procedures at their next check.
    void Terminate();
    // Called on every loop round and every call: every kStopCheckInterval
    // times it asks the nearest OnStopCheck (this script's or a parent's),
    // and when that answers true terminates that script and this one and
    // returns true. A host thus reaches a program that never ends (Cancel,
    // a time limit) at almost no cost per step. Once true it stays true on
    // this thread (every loop ends, no call runs) until the outermost
    // script call or main block is left.
    bool PollStop();
    static void EndStopRequest();
    static constexpr unsigned kStopCheckInterval = 1024;
    void SetLines(const QStringList &lines) { Lines = lines; }
    // Creates every module of the process-wide list into this script once
    // (tscrttimodule.h); ClearRTTI frees them and what they registered.
    void AddRTTI();
    void ClearRTTI();

    // Registration. The Add... of a name Find already knows returns the
    // known item unchanged (except AddMethod, whose newest entry shadows).
    TscClassVariable *AddClass(const QString &className, const QString &ancestorName);
    // The same for a class of the class library: its stored properties
    // become published members served by its property table.
    TscClassVariable *AddClass(const platform::ClassInfo &hostClass, const QString &ancestorName);
    TscCustomVariable *AddConst(const QString &name, const QString &typeName, const Variant &value);
    // A form (a class deriving from one named "TCustomForm" or "TForm") or
    // data module ("TDataModule"): registers its class when unknown (with
    // the ancestor "TForm" or "TDataModule"), adds a member per component
    // it owns (on every call), then the form itself under its name. Any
    // other component registers nothing. The form must be a HandleTarget
    // to be reachable; its members without one read as 0.
    void AddComponent(platform::Component *form);
    void AddForm(platform::Component *form) { AddComponent(form); }
    void AddEnum(const QString &typeName, const QString &names);
    void AddEnumSet(const QString &typeName, const QString &names);
    // Throws ScriptBuildError for a malformed declaration.
    TscMethodHelper *AddMethod(const QString &declaration, const TscDirectCallback &callback,
                               const QString &category = QString(), const QString &description = QString());
    TscMethodHelper *AddMethodParamArray(const QString &declaration, const TscArrayCallback &callback,
                                         const QString &category = QString(),
                                         const QString &description = QString());
    // The object travels as its handle; className is its registered class.
    TscCustomVariable *AddObject(const QString &name, const platform::HandleTarget *object,
                                 const QString &className);
    TscCustomVariable *AddVariable(const QString &name, const QString &typeName, const Variant &value);
    TscCustomVariable *AddType(const QString &typeName, int typeCode);

    const void *OwnerTag = nullptr;
    bool BreakFlag = false;
    bool ContinueFlag = false;
    bool ExitFlag = false;
    QString ErrorText;
    QString ErrorPosition;
    QString ErrorUnitName;
    bool HighCharIdents = false;
    bool RunningFlag = false;
    QStringList Lines;
    bool MainProgramMark = false;
    TscGetUnitEvent OnGetILUnit;
    TscGetUnitEvent OnGetUnit;
    TscRunLineEvent OnRunLine;
    TscStopCheck OnStopCheck;
    TscScript *ParentScript = nullptr;
    TscScript *RunningScope = nullptr;
    bool RttiLoaded = false;
    std::unique_ptr<TscStatement> MainBlock;
    QString SyntaxType = QStringLiteral("PascalScript");
    bool TerminateFlag = false;
    QStringList CodeLines;

private:
    struct Entry {
        QString name;
        QString key;
        TscObject *item;
        bool owned;
        TscCustomVariable *variable; // item as a variable, or nullptr
    };
    // What a key finds: the newest of its entries, with the item as a
    // variable (the builder looks names up by the ten thousand and a cast
    // per look-up costs more than the hash), and how many entries share it.
    struct LookupSlot {
        TscObject *item = nullptr;
        TscCustomVariable *variable = nullptr;
        int count = 0;
    };
    // Up to this many entries (a procedure's locals, nearly always) a
    // script is searched entry by entry, newest first: filling and freeing
    // a hash would cost more than its look-ups save. Above it m_lookup
    // holds every named entry; nameless ones are always searched.
    static constexpr size_t kLinearLookupLimit = 16;
    bool hashed() const { return m_entries.size() > kLinearLookupLimit; }
    void enterKey(const Entry &entry);
    // For an entry that has just left the list.
    void leaveKey(const Entry &entry);
    // Takes the entry out of the list and the lookup, without freeing it.
    Entry takeEntry(size_t index);
    void freeEntry(size_t index);
    // FindLocal by a key lookupKeyOf has made: Find makes it once for the
    // whole chain of scripts.
    TscCustomVariable *findByKey(const QString &key) const;
    TscCustomVariable *scanByKey(const QString &key) const;
    // scanByKey for an ASCII name, without making its key.
    TscCustomVariable *scanByAsciiName(QStringView name) const;
    // Adds the method of the declaration with its category and description
    // (its name when empty); the caller sets the callback.
    TscMethodHelper *addMethodEntry(const QString &declaration, const QString &category,
                                    const QString &description);

    // Small lists, most of them: drawn from the block pool.
    std::vector<Entry, blockpool::Allocator<Entry>> m_entries;
    quint64 m_generation = 0;
    // Per unit, the lines its CodeLines entry lists, so that a long program
    // records its lines without searching the growing entry each time.
    // Checked against the entry (row and length) before each use.
    struct CodeLineIndex {
        int row = -1;
        qsizetype length = 0;
        // Lines in plain decimal (nearly all) as numbers: the first
        // kNumberBits of them as bits, any higher in a set; others as text.
        static constexpr int kNumberBits = 1 << 20;
        std::vector<quint64> numberBits;
        QSet<int> highNumbers;
        QSet<QString> others;
        // False when line was listed already.
        bool insert(QStringView line);
        bool insertNumber(int number);
    };
    // The unit's index, kept for the next statement: a program's lines
    // nearly all belong to one unit.
    CodeLineIndex &codeLineIndexOf(const QString &unitName);
    QHash<QString, CodeLineIndex> m_codeLineIndex;
    // The last unit asked for and its index (nullptr when none: a change
    // of m_codeLineIndex may move the index).
    QString m_lastCodeUnit;
    CodeLineIndex *m_lastCodeLineIndex = nullptr;
    QHash<QString, LookupSlot> m_lookup;
};

// Clears the control flags of a script on construction and destruction:
// a break or continue left over outside a loop must not leak into the
// next run or call.
class TscRunGuard {
public:
    explicit TscRunGuard(TscScript &script) : m_script(script) { clear(); }
    ~TscRunGuard() { clear(); }

private:
    // Inline: every script call passes here twice.
    void clear() { m_script.BreakFlag = m_script.ContinueFlag = m_script.ExitFlag = m_script.TerminateFlag = false; }

    TscScript &m_script;
};

} // namespace bralvo::script
