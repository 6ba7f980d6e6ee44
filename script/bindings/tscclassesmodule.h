// The classes module: stream and share-mode constants, TDuplicates and
// TPrinterOrientation, and the classes TObject, TPersistent,
// TCollectionItem, TCollection, TList, TStrings, TStringList, TStream,
// TFileStream, TMemoryStream, TComponent, TscXMLItem, TscXMLDocument.
#pragma once

#include "script/bindings/tscbindingsupport.h"

namespace bralvo::script {

class TscClassesModule : public TscBindingModule {
public:
    explicit TscClassesModule(TscScript &script);

private:
    void registerBaseClasses();
    void registerList();
    void registerComponent();
    // A new object of the class the script named (TObject.Create).
    qint64 createObject(const QString &className);
};

// The parts in their own files.
void registerStringsClasses(TscScript &script, const std::function<qint64(const QString &)> &create);
void registerStreamClasses(TscScript &script, const std::function<qint64(std::unique_ptr<platform::HandleTarget>)> &adopt);
void registerXMLClasses(TscScript &script, const std::function<qint64(std::unique_ptr<platform::HandleTarget>)> &adopt);

} // namespace bralvo::script
