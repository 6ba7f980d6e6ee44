// The encryption slot of the TCP socket. TCustomSSL is the plug-in
// interface; TSSLNone, the only plug-in, refuses every encrypted call, so
// an encrypted link never becomes active. A refusal sets LastError() to
// -1 and LastErrorText() to "SLL is not implemented!".
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace bralvo::net {

class TTCPBlockSocket;

enum class TSSLType { LT_all, LT_SSLv2, LT_SSLv3, LT_TLSv1, LT_TLSv1_1, LT_SSHv2 };

class TCustomSSL {
public:
    // The socket owns the plug-in and outlives it.
    explicit TCustomSSL(TTCPBlockSocket *socket);
    virtual ~TCustomSSL() = default;

    virtual bool MakeSelfSignedCertificate(const QString &host);
    // Copies the settings, not the SSH channel texts.
    virtual void CopySettingsFrom(const TCustomSSL &other);
    virtual QString LibraryVersionText() const { return {}; }
    virtual QString LibraryNameText() const { return {}; }
    virtual bool OpenClientLink();
    virtual bool OpenServerLink();
    virtual bool CloseLink();
    virtual bool CloseLinkBothWays();
    virtual int SendEncrypted(const void *buffer, int length);
    virtual int ReadDecrypted(void *buffer, int length);
    virtual int PendingDecryptedCount();
    virtual QString ProtocolVersionText() const { return {}; }
    virtual QString PeerSubjectText() const { return {}; }
    virtual QString PeerIssuerText() const { return {}; }
    virtual QString PeerNameText() const { return {}; }
    virtual QString PeerFingerprintText() const { return {}; }
    virtual QString CertificateInfoText() const { return {}; }
    virtual QString CipherNameText() const { return {}; }
    virtual int CipherBitCount() const { return 0; }
    virtual int CipherAlgorithmBitCount() const { return 0; }
    virtual int VerifyResultCode() const { return 1; }

    TTCPBlockSocket *Socket() const { return m_socket; }
    bool LinkActive() const { return m_linkActive; }
    int LastError() const { return m_lastError; }
    const QString &LastErrorText() const { return m_lastErrorText; }

    TSSLType SSLType = TSSLType::LT_all;
    QString KeyPassword, Ciphers, CertificateFile, PrivateKeyFile, Certificate, PrivateKey, PFX,
        PFXfile, CertCA, CertCAFile, TrustCertificate, TrustCertificateFile;
    bool VerifyCert = false;
    QString Username, Password, SSHChannelType, SSHChannelArg1, SSHChannelArg2;

protected:
    void Refuse();

    bool m_linkActive = false;

private:
    TTCPBlockSocket *m_socket;
    int m_lastError = 0;
    QString m_lastErrorText;
};

class TSSLNone : public TCustomSSL {
public:
    using TCustomSSL::TCustomSSL;
    QString LibraryVersionText() const override { return QStringLiteral("Without SSL support"); }
    QString LibraryNameText() const override { return QStringLiteral("ssl_none"); }
};

// The plug-in class a socket is made with: its "virtual constructor".
using TSSLClass = std::unique_ptr<TCustomSSL> (*)(TTCPBlockSocket *socket);
template <class Plugin>
std::unique_ptr<TCustomSSL> MakeSSL(TTCPBlockSocket *socket)
{
    return std::make_unique<Plugin>(socket);
}

} // namespace bralvo::net
