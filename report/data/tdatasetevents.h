// Script adapters of the dataset and field events: a report script binds
// a procedure to BeforeOpen, OnFilterRecord, OnGetText ... and the dataset
// or field calls it through these.
#pragma once

#include "script/tscevents.h"

namespace bralvo::data {

class TscDatasetNotifyEvent : public script::TscCustomEvent {
public:
    using TscCustomEvent::TscCustomEvent;
    void Call(platform::HandleTarget *dataSet);
};

// Accept takes the handler's second parameter as a Boolean.
class TscFilterRecordEvent : public script::TscCustomEvent {
public:
    using TscCustomEvent::TscCustomEvent;
    void Call(platform::HandleTarget *dataSet, bool &accept);
};

// Text takes the handler's second parameter as text.
class TscFieldGetTextEvent : public script::TscCustomEvent {
public:
    using TscCustomEvent::TscCustomEvent;
    void Call(platform::HandleTarget *sender, QString &text, bool displayText);
};

} // namespace bralvo::data
