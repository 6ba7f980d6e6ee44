// The script object: its item list, lookup, running and registration.
#include "script/tscscript.h"
#include "script/shorttexts.h"

#include "platform/component.h"
#include "platform/handleregistry.h"
#include "platform/persistent.h"
#include "script/programbuilder.h"
#include "script/runtimeerror.h"
#include "script/scriptmessages.h"
#include "script/statements.h"
#include "script/tscclassvariable.h"
#include "script/tscrttimodule.h"
#include "script/typerules.h"

#include <algorithm>
#include <new>

namespace bralvo::script {

namespace {

const void *const rttiTag = reinterpret_cast<const void *>(1);

// "TForm" for forms, "TDataModule" for data modules, empty otherwise.
QString formAncestor(const platform::Component &component)
{
    for (const platform::ClassInfo *info = &component.classInfo(); info; info = info->parent) {
        if (info->name == QLatin1String("TForm") || info->name == QLatin1String("TCustomForm"))
            return QStringLiteral("TForm");
        if (info->name == QLatin1String("TDataModule"))
            return QStringLiteral("TDataModule");
    }
    return QString();
}

// Whether key is keyOf(name) for an ASCII name, compared in place.
bool isAsciiKeyOf(const QString &key, QStringView name)
{
    if (key.size() != name.size())
        return false;
    const QChar *k = key.constData();
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t u = name[i].unicode();
        if (k[i].unicode() != (u >= 'a' && u <= 'z' ? char16_t(u - 'a' + 'A') : u))
            return false;
    }
    return true;
}

QString keyOf(const QString &name)
{
    return name.toUpper();
}

// keyOf for a lookup: ASCII names, nearly all of them, are upper-cased
// into a buffer the thread keeps, so looking a name up allocates nothing.
const QString &lookupKeyOf(QStringView name)
{
    thread_local QString buffer;
    if (buffer.size() != name.size())
        buffer.resize(name.size());
    QChar *out = buffer.data();
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u >= 0x80) {
            buffer = keyOf(name.toString());
            return buffer;
        }
        *out++ = QChar(u >= 'a' && u <= 'z' ? char16_t(u - 'a' + 'A') : u);
    }
    return buffer;
}

} // namespace

TscScript::TscScript() : MainBlock(std::make_unique<TscStatement>(this)) {}

TscScript::~TscScript()
{
    MainBlock.reset();
    // Free newest first: later items may refer to earlier ones.
    while (!m_entries.empty())
        freeEntry(m_entries.size() - 1);
}

void TscScript::Add(const QString &name, TscObject *item, bool owned)
{
    TscCustomVariable *variable = item ? item->AsVariable() : nullptr;
    if (variable && owned)
        variable->OwnerTag = OwnerTag;
    // An item entered under its own name has its key already.
    const QString key = variable && variable->Name == name ? variable->UpperName : keyOf(name);
    m_entries.push_back({name, key, item, owned, variable});
    if (m_entries.size() == kLinearLookupLimit + 1) {
        for (const Entry &entry : m_entries)
            enterKey(entry);
    } else if (hashed()) {
        enterKey(m_entries.back());
    }
    ++m_generation;
}

void TscScript::enterKey(const Entry &entry)
{
    if (entry.key.isEmpty())
        return;
    LookupSlot &slot = m_lookup[entry.key];
    slot.item = entry.item;
    slot.variable = entry.variable;
    ++slot.count;
}

void TscScript::leaveKey(const Entry &entry)
{
    if (entry.key.isEmpty())
        return;
    const auto it = m_lookup.find(entry.key);
    if (it == m_lookup.end())
        return;
    if (--it->count == 0) {
        m_lookup.erase(it);
        return;
    }
    if (it->item != entry.item)
        return;
    // The newest of a shadowing pair left: the one it shadowed is found again.
    for (size_t i = m_entries.size(); i-- > 0;) {
        if (m_entries[i].key == entry.key) {
            it->item = m_entries[i].item;
            it->variable = m_entries[i].variable;
            return;
        }
    }
}

