// The INI-file module: TCustomIniFile (its constructor builds TIniFile and
// TMemIniFile too), TMemIniFile and TIniFile. A TIniFile writes its file
// after every change; a TMemIniFile keeps its changes in memory.
#pragma once

#include "platform/inifile.h"
#include "script/bindings/tscbindingsupport.h"

namespace bralvo::script {

class TscIniFile : public TscHostObject {
public:
    // Loads fileName (a missing file gives an empty object). inMemory:
    // changes are never written back.
    TscIniFile(const QString &className, const QString &fileName, bool inMemory);

    platform::IniFile &Ini() { return m_ini; }
    const QString &FileName() const { return m_fileName; }
    bool InMemory() const { return m_inMemory; }
    // Writes the file unless the object lives in memory. Throws
    // platform::StreamError when the file cannot be written.
    void Changed();
    // The INI text of a stream: a file object writes the bytes as its file
    // unchanged and reads it again; a memory object takes the values.
    void LoadFromBytes(const QByteArray &bytes);

private:
    platform::IniFile m_ini;
    QString m_fileName;
    bool m_inMemory;
};

class TscIniModule : public TscBindingModule {
public:
    explicit TscIniModule(TscScript &script);
};

} // namespace bralvo::script
