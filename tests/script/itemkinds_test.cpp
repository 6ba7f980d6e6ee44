// ItemAs and AsVariable against the language's own casts: for an item of
// every class (and a class of the host's own), each asks the same as a
// dynamic_cast would answer.
#include "script/designators.h"
#include "script/expressions.h"
#include "script/oleautomation.h"
#include "script/tschelpers.h"
#include "script/tscclassvariable.h"
#include "script/tscevents.h"
#include "script/tscscript.h"

#include <gtest/gtest.h>

#include <functional>

using namespace bralvo::script;
using bralvo::platform::Variant;

namespace {

// A class hosts derive without giving it a kind of its own.
class HostStringVariable : public TscStringVariable {
public:
    HostStringVariable() : TscStringVariable(QStringLiteral("h"), tcString, QString()) {}
};

class HostHelper : public TscCustomHelper {
public:
    HostHelper() : TscCustomHelper(QStringLiteral("h"), tcVariant, QString()) {}
};

// No variable at all.
class PlainObject : public TscObject {};

struct Sample {
    const char *name;
    std::function<std::unique_ptr<TscCustomVariable>(TscScript &)> make;
};

std::vector<Sample> samples()
{
    const QString n = QStringLiteral("x");
    return {
        {"Variable", [n](TscScript &) { return std::make_unique<TscVariable>(n, tcInteger, QString()); }},
        {"TypeVariable", [n](TscScript &) { return std::make_unique<TscTypeVariable>(n, tcInteger, QString()); }},
        {"StringVariable", [n](TscScript &) { return std::make_unique<TscStringVariable>(n, tcString, QString()); }},
        {"HostStringVariable", [](TscScript &) { return std::make_unique<HostStringVariable>(); }},
        {"ParamItem", [n](TscScript &) { return std::make_unique<TscParamItem>(n, tcVariant, QString()); }},
        {"ProcVariable",
         [n](TscScript &s) { return std::make_unique<TscProcVariable>(n, tcVariant, QString(), false, &s); }},
        {"Designator", [](TscScript &s) { return std::make_unique<TscDesignator>(&s); }},
        {"VariableDesignator", [](TscScript &s) { return std::make_unique<TscVariableDesignator>(&s); }},
        {"ProcCallDesignator", [](TscScript &s) { return std::make_unique<TscProcCallDesignator>(&s); }},
        {"StringDesignator", [](TscScript &s) { return std::make_unique<TscStringDesignator>(&s); }},
        {"ArrayDesignator", [](TscScript &s) { return std::make_unique<TscArrayDesignator>(&s); }},
        {"ArrayHelper", [](TscScript &) { return std::make_unique<TscArrayHelper>(QString(), tcVariant, QString(), -1); }},
        {"StringHelper", [](TscScript &) { return std::make_unique<TscStringHelper>(); }},
        {"PropertyHelper", [n](TscScript &) { return std::make_unique<TscPropertyHelper>(n, tcVariant, QString()); }},
        {"MethodHelper",
         [](TscScript &s) { return std::make_unique<TscMethodHelper>(QStringLiteral("function F: Integer"), &s); }},
        {"OLEHelper", [n](TscScript &) { return std::make_unique<TscOLEHelper>(n); }},
        {"EventHelper", [n](TscScript &) { return std::make_unique<TscEventHelper>(n, nullptr, QString()); }},
        {"HostHelper", [](TscScript &) { return std::make_unique<HostHelper>(); }},
        {"ClassVariable",
         [](TscScript &s) { return std::make_unique<TscClassVariable>(QStringLiteral("TX"), QString(), &s); }},
        {"SetExpression", [](TscScript &) { return std::make_unique<TscSetExpression>(); }},
        {"OperandNode", [](TscScript &) { return std::make_unique<TscOperandNode>(Variant(1)); }},
    };
}

// Whether ItemAs<T> and dynamic_cast<T *> agree on item, const or not.
template <class T>
void expectAgrees(TscCustomVariable &item, const char *sample, const char *asked)
{
    SCOPED_TRACE(testing::Message() << sample << " asked as " << asked);
    EXPECT_EQ(ItemAs<T>(&item), dynamic_cast<T *>(&item));
    const TscCustomVariable &constItem = item;
    EXPECT_EQ(ItemAs<T>(&constItem), dynamic_cast<const T *>(&constItem));
}

} // namespace

TEST(ItemKinds, ItemAsAnswersAsDynamicCastForEveryItemClass)
{
    TscScript script;
    for (const Sample &sample : samples()) {
        const std::unique_ptr<TscCustomVariable> item = sample.make(script);
        expectAgrees<TscVariable>(*item, sample.name, "Variable");
        expectAgrees<TscStringVariable>(*item, sample.name, "StringVariable");
        expectAgrees<TscParamItem>(*item, sample.name, "ParamItem");
        expectAgrees<TscProcVariable>(*item, sample.name, "ProcVariable");
        expectAgrees<TscDesignator>(*item, sample.name, "Designator");
        expectAgrees<TscCustomHelper>(*item, sample.name, "CustomHelper");
        expectAgrees<TscArrayHelper>(*item, sample.name, "ArrayHelper");
        expectAgrees<TscStringHelper>(*item, sample.name, "StringHelper");
        expectAgrees<TscMethodHelper>(*item, sample.name, "MethodHelper");
        expectAgrees<TscOLEHelper>(*item, sample.name, "OLEHelper");
        expectAgrees<TscClassVariable>(*item, sample.name, "ClassVariable");
        EXPECT_EQ(item->AsVariable(), item.get()) << sample.name;
    }
}

TEST(ItemKinds, NothingIsAnythingAndPlainObjectsAreNoVariables)
{
    EXPECT_EQ(ItemAs<TscVariable>(static_cast<TscCustomVariable *>(nullptr)), nullptr);
    EXPECT_EQ(ItemAs<TscDesignator>(static_cast<const TscCustomVariable *>(nullptr)), nullptr);
    PlainObject plain;
    EXPECT_EQ(plain.AsVariable(), nullptr);
}