TscScript::Entry TscScript::takeEntry(size_t index)
{
    Entry entry = std::move(m_entries[index]);
    m_entries.erase(m_entries.begin() + qsizetype(index));
    if (m_entries.size() == kLinearLookupLimit)
        m_lookup.clear();
    else if (hashed())
        leaveKey(entry);
    ++m_generation;
    return entry;
}

void TscScript::Remove(TscObject *item)
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].item == item) {
            takeEntry(i);
            return;
        }
    }
}

void TscScript::freeEntry(size_t index)
{
    const Entry entry = takeEntry(index);
    if (entry.owned)
        delete entry.item;
}

void TscScript::Clear()
{
    MainBlock->Clear();
    for (size_t i = m_entries.size(); i-- > 0;) {
        TscCustomVariable *variable = m_entries[i].variable;
        if (variable && variable->OwnerTag == rttiTag)
            continue;
        if (dynamic_cast<TscRTTIModule *>(m_entries[i].item))
            continue; // module objects live until ClearRTTI
        freeEntry(i);
    }
    CodeLines.clear();
    m_codeLineIndex.clear();
    m_lastCodeLineIndex = nullptr;
    ErrorPosition.clear();
    ErrorText.clear();
    ErrorUnitName.clear();
}

void TscScript::ClearItems(const void *owner)
{
    RemoveItems(owner);
    MainBlock->Clear();
    CodeLines.clear();
    m_codeLineIndex.clear();
    m_lastCodeLineIndex = nullptr;
}

void TscScript::RemoveItems(const void *owner)
{
    for (size_t i = m_entries.size(); i-- > 0;) {
        auto *variable = dynamic_cast<TscCustomVariable *>(m_entries[i].item);
        if (variable && m_entries[i].owned && variable->OwnerTag == owner)
            freeEntry(i);
    }
}

TscCustomVariable *TscScript::FindLocal(const QString &name) const
{
    return FindLocal(QStringView(name));
}

TscCustomVariable *TscScript::FindLocal(QStringView name) const
{
    if (!hashed() && isAsciiText(name))
        return scanByAsciiName(name);
    return findByKey(lookupKeyOf(name));
}

TscCustomVariable *TscScript::findByKey(const QString &key) const
{
    if (key.isEmpty() || !hashed())
        return scanByKey(key);
    const auto it = m_lookup.constFind(key);
    return it == m_lookup.cend() ? nullptr : it->variable;
}

TscCustomVariable *TscScript::scanByKey(const QString &key) const
{
    for (size_t i = m_entries.size(); i-- > 0;)
        if (sameText(m_entries[i].key, key))
            return m_entries[i].variable;
    return nullptr;
}

TscCustomVariable *TscScript::Find(const QString &name) const
{
    return Find(QStringView(name));
}

TscCustomVariable *TscScript::Find(QStringView name) const
{
    // Most names are found among a procedure's few locals, compared in
    // place: the key is made only for the first script that hashes.
    const bool ascii = isAsciiText(name);
    const QString *key = nullptr;
    for (const TscScript *script = this; script; script = script->ParentScript) {
        TscCustomVariable *item = nullptr;
        if (ascii && !script->hashed()) {
            item = script->scanByAsciiName(name);
        } else {
            if (!key)
                key = &lookupKeyOf(name);
            item = script->findByKey(*key);
        }
        if (item)
            return item;
    }
    return nullptr;
}

TscCustomVariable *TscScript::scanByAsciiName(QStringView name) const
{
    for (size_t i = m_entries.size(); i-- > 0;)
        if (isAsciiKeyOf(m_entries[i].key, name))
            return m_entries[i].variable;
    return nullptr;
}

TscClassVariable *TscScript::FindClass(const QString &name) const
{
    return ItemAs<TscClassVariable>(Find(name));
}

bool TscScript::Compile()
{
    ErrorText.clear();
    compileScript(*this); // syntax and build errors land in ErrorText
    if (ErrorText.isEmpty())
        ErrorPosition.clear();
    return ErrorText.isEmpty();
}

