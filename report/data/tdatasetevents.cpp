#include "report/data/tdatasetevents.h"

#include "platform/handleregistry.h"

namespace bralvo::data {

using platform::Variant;

namespace {
Variant objectValue(const platform::HandleTarget *object)
{
    return Variant(platform::HandleRegistry::handleOf(object));
}
} // namespace

void TscDatasetNotifyEvent::Call(platform::HandleTarget *dataSet)
{
    CallHandler({objectValue(dataSet)});
}

void TscFilterRecordEvent::Call(platform::HandleTarget *dataSet, bool &accept)
{
    CallHandler({objectValue(dataSet), Variant(accept)});
    accept = ParamValue(1, Variant(accept)).toBool();
}

void TscFieldGetTextEvent::Call(platform::HandleTarget *sender, QString &text, bool displayText)
{
    CallHandler({objectValue(sender), Variant(text), Variant(displayText)});
    const Variant back = ParamValue(1, Variant(text));
    text = back.isNull() ? QString() : back.toString();
}

} // namespace bralvo::data
