// Scrun.Server: an automation object answering by dispatch identifier.
#include "tools/scrun/scrunautomation.h"

#include "platform/variant.h"
#include "script/oleautomation.h"

#include <QStringList>

namespace bralvo::scrun {

using platform::Variant;
using namespace script;

namespace {

enum Member { Visible = 1, Name, Sub, Join, Calls, Quit, Fail };

class ScrunServer : public OleAutomationObject {
public:
    QString scriptClassName() const override { return QStringLiteral("Scrun.Server"); }

    qint32 idOfName(const QString &name) override
    {
        static const QStringList names{"Visible", "Name", "Sub", "Join", "Calls", "Quit", "Fail"};
        for (int i = 0; i < names.size(); ++i)
            if (names[i].compare(name, Qt::CaseInsensitive) == 0)
                return i + 1;
        return kDispIdUnknown;
    }

    // args holds the last argument first, as the convention has it.
    qint32 invoke(qint32 id, int flags, const QList<Variant> &args, bool namedPut, Variant *result,
                  OleExceptionInfo &info) override
    {
        ++m_calls;
        const bool put = (flags & kDispatchPropertyPut) != 0;
        switch (id) {
        case Visible:
            if (put && namedPut && !args.isEmpty())
                m_visible = args.front().toBool();
            else if (result)
                *result = Variant(m_visible);
            return 0;
        case Name: return readOnly(put, result, Variant(QStringLiteral("Scrun.Server")));
        case Calls: return readOnly(put, result, Variant(m_calls));
        case Sub:
            if (args.size() != 2)
                return kDispEBadParamCount;
            if (result)
                *result = Variant(args[1].toInt64() - args[0].toInt64());
            return 0;
        case Join: return join(args, result);
        case Quit: return 0;
        case Fail:
            info.source = QStringLiteral("Scrun.Server");
            info.description = QStringLiteral("Failed on purpose");
            return kDispEException;
        default: return kDispEMemberNotFound;
        }
    }

private:
    static qint32 readOnly(bool put, Variant *result, const Variant &value)
    {
        if (put)
            return kDispEMemberNotFound;
        if (result)
            *result = value;
        return 0;
    }

    static qint32 join(const QList<Variant> &args, Variant *result)
    {
        QStringList texts;
        for (auto it = args.crbegin(); it != args.crend(); ++it)
            texts.append(it->toString());
        if (result)
            *result = Variant(texts.join(QLatin1Char(',')));
        return 0;
    }

    bool m_visible = false;
    int m_calls = 0;
};

} // namespace

void registerAutomationServer()
{
    RegisterOleClass(QStringLiteral("Scrun.Server"), [] { return std::make_unique<ScrunServer>(); });
}

} // namespace bralvo::scrun