namespace {

// A script may ask for more memory than there is (a text doubled in a
// loop): the run ends with an error the host reports, the process goes on.
[[noreturn]] void outOfMemory()
{
    throw ScriptRuntimeError(QStringLiteral("EOutOfMemory"), QStringLiteral("Out of memory"));
}

} // namespace

void TscScript::Execute()
{
    MainProgramMark = true;
    TscRunGuard flags(*this);
    RunningFlag = true;
    // The main block is the outermost run unless a script call hosts it.
    struct EndStop {
        ~EndStop()
        {
            if (TscProcVariable::CallDepth() == 0)
                EndStopRequest();
        }
    } endStop;
    try {
        MainBlock->Execute();
    } catch (const std::bad_alloc &) {
        RunningFlag = false;
        outOfMemory();
    } catch (...) {
        RunningFlag = false;
        throw;
    }
    RunningFlag = false;
}

Variant TscScript::CallFunction(const QString &name, const Variant &args)
{
    Variant copy = args;
    return CallFunctionVarParams(name, copy);
}

Variant TscScript::CallFunctionVarParams(const QString &name, Variant &args)
{
    auto *proc = ItemAs<TscProcVariable>(FindLocal(name));
    if (!proc)
        return Variant::null();
    const qint64 count = args.isArray() ? args.highBound(1) + 1 : 0;
    if (count > proc->Count())
        throw ScriptError(scriptMessage(ScriptMessage::TooManyParams));
    for (qint64 i = 0; i < count; ++i)
        proc->GetParam(int(i))->SetValue(args.element(i));
    Variant result;
    try {
        result = proc->GetValue();
    } catch (const std::bad_alloc &) {
        outOfMemory();
    }
    for (qint64 i = 0; i < count; ++i)
        args.setElement(i, proc->GetParam(int(i))->GetValue());
    return result;
}

void TscScript::SetVariable(const QString &name, const Variant &value)
{
    if (TscCustomVariable *item = Find(name))
        item->SetValue(value);
    else
        AddVariable(name, QStringLiteral("Variant"), value);
}

void TscScript::RunLine(const QString &unitName, const QString &sourcePos)
{
    for (TscScript *script = this; script; script = script->ParentScript) {
        if (script->OnRunLine) {
            script->OnRunLine(this, unitName, sourcePos);
            return;
        }
    }
}

namespace {

// Set when a stop check said stop: the calls and loops still on the stack
// end one by one, each returning procedure clearing only its own flags.
thread_local bool stopRequested = false;

} // namespace

bool TscScript::PollStop()
{
    if (stopRequested)
        return true;
    thread_local unsigned ticks = 0;
    if (++ticks % kStopCheckInterval != 0)
        return false;
    for (TscScript *script = this; script; script = script->ParentScript) {
        if (script->OnStopCheck) {
            if (!script->OnStopCheck())
                return false;
            stopRequested = true;
            script->Terminate();
            Terminate();
            return true;
        }
    }
    return false;
}

void TscScript::EndStopRequest()
{
    stopRequested = false;
}

void TscScript::AddCodeLine(const QString &unitName, const QString &sourcePos)
{
    // Called for every statement built: the line and the entry's head are
    // compared in place rather than cut out as new strings.
    qsizetype colon = 0;
    while (colon < sourcePos.size() && sourcePos[colon] != QLatin1Char(':'))
        ++colon;
    const QStringView line = QStringView(sourcePos).left(colon);
    const auto hasHead = [&unitName](const QString &entry) {
        return entry.size() > unitName.size() && QStringView(entry).first(unitName.size()) == unitName
            && entry[unitName.size()] == QLatin1Char('=');
    };
    CodeLineIndex &index = codeLineIndexOf(unitName);
    const bool valid = index.row >= 0 && index.row < CodeLines.size() && CodeLines[index.row].size() == index.length
        && hasHead(CodeLines[index.row]);
    if (!valid) {
        index = CodeLineIndex();
        for (int row = 0; row < CodeLines.size() && index.row < 0; ++row) {
            if (!hasHead(CodeLines[row]))
                continue;
            index.row = row;
            const QStringList listed =
                CodeLines[row].mid(unitName.size() + 1).split(QLatin1Char(','), Qt::SkipEmptyParts);
            for (const QString &listedLine : listed)
                index.insert(listedLine);
        }
        if (index.row < 0) {
            index.row = int(CodeLines.size());
            CodeLines.append(unitName + QLatin1Char('='));
        }
    }
    if (index.insert(line)) {
        QString &entry = CodeLines[index.row];
        entry += line;
        entry += QLatin1Char(',');
    }
    index.length = CodeLines[index.row].size();
}

