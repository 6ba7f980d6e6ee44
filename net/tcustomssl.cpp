// The refusing encryption plug-in.
#include "net/tcustomssl.h"

namespace bralvo::net {

TCustomSSL::TCustomSSL(TTCPBlockSocket *socket) : m_socket(socket) {}

void TCustomSSL::Refuse()
{
    m_lastError = -1;
    m_lastErrorText = QStringLiteral("SLL is not implemented!");
}

bool TCustomSSL::MakeSelfSignedCertificate(const QString &) { return false; }

void TCustomSSL::CopySettingsFrom(const TCustomSSL &other)
{
    Username = other.Username;
    Password = other.Password;
    VerifyCert = other.VerifyCert;
    SSLType = other.SSLType;
    KeyPassword = other.KeyPassword;
    Ciphers = other.Ciphers;
    CertificateFile = other.CertificateFile;
    PrivateKeyFile = other.PrivateKeyFile;
    CertCAFile = other.CertCAFile;
    CertCA = other.CertCA;
    TrustCertificate = other.TrustCertificate;
    TrustCertificateFile = other.TrustCertificateFile;
    Certificate = other.Certificate;
    PrivateKey = other.PrivateKey;
    PFX = other.PFX;
    PFXfile = other.PFXfile;
}

bool TCustomSSL::OpenClientLink() { Refuse(); return false; }
bool TCustomSSL::OpenServerLink() { Refuse(); return false; }
bool TCustomSSL::CloseLink() { Refuse(); return false; }
bool TCustomSSL::CloseLinkBothWays() { Refuse(); return false; }
int TCustomSSL::SendEncrypted(const void *, int) { Refuse(); return -1; }
int TCustomSSL::ReadDecrypted(void *, int) { Refuse(); return -1; }
int TCustomSSL::PendingDecryptedCount() { Refuse(); return 0; }

} // namespace bralvo::net
