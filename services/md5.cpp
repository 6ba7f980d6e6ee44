// MD5 through Qt's implementation; HMAC-MD5 built over it as RFC 2104 says.
#include "services/md5.h"

#include "platform/textcodec.h"

namespace bralvo::services {

namespace {
constexpr int kHmacBlock = 64;
}

void Md5Begin(Md5Context &context)
{
    context.hash.reset();
}

void Md5Feed(Md5Context &context, const QByteArray &bytes)
{
    context.hash.addData(bytes);
}

QByteArray Md5Finish(Md5Context &context)
{
    return context.hash.result();
}

QByteArray Md5String(const QByteArray &bytes)
{
    Md5Context context;
    Md5Begin(context);
    Md5Feed(context, bytes);
    return Md5Finish(context);
}

QByteArray HmacMd5String(const QByteArray &text, const QByteArray &key)
{
    const QByteArray usedKey = key.size() > kHmacBlock ? Md5String(key) : key;
    QByteArray innerPad(kHmacBlock, char(0x36));
    QByteArray outerPad(kHmacBlock, char(0x5C));
    for (qsizetype i = 0; i < usedKey.size(); ++i) {
        innerPad[i] = char(innerPad[i] ^ usedKey[i]);
        outerPad[i] = char(outerPad[i] ^ usedKey[i]);
    }
    Md5Context context;
    Md5Begin(context);
    Md5Feed(context, innerPad);
    Md5Feed(context, text);
    const QByteArray inner = Md5Finish(context);
    Md5Begin(context);
    Md5Feed(context, outerPad);
    Md5Feed(context, inner);
    return Md5Finish(context);
}

QString BinToLowerHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

QString TextDigestHex(const QString &text)
{
    return BinToLowerHex(Md5String(platform::digestBytes(text)));
}

} // namespace bralvo::services