TscScript::CodeLineIndex &TscScript::codeLineIndexOf(const QString &unitName)
{
    if (!m_lastCodeLineIndex || m_lastCodeUnit != unitName) {
        m_lastCodeLineIndex = &m_codeLineIndex[unitName];
        m_lastCodeUnit = unitName;
    }
    return *m_lastCodeLineIndex;
}

bool TscScript::CodeLineIndex::insert(QStringView line)
{
    // A number only for its one decimal spelling ("7", never "07").
    if (!line.isEmpty() && line.size() <= 9 && (line[0] != QLatin1Char('0') || line.size() == 1)) {
        int number = 0;
        qsizetype digits = 0;
        for (; digits < line.size(); ++digits) {
            const char16_t c = line[digits].unicode();
            if (c < u'0' || c > u'9')
                break;
            number = number * 10 + (c - u'0');
        }
        if (digits == line.size())
            return insertNumber(number);
    }
    const QString text = line.toString();
    if (others.contains(text))
        return false;
    others.insert(text);
    return true;
}

bool TscScript::CodeLineIndex::insertNumber(int number)
{
    if (number >= kNumberBits) {
        const qsizetype before = highNumbers.size();
        highNumbers.insert(number);
        return highNumbers.size() != before;
    }
    const size_t word = size_t(number) / 64;
    if (word >= numberBits.size())
        numberBits.resize(word + 1 + word / 2);
    const quint64 bit = quint64(1) << (number % 64);
    if (numberBits[word] & bit)
        return false;
    numberBits[word] |= bit;
    return true;
}

void TscScript::Terminate()
{
    ExitFlag = true;
    TerminateFlag = true;
    for (const Entry &entry : m_entries)
        if (auto *proc = ItemAs<TscProcVariable>(entry.variable))
            proc->LocalScript->Terminate();
}

void TscScript::AddRTTI()
{
    if (RttiLoaded)
        return;
    const void *saved = OwnerTag;
    OwnerTag = rttiTag;
    try {
        for (TscRTTIModuleClass moduleClass : RTTIModuleList())
            Add(QString(), moduleClass(*this).release());
    } catch (...) {
        OwnerTag = saved;
        throw;
    }
    OwnerTag = saved;
    RttiLoaded = true;
}

void TscScript::ClearRTTI()
{
    if (!RttiLoaded)
        return;
    for (size_t i = m_entries.size(); i-- > 0;) {
        auto *variable = dynamic_cast<TscCustomVariable *>(m_entries[i].item);
        if ((variable && m_entries[i].owned && variable->OwnerTag == rttiTag)
            || dynamic_cast<TscRTTIModule *>(m_entries[i].item))
            freeEntry(i);
    }
    RttiLoaded = false;
}

TscClassVariable *TscScript::AddClass(const QString &className, const QString &ancestorName)
{
    if (Find(className))
        return nullptr;
    auto *cls = new TscClassVariable(className, ancestorName, this);
    if (TscClassVariable *ancestor = FindClass(ancestorName))
        cls->DefaultMember = ancestor->DefaultMember;
    Add(className, cls);
    return cls;
}

TscClassVariable *TscScript::AddClass(const platform::ClassInfo &hostClass, const QString &ancestorName)
{
    TscClassVariable *cls = AddClass(hostClass.name, ancestorName);
    if (cls)
        cls->AddPublishedProperties(hostClass);
    return cls;
}

void TscScript::AddComponent(platform::Component *form)
{
    if (!form)
        return;
    const QString ancestor = formAncestor(*form);
    if (ancestor.isEmpty())
        return;
    const QString className = form->className();
    TscClassVariable *cls = FindClass(className);
    if (!cls && !Find(className))
        cls = AddClass(form->classInfo(), ancestor);
    if (cls)
        for (platform::Component *child : form->components())
            cls->AddComponent(child);
    AddObject(form->name(), dynamic_cast<platform::HandleTarget *>(form), className);
}

TscCustomVariable *TscScript::AddConst(const QString &name, const QString &typeName, const Variant &value)
{
    if (TscCustomVariable *known = Find(name))
        return known;
    auto *item = new TscVariable(name, TypeCodeOfName(typeName, this), typeName);
    item->SetValue(value);
    item->ReadOnly = true;
    Add(name, item);
    return item;
}

void TscScript::AddEnum(const QString &typeName, const QString &names)
{
    Add(typeName, new TscVariable(typeName, tcEnum, typeName));
    int ordinal = 0;
    for (const QString &name : names.split(QLatin1Char(','))) {
        auto *item = new TscVariable(name.trimmed(), tcEnum, typeName);
        item->Value = Variant(ordinal++);
        item->ReadOnly = true;
        Add(item->Name, item);
    }
}

void TscScript::AddEnumSet(const QString &typeName, const QString &names)
{
    Add(typeName, new TscVariable(typeName, tcEnum, typeName));
    int bit = 0;
    for (const QString &name : names.split(QLatin1Char(','))) {
        auto *item = new TscVariable(name.trimmed(), tcEnum, typeName);
        item->Value = Variant(int(1u << (bit++ & 31)));
        item->ReadOnly = true;
        Add(item->Name, item);
    }
}

TscMethodHelper *TscScript::addMethodEntry(const QString &declaration, const QString &category,
                                           const QString &description)
{
    auto helper = std::make_unique<TscMethodHelper>(declaration, this);
    helper->Category = category;
    helper->Description = description.isEmpty() ? helper->Name : description;
    TscMethodHelper *raw = helper.release();
    Add(raw->Name, raw);
    return raw;
}

TscMethodHelper *TscScript::AddMethod(const QString &declaration, const TscDirectCallback &callback,
                                      const QString &category, const QString &description)
{
    TscMethodHelper *method = addMethodEntry(declaration, category, description);
    method->DirectCallback = callback;
    return method;
}

TscMethodHelper *TscScript::AddMethodParamArray(const QString &declaration, const TscArrayCallback &callback,
                                                const QString &category, const QString &description)
{
    TscMethodHelper *method = addMethodEntry(declaration, category, description);
    method->ArrayCallback = callback;
    return method;
}

TscCustomVariable *TscScript::AddObject(const QString &name, const platform::HandleTarget *object,
                                        const QString &className)
{
    return AddVariable(name, className, Variant(platform::HandleRegistry::handleOf(object)));
}

TscCustomVariable *TscScript::AddVariable(const QString &name, const QString &typeName, const Variant &value)
{
    if (TscCustomVariable *known = Find(name))
        return known;
    const int code = TypeCodeOfName(typeName, this);
    TscVariable *item = code == tcString || code == tcChar ? new TscStringVariable(name, code, typeName)
                                                           : new TscVariable(name, code, typeName);
    item->SetValue(value);
    Add(name, item);
    return item;
}

TscCustomVariable *TscScript::AddType(const QString &typeName, int typeCode)
{
    if (TscCustomVariable *known = Find(typeName))
        return known;
    auto *item = new TscTypeVariable(typeName, typeCode, QString());
    Add(typeName, item);
    return item;
}

} // namespace bralvo::script
